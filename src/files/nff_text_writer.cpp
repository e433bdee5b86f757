// The text NFF writer: version 3.00 with material ids and the material table
// in its own file, or version 2.10 with hexadecimal colours.
#include "files/nff_write_model.h"
#include "files/nff_writer.h"
#include "core/text_token.h"

#include "geometry/geometry_access.h"
#include "orv/geometry.h"
#include "orv/math.h"
#include "orv/message.h"
#include "orv/mtable.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string_view>

namespace orv {

namespace {

constexpr float kVersion = 3.0f;
constexpr const char *kUniverseFallbackName = "OVuniverse";

// Words that the reader takes as header keywords before the first geometry.
bool header_keyword(const std::string &word) {
    for (const char *k : {"distinct", "viewpos", "viewdir", "version"})
        if (word == k) return true;
    return false;
}

std::string geometry_token(const char *name, const char *fallback) {
    std::string token = text_token("Geometry name", name, fallback);
    if (header_keyword(token)) {
        OVwarning("Geometry name \"%s\" written as \"%s_\" so that it reads back\n", token.c_str(),
                  token.c_str());
        token += '_';
    }
    return token;
}

// One line of words that goes on over further lines (ending each with a
// backslash token) before it would outgrow what the tokenizer reads whole.
class WrappedLine {
  public:
    explicit WrappedLine(std::FILE *file) : f_(file) {}
    void word(const char *format, ...) __attribute__((format(printf, 2, 3)));

  private:
    static constexpr std::size_t kWordRoom = 64; // a word's keyword and numbers around a token
    static constexpr std::size_t kWrapColumn = LineTokenizer::kLineLimit - 1;
    static constexpr std::string_view kContinuation = " \\\n";
    std::FILE *f_;
    std::size_t column_ = 0;
};

class TextWriter {
  public:
    TextWriter(std::FILE *file, const NffSave &save) : f_(file), save_(save), s_(save.settings) {}
    void header();
    // False when the geometry's material file could not be written.
    bool geometry(OVgeometry *g, const char *name);
    bool written() { return std::fflush(f_) == 0 && !std::ferror(f_); }

  private:
    void vertex(const WriteModel &model, const OVvertex *v);
    void polygon(const WriteModel &model, OVpoly *p, int position);
    void texture(WrappedLine &line, OVpoly *p);

    std::FILE *f_;
    const NffSave &save_;
    const NffWriteSettings &s_;
    OVmtable *table_ = nullptr;
};

void TextWriter::header() {
    if (s_.old_colours)
        std::fputs("nff\nversion 2.10\n", f_);
    else
        std::fprintf(f_, "nff\nversion %1.2f\n", kVersion);
    if (!save_.view) return;
    OVp3 d;
    OVq_2dir(save_.view->q, d);
    std::fprintf(f_, "viewpos  %f %f %f\n", save_.view->p[0], save_.view->p[1], save_.view->p[2]);
    std::fprintf(f_, "viewdir  %f %f %f\n", d[0], d[1], d[2]);
    if (save_.universe) std::fputs("\n", f_);
}

void TextWriter::vertex(const WriteModel &model, const OVvertex *v) {
    std::fprintf(f_, "%f %f %f", geom::vertex_position(v)[0], geom::vertex_position(v)[1],
                 geom::vertex_position(v)[2]);
    if (geom::vertex_normal(v))
        std::fprintf(f_, " norm %f %f %f", geom::vertex_normal(v)[0], geom::vertex_normal(v)[1],
                     geom::vertex_normal(v)[2]);
    if (const geom::VertexUV *uv = model.uv(v)) std::fprintf(f_, " uv %f %f", uv->u, uv->v);
    if (geom::vertex_flags(v) & OVVERTEX_OWNMATID) {
        if (s_.old_colours)
            std::fprintf(f_, " rgb 0x%06x", entry_colour24(table_, geom::vertex_matid(v)));
        else
            std::fprintf(f_, " matid %d", geom::vertex_matid(v));
    }
    std::fputs("\n", f_);
}

void WrappedLine::word(const char *format, ...) {
    char text[kMaxTextToken + kWordRoom];
    std::va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    const std::size_t size = std::min(static_cast<std::size_t>(std::max(n, 0)), sizeof text - 1);
    if (column_ > 0 && column_ + size + kContinuation.size() >= kWrapColumn) {
        std::fputs(kContinuation.data(), f_);
        column_ = 0;
    }
    std::fwrite(text, 1, size, f_);
    column_ += size;
}

void TextWriter::texture(WrappedLine &line, OVpoly *p) {
    PolyTexture t;
    if (!poly_texture(p, &t)) return;
    std::string name = text_token("Texture name", t.name.c_str(), "untitled");
    line.word(" _%c_%s", t.style, name.c_str());
    // The older form keeps the placement and the tint too: its reader takes
    // them, and leaving them out would lose them.
    if (t.tint) line.word(" tint ");
    if (rotation_written(t.rotation)) line.word(" rot %f", t.rotation);
    if (t.mirrored) line.word(" mirror");
    if (scale_written(t.scale)) line.word(" scale %f", t.scale);
    if (translation_written(t.translation))
        line.word(" trans %f %f", t.translation[0], t.translation[1]);
}

void TextWriter::polygon(const WriteModel &model, OVpoly *p, int position) {
    std::vector<OVvertex *> ring = model.corners(p, position);
    WrappedLine line(f_);
    line.word("%d", static_cast<int>(ring.size()));
    for (const OVvertex *v : ring)
        line.word(" %d", model.number(v));
    if (!s_.old_colours)
        line.word(" matid %d", geom::poly_matid(p));
    else if (s_.colour12)
        line.word(" 0x%03x", std::max(OVpoly_getcolor(p), 0)); // -1: no table
    else
        line.word(" 0x%06x", entry_colour24(table_, geom::poly_matid(p)));
    if (geom::poly_flags(p) & OVPOLY_BOTHSIDES) line.word(" both");
    if (geom::poly_id(p) != 0) line.word(" id=%d", geom::poly_id(p));
    texture(line, p);
    if (const char *target = written_portal_target(p, s_))
        line.word(" -%s", text_token("Portal name", target, "untitled").c_str());
    std::fputs("\n", f_);
}

bool TextWriter::geometry(OVgeometry *g, const char *name) {
    table_ = geom::geometry_mtable(g);
    bool table_saved = true;
    if (!s_.old_colours && table_) table_saved = OVmtable_save(table_) != 0;
    const char *fallback = save_.universe ? kUniverseFallbackName : "untitled";
    std::fprintf(f_, "\n%s\n",
                 geometry_token(name ? name : geom::geometry_name(g), fallback).c_str());
    if (!s_.old_colours && table_) std::fprintf(f_, "mtable %s\n", OVmtable_getname(table_));
    WriteModel model(g, s_.texture_uv);
    std::fprintf(f_, "%d\n", static_cast<int>(model.vertices().size()));
    for (const OVvertex *v : model.vertices())
        vertex(model, v);
    std::fprintf(f_, "%d\n", static_cast<int>(model.polygons().size()));
    int position = 0;
    for (OVpoly *p : model.polygons())
        polygon(model, p, position++);
    return table_saved;
}

} // namespace

bool nff_write_text(std::FILE *file, const GeometryList &geometries, const NffSave &save) {
    if (!file) return false;
    TextWriter writer(file, save);
    writer.header();
    bool ok = true;
    for (std::size_t i = 0; i < geometries.size(); ++i)
        ok = writer.geometry(geometries[i], i == 0 ? save.name : nullptr) && ok;
    return writer.written() && ok;
}

} // namespace orv
