// Level-of-detail nodes: switching ranges, centre and the child choice.
#include "core/finite.h"
#include "orv/message.h"
#include "orv/node.h"
#include "scene/node_internal.h"
#include "scene/property_protocol.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace orv::scene {

namespace {

LodRecord *lod_of(OVnode *node) {
    OVnode *n = resolve(node);
    return n && n->header.type == OVNODE_LOD ? &lod_record(n) : nullptr;
}

// Replaces the ranges; the text grows with the values, however long they print.
void store_ranges(LodRecord *lod, const float *ranges, int count) {
    OVfree(lod->ranges);
    OVfree(lod->range_text);
    lod->ranges = nullptr;
    lod->range_text = nullptr;
    lod->range_count = 0;
    if (count <= 0 || !ranges) return;
    lod->ranges = static_cast<float *>(OVmalloc(sizeof(float) * static_cast<size_t>(count)));
    std::string text;
    for (int i = 0; i < count; ++i) {
        lod->ranges[i] = ranges[i] * ranges[i];
        char value[64];
        std::snprintf(value, sizeof value, "%f", static_cast<double>(ranges[i]));
        if (i) text += ',';
        text += value;
    }
    lod->range_count = count;
    lod->range_text = OVstrdup(text.c_str());
}

// More levels than any scene needs: a count beyond is a caller's error.
constexpr int max_ranges = 65536;

int set_ranges(OVnode *node, const float *ranges, int count) {
    LodRecord *lod = lod_of(node);
    if (!lod || count < 0) return false;
    if (count > max_ranges) {
        OVwarning("OVlodnode_setrange: %d ranges are more than %d\n", count, max_ranges);
        return false;
    }
    if ((ranges && !orv::finite(ranges, count)) || !orv::change_allowed(node, "Ranges"))
        return false;
    store_ranges(lod, ranges, count);
    orv::change_made(node, "Ranges", lod->range_text);
    return true;
}

} // namespace

int lod_choice(const OVnode *node, const OVm4 current) {
    const LodRecord *lod = &lod_record(node);
    float f = 0;
    for (int j = 0; j < 3; ++j) {
        float c = lod->center[0] * current[0][j] + lod->center[1] * current[1][j] +
                  lod->center[2] * current[2][j] + current[3][j];
        f += c * c;
    }
    int i = 0;
    while (i < lod->range_count && f > lod->ranges[i])
        ++i;
    return i < count_children(lod) ? i : -1;
}

} // namespace orv::scene

using namespace orv::scene;

extern "C" {

ORV_API OVnode *OVlodnode_new(OVnode *parent) {
    return make_node(parent, OVNODE_LOD);
}

ORV_API OVnode *OVmovlodnode_new(OVnode *parent) {
    return make_movable(parent, OVNODE_SEPARATOR, make_node(nullptr, OVNODE_LOD));
}

ORV_API int OVlodnode_setrange(OVnode *node, const float *ranges, int count) {
    return set_ranges(node, ranges, count);
}

ORV_API int OVlodnode_getrange(OVnode *node, float *out, int capacity) {
    LodRecord *lod = lod_of(node);
    if (!lod || capacity < lod->range_count || (lod->range_count && !out)) return false;
    for (int i = 0; i < lod->range_count; ++i)
        out[i] = std::sqrt(lod->ranges[i]);
    return true;
}

ORV_API int OVlodnode_numranges(OVnode *node) {
    LodRecord *lod = lod_of(node);
    return lod ? lod->range_count : -1;
}

// Tokens are separated by any of " ,;"; a token that is not a number fails.
ORV_API int OVlodnode_setranges(OVnode *node, const char *text) {
    if (!lod_of(node)) return false;
    std::vector<float> values;
    bool numbers = true;
    for_each_name(text, [&](const char *token, int length) {
        std::string value(token, static_cast<size_t>(length));
        char *end = nullptr;
        values.push_back(std::strtof(value.c_str(), &end));
        numbers = numbers && end == value.c_str() + length;
    });
    if (!numbers) return false;
    return set_ranges(node, values.data(), static_cast<int>(values.size()));
}

ORV_API const char *OVlodnode_getranges(OVnode *node) {
    LodRecord *lod = lod_of(node);
    return lod ? lod->range_text : nullptr;
}

ORV_API int OVlodnode_setcenter(OVnode *node, const OVp3 center) {
    LodRecord *lod = lod_of(node);
    if (!lod || !orv::finite(center, 3) || !orv::change_allowed(node, "LoCe")) return false;
    for (int j = 0; j < 3; ++j)
        lod->center[j] = center[j];
    orv::change_made(node, "LoCe", lod->center);
    return true;
}

ORV_API int OVlodnode_getcenter(OVnode *node, OVp3 out) {
    LodRecord *lod = lod_of(node);
    if (!lod || !out) return false;
    for (int j = 0; j < 3; ++j)
        out[j] = lod->center[j];
    return true;
}

} // extern "C"
