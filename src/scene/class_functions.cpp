#include "scene/class_functions.h"

#include "orv/message.h"
#include "platform/platform.h"
#include "scene/property_table.h"

#include <string>

namespace orv {
namespace {

constexpr const char *class_names[] = {"node", "viewpoint", "window", "sensor", "path"};
constexpr int named_classes = 5;

ClassFunctions tables[named_classes];
bool loaded = false;

template <class Fn> bool lookup(Fn &slot, const std::string &name) {
    slot = reinterpret_cast<Fn>(platform::current().process.find_symbol(name.c_str()));
    return slot != nullptr;
}

} // namespace

void load_class_functions() {
    if (loaded) return;
    loaded = true;
    for (int c = 0; c < named_classes; ++c) {
        const std::string cls = class_names[c];
        const std::string ov = "OV" + cls;
        ClassFunctions &t = tables[c];
        bool ok = lookup(t.destroy, ov + "_delete");
        ok &= lookup(t.setdata, ov + "_setdata");
        ok &= lookup(t.getdata, ov + "_getdata");
        ok &= lookup(t.setname, ov + "_setname");
        ok &= lookup(t.getname, ov + "_getname");
        ok &= lookup(t.sethaseventhandlers, "_" + ov + "_sethaseventhandlers");
        ok &= lookup(t.gethaseventhandlers, "_" + ov + "_gethaseventhandlers");
        ok &= lookup(t.find, "OVuniverse_find" + cls);
        t.usable = ok;
        if (!ok) OVmessage("Error initializing %s functions\n", ov.c_str());
    }
}

const ClassFunctions *class_functions(int cls) {
    return cls >= 0 && cls < named_classes && loaded ? &tables[cls] : nullptr;
}

} // namespace orv
