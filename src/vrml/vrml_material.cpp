// A material table as one VRML Material node with a list per component, and
// the all-white entry that textured polygons without a colour of their own use.
#include "orv/mtable.h"
#include "vrml/vrml_geometry.h"

namespace orv::vrml {

namespace {

constexpr float shininess_scale = 128.0f;

// One list: "%f %f %f" (or one value) per entry, separated by ",\n"; with
// white, one more entry ("1 1 1" for colours, "0" for single values).
void write_list(Output &out, OVmtable *table, const char *field, int property, bool single,
                float (*convert)(float), bool white) {
    out.line("%s [\n", field);
    const int entries = OVmtable_getnumentries(table);
    for (int i = 0; i < entries; ++i) {
        float v[3] = {0, 0, 0};
        OVmtable_getvalue(table, i, v, property);
        if (single)
            out.line("%f", convert ? convert(v[0]) : v[0]);
        else
            out.line("%f %f %f", v[0], v[1], v[2]);
        out.text(i + 1 < entries || white ? ",\n" : "\n");
    }
    if (white) out.line("%s\n", single ? "0" : "1 1 1");
    out.line("]\n");
}

float shininess(float s) {
    return s / shininess_scale;
}

float transparency(float opacity) {
    return 1 - opacity;
}

bool white_value(OVmtable *table, int index, int property) {
    float v[3];
    return OVmtable_getvalue(table, index, v, property) && v[0] == 1 && v[1] == 1 && v[2] == 1;
}

} // namespace

int white_entry(OVmtable *table) {
    const int p = OVmtable_getproperties(table);
    const int colours = p & ~OVOPACITY;
    if (colours != OVAMBIENTDIFFUSE && colours != (OVAMBIENT | OVDIFFUSE) && colours != OVEMISSION)
        return -1;
    for (int i = 0, n = OVmtable_getnumentries(table); i < n; ++i) {
        bool white = true;
        for (int property : {OVAMBIENT, OVDIFFUSE, OVEMISSION, OVAMBIENTDIFFUSE})
            if (colours & property) white = white && white_value(table, i, property);
        float opacity = 1;
        if ((p & OVOPACITY) && OVmtable_getvalue(table, i, &opacity, OVOPACITY) && opacity != 1)
            white = false;
        if (white) return i;
    }
    return -1;
}

void write_material_table(Output &out, OVmtable *table, bool append_white) {
    const int p = OVmtable_getproperties(table);
    const bool ambient = p & (OVAMBIENT | OVAMBIENTDIFFUSE);
    const bool diffuse = p & (OVDIFFUSE | OVAMBIENTDIFFUSE);
    const bool w = append_white;
    out.line("Material {\n");
    ++out.level;
    if (!ambient) out.line("ambientColor [ 0 0 0]\n");
    if (!diffuse) out.line("diffuseColor [ 0 0 0]\n");
    if ((p & OVSPECULAR) && !(p & OVSHININESS)) out.line("shininess [0]\n");
    const int shared = p & OVAMBIENTDIFFUSE ? OVAMBIENTDIFFUSE : 0;
    if (ambient)
        write_list(out, table, "ambientColor", shared ? shared : OVAMBIENT, false, nullptr, w);
    if (diffuse)
        write_list(out, table, "diffuseColor", shared ? shared : OVDIFFUSE, false, nullptr, w);
    if (p & OVEMISSION) write_list(out, table, "emissiveColor", OVEMISSION, false, nullptr, w);
    if (p & OVSPECULAR) write_list(out, table, "specularColor", OVSPECULAR, false, nullptr, w);
    if (p & OVSHININESS) write_list(out, table, "shininess", OVSHININESS, true, shininess, w);
    if (p & OVOPACITY) write_list(out, table, "transparency", OVOPACITY, true, transparency, w);
    --out.level;
    out.line("}\n");
}

} // namespace orv::vrml
