#include "draw2d/font_table.h"

#include "draw2d/font_list.h"
#include "draw2d/glyph_lists.h"
#include "orv/message.h"
#include "render/list_names.h"

#include <GL/gl.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace orv::draw2d {
namespace {

struct FontTable {
    std::vector<std::unique_ptr<Font>> fonts;
    int current = -1;
};

FontTable &table() {
    static FontTable t;
    return t;
}

// Adds a font to the table and makes it current; reports one that cannot be made.
void add_font(const char *face, int height) {
    FontTable &t = table();
    if (static_cast<int>(t.fonts.size()) >= max_fonts) {
        OVwarning("Couldn't create font(font:%s, size%d)\n", face, height);
        return;
    }
    auto font = std::make_unique<Font>();
    font->list_base = list_names_take(glyph_count);
    if (!font->list_base || !compile_font(face, height, font.get())) {
        if (font->list_base) {
            glDeleteLists(font->list_base, glyph_count);
            list_names_free(font->list_base, glyph_count);
        }
        OVwarning("Couldn't create font(font:%s, size%d)\n", face, height);
        return;
    }
    t.fonts.push_back(std::move(font));
    select_font(static_cast<int>(t.fonts.size()) - 1);
}

// The whole list file, or false when it cannot be opened.
bool read_list_file(std::vector<char> *text) {
    std::FILE *file = std::fopen(font_list_file, "rb");
    if (!file) return false;
    char chunk[4096];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        text->insert(text->end(), chunk, chunk + got);
    std::fclose(file);
    return true;
}

} // namespace

void fonts_load() {
    fonts_release();
    std::vector<char> text;
    if (!read_list_file(&text)) {
        add_font(system_face, 0);
        return;
    }
    for (const FontRequest &request : parse_font_list(text.data(), text.size()))
        add_font(request.face.c_str(), request.height);
}

void fonts_release() {
    FontTable &t = table();
    for (const auto &font : t.fonts) {
        glDeleteLists(font->list_base, glyph_count);
        list_names_free(font->list_base, glyph_count);
    }
    t.fonts.clear();
    t.current = -1;
}

int font_count() {
    return static_cast<int>(table().fonts.size());
}

const Font *current_font() {
    const FontTable &t = table();
    return t.current < 0 ? nullptr : t.fonts[t.current].get();
}

bool select_font(int index) {
    FontTable &t = table();
    if (index < 0 || index >= font_count()) return false;
    t.current = index;
    glListBase(t.fonts[index]->list_base);
    return true;
}

} // namespace orv::draw2d
