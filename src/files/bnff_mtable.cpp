#include "files/bnff_mtable.h"

#include "orv/message.h"
#include "orv/mtable.h"

namespace orv::bnff {

namespace {

constexpr int kInitialEntries = 10;
constexpr int kPropertyBits = 0x7F;

void report_unexpected_end(const char *file_name) {
    OVwarning("Unexpected end of binary NFF file %s\n", file_name);
}

// The property bytes up to tag 9; -1 at the end of the file.
int read_properties(Reader &r) {
    int properties = 0;
    for (std::uint8_t b;;) {
        if (!r.u8(&b)) return -1;
        if (b == kEntries) return properties;
        if (property_floats(b)) properties |= b;
    }
}

// Entries up to tag 5; false at the end of the file.
bool read_entries(Reader &r, OVmtable *table) {
    int entry = -1;
    for (std::uint8_t tag;;) {
        if (!r.u8(&tag)) return false;
        if (tag == kMaterialEnd) return true;
        if (tag == kNewEntry) {
            entry = OVmtable_newentry(table);
            continue;
        }
        int n = property_floats(tag);
        if (!n) continue; // other bytes are skipped
        float values[3];
        if (!r.floats(values, n)) return false;
        if (entry >= 0) OVmtable_setvalue(table, entry, values, tag);
    }
}

OVmtable *read_table(Reader &r, const char *file_name) {
    std::uint8_t tag;
    bool got = r.u8(&tag);
    if (!got || tag != kProperties) {
        if (!got) report_unexpected_end(file_name);
        OVwarning("No valid-property-list in the material part of the input file !!\n");
        return nullptr;
    }
    int properties = read_properties(r);
    if (properties < 0) {
        report_unexpected_end(file_name);
        return nullptr;
    }
    if (!properties) {
        OVwarning("no valid properties defined for material table\n");
        return nullptr;
    }
    OVmtable *table = OVmtable_new(properties, kInitialEntries, nullptr);
    if (table && !read_entries(r, table)) {
        report_unexpected_end(file_name);
        OVmtable_delete(table);
        return nullptr;
    }
    return table;
}

} // namespace

void write_material_section(Writer &w, OVmtable *table) {
    w.u8(kMaterialStart);
    if (table) {
        int properties = OVmtable_getproperties(table) & kPropertyBits;
        w.u8(kProperties);
        for (const PropertyLayout &p : kPropertyOrder)
            if (properties & p.bit) w.u8(static_cast<std::uint8_t>(p.bit));
        w.u8(kEntries);
        int count = OVmtable_getnumentries(table);
        for (int i = 0; i < count; ++i) {
            w.u8(kNewEntry);
            for (const PropertyLayout &p : kPropertyOrder) {
                float values[3] = {0, 0, 0};
                if (!(properties & p.bit)) continue;
                OVmtable_getvalue(table, i, values, p.bit);
                w.u8(static_cast<std::uint8_t>(p.bit));
                for (int k = 0; k < p.floats; ++k)
                    w.f32(values[k]);
            }
            w.flush();
        }
    }
    w.u8(kMaterialEnd);
}

bool read_material_section(Reader &r, const char *file_name, OVmtable **table) {
    *table = nullptr;
    std::uint8_t tag;
    bool got = r.u8(&tag);
    if (!got || tag != kMaterialStart) {
        if (!got) report_unexpected_end(file_name);
        OVwarning("No material related information in the input file!!\n");
        return false;
    }
    // The empty section: a geometry without a table.
    if (r.peek(&tag) && tag == kMaterialEnd) return r.u8(&tag);
    *table = read_table(r, file_name);
    if (*table) return true;
    OVwarning("_bff_scan_mtable returned NULL \n");
    OVwarning("Cannot parse mtable for object.\n");
    return false;
}

} // namespace orv::bnff
