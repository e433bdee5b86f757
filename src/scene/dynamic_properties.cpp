#include "scene/dynamic_properties.h"

#include "scene/event_system.h"
#include "scene/handler_registry.h"
#include "scene/property_table.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace orv {
namespace {

struct DynamicProperty {
    std::string name;
    OVvalue value;
};

std::unordered_map<const void *, std::vector<DynamicProperty>> &dynamic() {
    static std::unordered_map<const void *, std::vector<DynamicProperty>> table;
    return table;
}

// The static rows of the object's class that apply to it, in row order.
int static_count(void *object, int cls, int index_wanted, const char **name) {
    int n = 0;
    for (int r = 0; r < property_rows(cls); ++r) {
        if (!property_applies(cls, r, object)) continue;
        if (n++ == index_wanted) *name = property_row(cls, r)->name;
    }
    return n;
}

} // namespace

OVvalue *find_dynamic(const void *object, const char *name) {
    if (!object || !name || dynamic().empty()) return nullptr;
    auto it = dynamic().find(object);
    if (it == dynamic().end()) return nullptr;
    for (DynamicProperty &p : it->second)
        if (p.name == name) return &p.value;
    return nullptr;
}

bool has_property(void *object, const char *name) {
    if (!object || !name) return false;
    return find_property_row(property_class(object), name) >= 0 || find_dynamic(object, name);
}

} // namespace orv

using namespace orv;

ORV_API int OVbase_addproperty(void *object, const char *name, int type) {
    if (!object || !name || !*name || has_property(object, name)) return 0;
    OVvalue value = OVvalue_new(type);
    if (value.type == OVNOPROPERTY) return 0;
    dynamic()[object].push_back({name, value});
    return 1;
}

ORV_API int OVbase_numproperties(void *object) {
    if (!object) return 0;
    const char *unused = nullptr;
    int n = static_count(object, property_class(object), -1, &unused);
    auto it = dynamic().find(object);
    return n + (it == dynamic().end() ? 0 : static_cast<int>(it->second.size()));
}

ORV_API const char *OVbase_getpropertyname(void *object, int index) {
    if (!object || index < 0) return nullptr;
    const char *name = nullptr;
    int n = static_count(object, property_class(object), index, &name);
    if (name) return name;
    auto it = dynamic().find(object);
    if (it == dynamic().end() || index - n >= static_cast<int>(it->second.size())) return nullptr;
    return it->second[index - n].name.c_str();
}

ORV_API void OVbase_deleteproperties(void *object) {
    auto it = object ? dynamic().find(object) : dynamic().end();
    if (it == dynamic().end()) return;
    for (DynamicProperty &p : it->second) {
        post_handlers().remove_name(object, p.name.c_str());
        pre_handlers().remove_name(object, p.name.c_str());
        timed_handlers().remove_name(object, p.name.c_str());
        OVvalue_free(&p.value);
    }
    dynamic().erase(it);
}
