// A material table as one VRML Material node with a list per component.
#include "orv/mtable.h"
#include "vrml/vrml_geometry.h"

namespace orv::vrml {

namespace {

constexpr float shininess_scale = 128.0f;

// One list: "%f %f %f" (or one value) per entry, separated by ",\n".
void write_list(Output &out, OVmtable *table, const char *field, int property, bool single,
                float (*convert)(float)) {
    out.line("%s [\n", field);
    const int entries = OVmtable_getnumentries(table);
    for (int i = 0; i < entries; ++i) {
        float v[3] = {0, 0, 0};
        OVmtable_getvalue(table, i, v, property);
        if (single)
            out.line("%f", convert ? convert(v[0]) : v[0]);
        else
            out.line("%f %f %f", v[0], v[1], v[2]);
        out.text(i + 1 < entries ? ",\n" : "\n");
    }
    out.line("]\n");
}

float shininess(float s) {
    return s / shininess_scale;
}

float transparency(float opacity) {
    return 1 - opacity;
}

} // namespace

void write_material_table(Output &out, OVmtable *table) {
    const int p = OVmtable_getproperties(table);
    const bool ambient = p & (OVAMBIENT | OVAMBIENTDIFFUSE);
    const bool diffuse = p & (OVDIFFUSE | OVAMBIENTDIFFUSE);
    out.line("Material {\n");
    ++out.level;
    if (!ambient) out.line("ambientColor [ 0 0 0]\n");
    if (!diffuse) out.line("diffuseColor [ 0 0 0]\n");
    if ((p & OVSPECULAR) && !(p & OVSHININESS)) out.line("shininess [0]\n");
    const int shared = p & OVAMBIENTDIFFUSE ? OVAMBIENTDIFFUSE : 0;
    if (ambient)
        write_list(out, table, "ambientColor", shared ? shared : OVAMBIENT, false, nullptr);
    if (diffuse)
        write_list(out, table, "diffuseColor", shared ? shared : OVDIFFUSE, false, nullptr);
    if (p & OVEMISSION) write_list(out, table, "emissiveColor", OVEMISSION, false, nullptr);
    if (p & OVSPECULAR) write_list(out, table, "specularColor", OVSPECULAR, false, nullptr);
    if (p & OVSHININESS) write_list(out, table, "shininess", OVSHININESS, true, shininess);
    if (p & OVOPACITY) write_list(out, table, "transparency", OVOPACITY, true, transparency);
    --out.level;
    out.line("}\n");
}

} // namespace orv::vrml
