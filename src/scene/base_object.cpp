// The generic base object, names of objects of any class, and printing.
#include "core/object.h"
#include "orv/message.h"
#include "orv/node.h"
#include "orv/property.h"
#include "orv/task.h"
#include "platform/platform.h"
#include "scene/class_functions.h"
#include "scene/event_system.h"
#include "scene/property_table.h"
#include "scene/property_value.h"

#include <string>
#include <utility>
#include <vector>

using namespace orv;

namespace {

struct BaseObject {
    OVobject header;
    char *name;
};

BaseObject *as_base(void *object) {
    return object && orv_object_type(object) == OVTYPE_BASE ? static_cast<BaseObject *>(object)
                                                            : nullptr;
}

void print_one(void *object, int depth) {
    std::string line(2 * depth, ' ');
    const char *name = OVbase_getname(object);
    line += name ? name : "";
    line += "    ";
    int count = OVbase_numproperties(object);
    for (int i = 0; i < count; ++i) {
        const char *property = OVbase_getpropertyname(object, i);
        OVvalue value = OVproperty_get(object, property);
        line += "  ";
        line += property;
        line += "=";
        line += value_text(value);
        OVvalue_free(&value);
    }
    OVmessage("%s\n", line.c_str());
}

} // namespace

ORV_API void *OVbase_new(const char *name) {
    auto *base = static_cast<BaseObject *>(OVmalloc(sizeof(BaseObject)));
    base->header = {OVTYPE_BASE, 0};
    base->name = name ? OVstrdup(name) : nullptr;
    return base;
}

// Objects of the other classes go to their class's delete function.
ORV_API void OVbase_delete(void *object) {
    BaseObject *base = as_base(object);
    if (!base) {
        const ClassFunctions *functions = class_functions(property_class(object));
        if (functions && functions->destroy) functions->destroy(object);
        return;
    }
    OVtask_deleteall(base);
    base_object_deleted(base);
    OVfree(base->name);
    OVfree(base);
}

ORV_API int OVbase_setname(void *object, const char *name) {
    BaseObject *base = as_base(object);
    return base && base_rename(base, base->name, name);
}

ORV_API const char *OVbase_getname(void *object) {
    if (BaseObject *base = as_base(object)) return base->name;
    const ClassFunctions *functions = class_functions(property_class(object));
    return functions && functions->getname ? functions->getname(object) : nullptr;
}

// Children are known for nodes only; the walk keeps its own stack.
ORV_API void OVbase_print(void *object) {
    if (!object) return;
    auto child = reinterpret_cast<decltype(&OVnode_getchild)>(
        platform::current().process.find_symbol("OVnode_getchild"));
    std::vector<std::pair<void *, int>> stack{{object, 0}};
    while (!stack.empty()) {
        auto [current, depth] = stack.back();
        stack.pop_back();
        print_one(current, depth);
        if (!child || property_class(current) != PROPERTY_CLASS_NODE) continue;
        std::vector<void *> children;
        while (void *c = child(static_cast<OVnode *>(current), static_cast<int>(children.size())))
            children.push_back(c);
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            stack.push_back({*it, depth + 1});
    }
}
