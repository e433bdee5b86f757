// Writes the 3D font model: every printable ASCII glyph of a TrueType font as
// a closed solid (front face towards -z, +y down the screen), one text NFF
// geometry "char<code>" each, all in one character cell about 8 wide and 12 high.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr float kCellWidth = 8.0f;
constexpr float kDepth = 2.0f;
constexpr int kCurveSteps = 6;

struct Point {
    double x, y;
};
using Contour = std::vector<Point>;

struct Flattener {
    std::vector<Contour> contours;
    Point at{0, 0};
    double scale = 1, top = 0;

    Point map(const FT_Vector *v) const { return {v->x * scale, (top - v->y) * scale}; }
    void line(Point p) {
        contours.back().push_back(p);
        at = p;
    }
};

int move_to(const FT_Vector *to, void *user) {
    auto *f = static_cast<Flattener *>(user);
    f->contours.emplace_back();
    f->line(f->map(to));
    return 0;
}

int line_to(const FT_Vector *to, void *user) {
    auto *f = static_cast<Flattener *>(user);
    f->line(f->map(to));
    return 0;
}

int conic_to(const FT_Vector *control, const FT_Vector *to, void *user) {
    auto *f = static_cast<Flattener *>(user);
    Point a = f->at, c = f->map(control), b = f->map(to);
    for (int i = 1; i <= kCurveSteps; ++i) {
        double t = double(i) / kCurveSteps, s = 1 - t;
        f->line({s * s * a.x + 2 * s * t * c.x + t * t * b.x,
                 s * s * a.y + 2 * s * t * c.y + t * t * b.y});
    }
    return 0;
}

int cubic_to(const FT_Vector *c1, const FT_Vector *c2, const FT_Vector *to, void *user) {
    auto *f = static_cast<Flattener *>(user);
    Point a = f->at, p = f->map(c1), q = f->map(c2), b = f->map(to);
    for (int i = 1; i <= kCurveSteps; ++i) {
        double t = double(i) / kCurveSteps, s = 1 - t;
        f->line({s * s * s * a.x + 3 * s * s * t * p.x + 3 * s * t * t * q.x + t * t * t * b.x,
                 s * s * s * a.y + 3 * s * s * t * p.y + 3 * s * t * t * q.y + t * t * t * b.y});
    }
    return 0;
}

// Triangles of the glyph face, as indices into points (new points from
// intersections are appended).
struct Tessellation {
    std::vector<Point> points;
    std::vector<int> triangles;
    std::vector<std::vector<double>> storage; // coordinates handed to GLU
};

void GLAPIENTRY on_vertex(void *data, void *user) {
    static_cast<Tessellation *>(user)->triangles.push_back(
        static_cast<int>(reinterpret_cast<intptr_t>(data)));
}
void GLAPIENTRY on_edge(GLboolean, void *) {} // forces separate triangles
void GLAPIENTRY on_combine(GLdouble coords[3], void *[4], GLfloat[4], void **out, void *user) {
    auto *t = static_cast<Tessellation *>(user);
    t->points.push_back({coords[0], coords[1]});
    *out = reinterpret_cast<void *>(static_cast<intptr_t>(t->points.size() - 1));
}

Tessellation tessellate(const std::vector<Contour> &contours) {
    Tessellation t;
    for (const Contour &c : contours)
        t.points.insert(t.points.end(), c.begin(), c.end());
    GLUtesselator *tess = gluNewTess();
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<_GLUfuncptr>(on_vertex));
    gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<_GLUfuncptr>(on_edge));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<_GLUfuncptr>(on_combine));
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
    gluTessNormal(tess, 0, 0, 1);
    t.storage.reserve(t.points.size());
    gluTessBeginPolygon(tess, &t);
    int index = 0;
    for (const Contour &c : contours) {
        gluTessBeginContour(tess);
        for (const Point &p : c) {
            t.storage.push_back({p.x, p.y, 0});
            gluTessVertex(tess, t.storage.back().data(),
                          reinterpret_cast<void *>(static_cast<intptr_t>(index++)));
        }
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
    return t;
}

void write_glyph(std::FILE *out, int code, std::vector<Contour> contours) {
    for (Contour &c : contours) // the closing point repeats the first
        if (c.size() > 1 && c.front().x == c.back().x && c.front().y == c.back().y) c.pop_back();
    Tessellation t = tessellate(contours);
    if (t.triangles.empty()) return;
    std::size_t n = t.points.size();
    std::size_t side_quads = 0;
    for (const Contour &c : contours)
        side_quads += c.size() >= 3 ? c.size() : 0;
    std::fprintf(out, "char%d\n%zu\n", code, n * 2);
    for (int layer = 0; layer < 2; ++layer)
        for (const Point &p : t.points)
            std::fprintf(out, "%.4f %.4f %.1f\n", p.x, p.y, layer ? kDepth : 0.0f);
    std::fprintf(out, "%zu\n", t.triangles.size() / 3 * 2 + side_quads);
    for (std::size_t i = 0; i + 2 < t.triangles.size(); i += 3) {
        int a = t.triangles[i], b = t.triangles[i + 1], c = t.triangles[i + 2];
        std::fprintf(out, "3 %d %d %d 0xfff both\n", a, b, c);
        std::fprintf(out, "3 %zu %zu %zu 0xfff both\n", c + n, b + n, a + n);
    }
    std::size_t base = 0;
    for (const Contour &c : contours) {
        for (std::size_t i = 0; c.size() >= 3 && i < c.size(); ++i) {
            std::size_t a = base + i, b = base + (i + 1) % c.size();
            std::fprintf(out, "4 %zu %zu %zu %zu 0xfff both\n", a, b, b + n, a + n);
        }
        base += c.size();
    }
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fontgen font.ttf RCFONT3D.NFF\n");
        return 2;
    }
    FT_Library library;
    FT_Face face;
    if (FT_Init_FreeType(&library) || FT_New_Face(library, argv[1], 0, &face)) {
        std::fprintf(stderr, "fontgen: cannot read %s\n", argv[1]);
        return 1;
    }
    std::FILE *out = std::fopen(argv[2], "w");
    if (!out) {
        std::fprintf(stderr, "fontgen: cannot write %s\n", argv[2]);
        return 1;
    }
    std::fprintf(out, "nff\n");
    FT_Outline_Funcs funcs = {move_to, line_to, conic_to, cubic_to, 0, 0};
    for (int code = 33; code <= 126; ++code) {
        if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP))
            continue;
        Flattener f;
        f.scale = kCellWidth /
                  double(face->glyph->advance.x ? face->glyph->advance.x : face->units_per_EM);
        f.top = face->ascender;
        FT_Outline_Decompose(&face->glyph->outline, &funcs, &f);
        write_glyph(out, code, f.contours);
    }
    bool ok = std::fclose(out) == 0;
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return ok ? 0 : 1;
}
