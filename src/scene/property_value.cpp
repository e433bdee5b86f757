#include "scene/property_value.h"

#include "orv/message.h"

#include <cstdio>
#include <cstring>

namespace orv {
namespace {

constexpr const char *type_names[] = {"OVINT", "OVUINT", "OVFLOAT",  "OVDOUBLE",  "OVP2",
                                      "OVP3",  "OVQ",    "OVSTRING", "OVPOINTER", "OVM3"};

size_t payload_size(int type) {
    switch (type) {
    case OVINT:
        return sizeof(int32_t);
    case OVUINT:
        return sizeof(uint32_t);
    case OVFLOAT:
        return sizeof(float);
    case OVDOUBLE:
        return sizeof(double);
    case OVP2:
        return 2 * sizeof(float);
    case OVP3:
        return 3 * sizeof(float);
    case OVQ:
        return 4 * sizeof(float);
    case OVPOINTER:
        return sizeof(void *);
    case OVM3:
        return 9 * sizeof(float);
    default:
        return 0;
    }
}

std::string floats_text(const float *f, int n) {
    std::string text;
    char buf[64];
    for (int i = 0; i < n; ++i) {
        std::snprintf(buf, sizeof buf, i ? ",%f" : "%f", static_cast<double>(f[i]));
        text += buf;
    }
    return text;
}

} // namespace

bool value_from_payload(int type, const void *payload, OVvalue *out) {
    *out = OVvalue_new(type);
    if (out->type == OVNOPROPERTY || !payload) return out->type != OVNOPROPERTY;
    if (type == OVSTRING)
        out->v.s = OVstrdup(static_cast<const char *>(payload));
    else
        std::memcpy(&out->v, payload, payload_size(type));
    return true;
}

void *value_payload(OVvalue *value) {
    return value->type == OVSTRING ? static_cast<void *>(value->v.s) : &value->v;
}

OVvalue value_copy(const OVvalue &value) {
    OVvalue copy = value;
    if (value.type == OVSTRING && value.v.s) copy.v.s = OVstrdup(value.v.s);
    return copy;
}

std::string value_text(const OVvalue &value) {
    char buf[64];
    switch (value.type) {
    case OVINT:
        std::snprintf(buf, sizeof buf, "%d", value.v.i);
        return buf;
    case OVUINT:
        std::snprintf(buf, sizeof buf, "%u", value.v.u);
        return buf;
    case OVFLOAT:
        return floats_text(&value.v.f, 1);
    case OVDOUBLE:
        std::snprintf(buf, sizeof buf, "%f", value.v.d);
        return buf;
    case OVP2:
        return floats_text(value.v.p2, 2);
    case OVP3:
        return floats_text(value.v.p3, 3);
    case OVQ:
        return floats_text(value.v.q, 4);
    case OVSTRING:
        return value.v.s ? value.v.s : "";
    case OVPOINTER:
        std::snprintf(buf, sizeof buf, "%p", value.v.p);
        return buf;
    case OVM3:
        return floats_text(&value.v.m3[0][0], 9);
    default:
        return "";
    }
}

} // namespace orv

using namespace orv;

ORV_API OVvalue OVvalue_new(int type) {
    OVvalue value;
    std::memset(&value, 0, sizeof value);
    value.type = type >= OVINT && type <= OVM3 ? type : OVNOPROPERTY;
    if (type == OVM3)
        for (int i = 0; i < 3; ++i)
            value.v.m3[i][i] = 1.0f;
    return value;
}

ORV_API void OVvalue_free(OVvalue *value) {
    if (!value || value->type != OVSTRING) return;
    OVfree(value->v.s);
    value->v.s = nullptr;
}

ORV_API const char *OVvalue_typename(int type) {
    return type >= OVINT && type <= OVM3 ? type_names[type] : nullptr;
}

ORV_API char *OVvalue_totext(const OVvalue *value, char *buffer, size_t size) {
    if (!buffer || size == 0) return buffer;
    std::string text = value ? value_text(*value) : std::string();
    std::snprintf(buffer, size, "%s", text.c_str());
    return buffer;
}
