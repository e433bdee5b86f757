#include "scene/class_functions.h"

#include "orv/message.h"
#include "orv/node.h"
#include "orv/path.h"
#include "orv/property.h"
#include "orv/sensor.h"
#include "orv/viewpoint.h"
#include "orv/window.h"
#include "platform/platform.h"

#include <string>
#include <type_traits>

namespace orv {
namespace {

constexpr int named_classes = 5;
ClassFunctions tables[named_classes];
bool loaded = false;

// Calls a function that may or may not report a result; one that reports
// none counts as done.
template <class Fn, class... A> int reported(Fn fn, A... args) {
    if constexpr (std::is_void_v<std::invoke_result_t<Fn, A...>>) {
        fn(args...);
        return 1;
    } else {
        return fn(args...);
    }
}

// One class's standard functions, looked up by name but kept with the types
// they are declared with, and called through adapters that take the
// untyped objects of the generic code: calling a function through a pointer
// of another type is undefined.
template <class T, class Delete, class SetData, class GetData, class SetName, class GetName,
          class SetHas, class GetHas, class Find>
struct Bound {
    static inline Delete destroy;
    static inline SetData set_data;
    static inline GetData get_data;
    static inline SetName set_name;
    static inline GetName get_name;
    static inline SetHas set_has;
    static inline GetHas get_has;
    static inline Find find;

    static T *object(void *o) { return static_cast<T *>(o); }
    static void destroy_any(void *o) { destroy(object(o)); }
    static int set_data_any(void *o, void *data) { return reported(set_data, object(o), data); }
    static void *get_data_any(void *o) { return get_data(object(o)); }
    static int set_name_any(void *o, const char *name) {
        return reported(set_name, object(o), name);
    }
    static const char *get_name_any(void *o) { return get_name(object(o)); }
    static void set_has_any(void *o, int flag) { set_has(object(o), flag); }
    static int get_has_any(void *o) { return get_has(object(o)); }
    static void *find_any(const char *name, int length) { return find(name, length); }

    template <class Fn> static bool lookup(Fn &slot, const std::string &name) {
        slot = reinterpret_cast<Fn>(platform::current().process.find_symbol(name.c_str()));
        return slot != nullptr;
    }

    // False when a function is missing; the table keeps the adapters anyway.
    static bool load(const std::string &cls, ClassFunctions &t) {
        const std::string ov = "OV" + cls;
        bool ok = lookup(destroy, ov + "_delete");
        ok &= lookup(set_data, ov + "_setdata");
        ok &= lookup(get_data, ov + "_getdata");
        ok &= lookup(set_name, ov + "_setname");
        ok &= lookup(get_name, ov + "_getname");
        ok &= lookup(set_has, "_" + ov + "_sethaseventhandlers");
        ok &= lookup(get_has, "_" + ov + "_gethaseventhandlers");
        ok &= lookup(find, "OVuniverse_find" + cls);
        t = ClassFunctions{destroy ? destroy_any : nullptr,
                           set_data ? set_data_any : nullptr,
                           get_data ? get_data_any : nullptr,
                           set_name ? set_name_any : nullptr,
                           get_name ? get_name_any : nullptr,
                           set_has ? set_has_any : nullptr,
                           get_has ? get_has_any : nullptr,
                           find ? find_any : nullptr,
                           ok};
        if (!ok) OVmessage("Error initializing %s functions\n", ov.c_str());
        return ok;
    }
};

// The declared types of each class's functions.
#define ORV_STANDARD_FUNCTIONS(T, cls)                                                             \
    Bound<T, decltype(&OV##cls##_delete), decltype(&OV##cls##_setdata),                            \
          decltype(&OV##cls##_getdata), decltype(&OV##cls##_setname),                              \
          decltype(&OV##cls##_getname), decltype(&_OV##cls##_sethaseventhandlers),                 \
          decltype(&_OV##cls##_gethaseventhandlers), decltype(&OVuniverse_find##cls)>

} // namespace

void load_class_functions() {
    if (loaded) return;
    loaded = true;
    ORV_STANDARD_FUNCTIONS(OVnode, node)::load("node", tables[0]);
    ORV_STANDARD_FUNCTIONS(OVviewpoint, viewpoint)::load("viewpoint", tables[1]);
    ORV_STANDARD_FUNCTIONS(OVwindow, window)::load("window", tables[2]);
    ORV_STANDARD_FUNCTIONS(OVsensor, sensor)::load("sensor", tables[3]);
    ORV_STANDARD_FUNCTIONS(OVpath, path)::load("path", tables[4]);
}
#undef ORV_STANDARD_FUNCTIONS

const ClassFunctions *class_functions(int cls) {
    return cls >= 0 && cls < named_classes && loaded ? &tables[cls] : nullptr;
}

} // namespace orv
