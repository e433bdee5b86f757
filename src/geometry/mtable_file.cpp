// Material files: "<name>.mat" written by save, read back by load.
#include "core/text_token.h"
#include "core/tokenizer.h"
#include "geometry/mtable_record.h"
#include "orv/file.h"
#include "orv/message.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct PropertyWord {
    int property;
    const char *word;
    int floats;
    const char *label;
};

// File order of the properties.
constexpr PropertyWord kWords[] = {
    {OVAMBIENT, "ambient", 3, "ambient value"},
    {OVDIFFUSE, "diffuse", 3, "diffuse value"},
    {OVSPECULAR, "specular", 3, "specular value"},
    {OVSHININESS, "shininess", 1, "shininess value"},
    {OVEMISSION, "emission", 3, "emission value"},
    {OVAMBIENTDIFFUSE, "ambientdiffuse", 3, "ambientdiffuse value"},
    {OVOPACITY, "opacity", 1, "Alpha value"},
};

const PropertyWord *word_for(const char *token) {
    if (std::strcmp(token, "alpha") == 0) return &kWords[6];
    for (const PropertyWord &w : kWords)
        if (std::strcmp(token, w.word) == 0) return &w;
    return nullptr;
}

std::string file_base(const std::string &path) {
    std::string base = path;
    std::size_t sep = base.find_last_of(":/\\");
    if (sep != std::string::npos) base.erase(0, sep + 1);
    std::size_t dot = base.rfind('.');
    if (dot != std::string::npos) base.erase(dot);
    return base;
}

std::string find_file(const char *name) {
    std::string with_ext = std::string(name) + ".mat";
    for (const std::string &candidate : {with_ext, std::string(name)}) {
        const char *found = _OVfile_findpath(candidate.c_str(), "OVMODELS");
        if (found && _OVfile_type(found) == OVFILE_MAT) return found;
    }
    return {};
}

int read_properties(orv::LineTokenizer &tok) {
    const char *t;
    while ((t = tok.next()) && std::strcmp(t, "valid") != 0) {
    }
    if (!t) {
        OVwarning("no 'valid' token found in .mat file\n");
        return 0;
    }
    int properties = 0;
    while ((t = tok.next_on_line()))
        if (const PropertyWord *w = word_for(t)) properties |= w->property;
    if (!properties) OVwarning("no valid properties defined for material table\n");
    return properties;
}

void read_value(orv::LineTokenizer &tok, OVmtable *table, int entry, const PropertyWord &w) {
    float values[3];
    for (int i = 0; i < w.floats; ++i)
        if (!tok.read_float(w.label, &values[i])) return;
    OVmtable_setvalue(table, entry, values, w.property);
}

void read_entries(orv::LineTokenizer &tok, OVmtable *table) {
    int entry = -1;
    while (const char *t = tok.next()) {
        if (std::strcmp(t, "matdef") == 0) {
            entry = OVmtable_newentry(table);
            if (const char *name = tok.next_on_line()) OVmtable_setentryname(table, entry, name);
        } else if (entry < 0) {
            OVwarning("%s precedes expected 'matdef' token: it will be ignored.\n", t);
        } else if (const PropertyWord *w = word_for(t)) {
            read_value(tok, table, entry, *w);
        }
    }
}

void name_after_file(OVmtable *table, const std::string &path) {
    std::string base = file_base(path);
    if (!base.empty() && base.find(' ') == std::string::npos &&
        OVmtable_setname(table, base.c_str()))
        return;
    if (base.empty() || base.find(' ') != std::string::npos)
        OVwarning("invalid mtable name %s: no spaces allowed in name\n", base.c_str());
    OVwarning("generated table name %s used instead of given name %s\n", table->name, base.c_str());
}

} // namespace

extern "C" {

ORV_API int OVmtable_save(OVmtable *table) {
    if (!table) return 0;
    std::string file_name = std::string(table->name) + ".mat";
    std::FILE *f = std::fopen(file_name.c_str(), "wb");
    if (!f) {
        OVwarning("Can't open material file %s for writing\n", file_name.c_str());
        return 0;
    }
    std::fputs("mat\nversion 3.00\nvalid", f);
    for (const PropertyWord &w : kWords)
        if (table->properties & w.property) std::fprintf(f, " %s", w.word);
    std::fputs("\n", f);
    for (int i = 0; i < table->count; ++i) {
        // A name must stay one token to read back.
        const char *name = OVmtable_getentryname(table, i);
        const std::string token = name && *name ? orv::text_token("Material name", name, "") : "";
        std::fprintf(f, "\nmatdef %s%s// id %d\n", token.c_str(), token.empty() ? "" : " ", i);
        for (const PropertyWord &w : kWords) {
            float v[3];
            if (!(table->properties & w.property) || !OVmtable_getvalue(table, i, v, w.property))
                continue;
            if (w.floats == 3)
                std::fprintf(f, "%s %f %f %f\n", w.word, v[0], v[1], v[2]);
            else
                std::fprintf(f, "%s %f\n", w.word, v[0]);
        }
    }
    bool ok = std::ferror(f) == 0;
    ok = std::fclose(f) == 0 && ok;
    return ok ? 1 : 0;
}

ORV_API OVmtable *OVmtable_load(const char *name) {
    if (!name) return nullptr;
    std::string path = find_file(name);
    if (path.empty()) return nullptr;
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (!f) return nullptr;
    orv::LineTokenizer tok(f, path.c_str());
    const char *magic = tok.next();
    if (!magic) {
        OVwarning("File %s has no data\n", path.c_str());
        std::fclose(f);
        return nullptr;
    }
    if (std::strcmp(magic, "mat") != 0) {
        OVwarning("File %s. '%s' is not the magic string ('%s')\n", path.c_str(), magic, "mat");
        tok.push_back();
    }
    if (const char *t = tok.next()) {
        float version;
        if (std::strcmp(t, "version") == 0)
            tok.read_float_any("Version number", &version);
        else
            tok.push_back();
    }
    int properties = read_properties(tok);
    OVmtable *table = orv::mtable_create(properties, 10, nullptr);
    if (table) {
        read_entries(tok, table);
        if (table->count == 0) {
            OVmtable_delete(table);
            table = nullptr;
        } else {
            name_after_file(table, path);
        }
    }
    std::fclose(f);
    return table;
}

} // extern "C"
