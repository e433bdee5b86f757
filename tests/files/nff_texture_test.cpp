// Texture attributes through the NFF writers: the documented order in text,
// the style letters, round trips of text 3.00, text 2.10 and binary, and
// texture coordinates given to vertices with vertex splitting.
#include "nff_save_fixture.h"

#include "orv/texture.h"

#include <array>
#include <cmath>
#include <cstring>

namespace nfftest {
namespace {

constexpr int kW = 8, kH = 4;
constexpr float kUvTolerance = 1e-4f; // text keeps six decimals

class NffTexture : public NffSave {
  protected:
    void SetUp() override {
        NffSave::SetUp();
        ASSERT_TRUE(OVtexture_replace("checker", OVIMAGE_RGBA, kW, kH, pixels_));
    }
    unsigned char pixels_[kW * kH * 4] = {};
};

// Style, placement and tint varied per polygon, applied in the order the
// readers apply them; every fifth polygon stays untextured.
void texture_every_way(OVgeometry *g) {
    int i = 0;
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p), ++i) {
        if (i % 5 == 4) continue;
        ASSERT_TRUE(OVpoly_settexture(p, "checker", i & 1, (i >> 1) & 1)) << g_log;
        if (i % 3 == 0) OVpoly_mirrortexture(p);
        if (i % 4 == 1) OVpoly_rotatetexture(p, 0.5f + 0.1f * static_cast<float>(i));
        if (i % 3 == 2) OVpoly_scaletexture(p, 2.0f);
        if (i % 4 == 2) {
            const float d[2] = {3, -1.5f};
            OVpoly_translatetexture(p, d);
        }
        if (i % 7 == 3) OVpoly_settexturestyle(p, i & 1, (i >> 1) & 1, 1);
    }
}

std::vector<float> coordinates(OVpoly *p, bool u_axis) {
    std::vector<float> u(static_cast<std::size_t>(OVpoly_numvertices(p))), v(u.size());
    OVpoly_getuv(p, u.data(), v.data());
    return u_axis ? u : v;
}

// Same bindings: name, style flags, tint, placement and coordinates.
void expect_same_textures(OVgeometry *a, OVgeometry *b, bool placement, const std::string &what) {
    ASSERT_NE(b, nullptr) << what << "\n" << g_log;
    OVpoly *pa = OVgeometry_getpolys(a), *pb = OVgeometry_getpolys(b);
    for (int i = 0; pa && pb; pa = OVpoly_next(pa), pb = OVpoly_next(pb), ++i) {
        std::string at = what + " polygon " + std::to_string(i);
        OVtexinfo ia, ib;
        bool textured = OVpoly_gettextureinfo(pa, &ia);
        ASSERT_EQ(textured, static_cast<bool>(OVpoly_gettextureinfo(pb, &ib))) << at;
        if (!textured) continue;
        EXPECT_STREQ(ia.name, ib.name) << at;
        EXPECT_EQ(ia.shaded, ib.shaded) << at;
        EXPECT_EQ(ia.transparent, ib.transparent) << at;
        EXPECT_EQ(ia.tint, ib.tint) << at;
        if (placement) {
            EXPECT_NEAR(ia.rotation, ib.rotation, kUvTolerance) << at;
            EXPECT_NEAR(ia.scale, ib.scale, kUvTolerance) << at;
            EXPECT_EQ(ia.mirrored, ib.mirrored) << at;
            EXPECT_NEAR(ia.translation[0], ib.translation[0], kUvTolerance) << at;
            EXPECT_NEAR(ia.translation[1], ib.translation[1], kUvTolerance) << at;
        }
        for (bool u_axis : {true, false}) {
            std::vector<float> ca = coordinates(pa, u_axis), cb = coordinates(pb, u_axis);
            ASSERT_EQ(ca.size(), cb.size()) << at;
            for (std::size_t k = 0; k < ca.size(); ++k)
                EXPECT_NEAR(ca[k], cb[k], kUvTolerance) << at << (u_axis ? " u" : " v") << k;
        }
    }
}

TEST_F(NffTexture, TextWritesTheAttributesInTheirOrder) {
    OVgeometry *g = OVgeometry_newrectangle(2, 2, 0);
    OVpoly *p = OVgeometry_getpolys(g);
    OVpoly_setid(p, 4);
    ASSERT_TRUE(OVpoly_settexture(p, "checker", 1, 1));
    OVpoly_rotatetexture(p, 0.25f);
    OVpoly_mirrortexture(p);
    OVpoly_scaletexture(p, 0.5f);
    const float d[2] = {2, 0};
    OVpoly_translatetexture(p, d);
    OVpoly_settexturestyle(p, 1, 1, 1);
    std::string text = contents(save(g, OVFILE_NFF, "order.nff"));
    EXPECT_NE(text.find(" id=4 _U_checker tint  rot 0.250000 mirror scale 0.500000 trans "
                        "2.000000 0.000000\n"),
              std::string::npos)
        << text;
    OVgeometry_delete(g);
}

TEST_F(NffTexture, StyleLettersOfEveryCombination) {
    const char *want[] = {"_V_checker", "_S_checker", "_T_checker", "_U_checker"};
    for (int style = 0; style < 4; ++style) {
        OVgeometry *g = OVgeometry_newrectangle(1, 1, 0);
        OVpoly *p = OVgeometry_getpolys(g);
        ASSERT_TRUE(OVpoly_settexture(p, "checker", style & 1, style >> 1));
        std::string text = contents(save(g, OVFILE_NFF, "style.nff"));
        EXPECT_NE(text.find(std::string(" ") + want[style] + "\n"), std::string::npos) << text;
        std::string binary = contents(save(g, OVFILE_BNFF, "style.bnff"));
        // Item 2, the length byte, the letter, "_" and the name.
        std::string item = std::string("\x02\x09", 2) + (want[style] + 1);
        EXPECT_NE(binary.find(item), std::string::npos) << want[style];
        for (const char *file : {"style.nff", "style.bnff"}) {
            OVgeometry *read =
                load((dir_ / file).string(), std::strstr(file, "bnff") ? OVFILE_BNFF : OVFILE_NFF);
            ASSERT_NE(read, nullptr) << g_log;
            int shaded = -1, transparent = -1, tint = -1;
            ASSERT_TRUE(
                OVpoly_gettexturestyle(OVgeometry_getpolys(read), &shaded, &transparent, &tint))
                << file;
            EXPECT_EQ(shaded, style & 1) << file << " " << want[style];
            EXPECT_EQ(transparent, style >> 1) << file << " " << want[style];
            EXPECT_EQ(tint, 0) << file;
        }
        OVgeometry_delete(g);
    }
}

TEST_F(NffTexture, EveryPrimitiveKeepsItsTexturesThroughEveryForm) {
    std::vector<OVgeometry *> shapes = decorated_primitives();
    for (OVgeometry *g : shapes)
        texture_every_way(g);
    struct Form {
        int type, old_colours;
        const char *suffix;
    };
    for (Form form : {Form{OVFILE_NFF, 0, " 3.00"}, Form{OVFILE_NFF, 1, " 2.10"},
                      Form{OVFILE_BNFF, 0, " binary"}}) {
        OVuniverse_setoption(12, form.old_colours);
        int i = 0;
        for (OVgeometry *g : shapes) {
            std::string file =
                "shape" + std::to_string(i++) + (form.type == OVFILE_NFF ? ".nff" : ".bnff");
            std::string what = std::string(OVgeometry_getname(g)) + form.suffix;
            OVgeometry *read = load(save(g, form.type, file.c_str()), form.type);
            expect_same_geometry(g, read, what);
            expect_same_textures(g, read, true, what);
        }
    }
    EXPECT_FALSE(logged("invalid")) << g_log;
    EXPECT_FALSE(logged("not found")) << g_log;
    for (OVgeometry *g : shapes)
        OVgeometry_delete(g);
}

int vertex_count(OVgeometry *g) {
    int n = 0;
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v))
        ++n;
    return n;
}

// Vertex lines of a text file, each split into its words.
std::vector<std::vector<std::string>> vertex_lines(const std::string &text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
        end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(at, end - at));
    }
    std::vector<std::vector<std::string>> out;
    std::size_t first = 0;
    while (first < lines.size() && lines[first].rfind("mtable ", 0) != 0)
        ++first;
    int count = std::stoi(lines.at(first + 1));
    for (int k = 0; k < count; ++k) {
        std::vector<std::string> words;
        std::string line = lines.at(first + 2 + static_cast<std::size_t>(k));
        for (std::size_t at = 0, end; at < line.size(); at = end + 1) {
            end = line.find(' ', at);
            if (end == std::string::npos) end = line.size();
            words.push_back(line.substr(at, end - at));
        }
        out.push_back(words);
    }
    return out;
}

// A block's corners are shared by three faces with different coordinates:
// the writer splits them, and each face reads back with its own coordinates.
TEST_F(NffTexture, VertexCoordinatesSplitSharedCorners) {
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    OVpoly *untextured = OVgeometry_getpolys(g); // the newest face keeps none
    for (OVpoly *p = OVpoly_next(untextured); p; p = OVpoly_next(p))
        ASSERT_TRUE(OVpoly_settexture(p, "checker", 1, 0));
    OVgeometry *copy = OVgeometry_copy(g);
    OVuniverse_setoption(5, 1);
    std::string path = save(g, OVFILE_NFF, "uv.nff");
    std::vector<std::vector<std::string>> vertices = vertex_lines(contents(path));
    // Five textured faces of four corners: twenty pairs, eight on the
    // original corners and twelve on new vertices, as the default mapping
    // gives each face its own pairs at a shared corner.
    int with_uv = 0;
    for (const auto &words : vertices)
        with_uv += words.size() >= 6 && words[3] == "uv";
    EXPECT_GT(vertices.size(), 8u);
    EXPECT_EQ(vertex_count(g), static_cast<int>(vertices.size()));
    EXPECT_EQ(with_uv, static_cast<int>(vertices.size())) << contents(path);
    // The new vertices stay at the end, copies of corners already listed.
    for (std::size_t k = 8; k < vertices.size(); ++k) {
        bool copy_of_corner = false;
        for (std::size_t j = 0; j < 8; ++j)
            copy_of_corner =
                copy_of_corner ||
                std::equal(vertices[k].begin(), vertices[k].begin() + 3, vertices[j].begin());
        EXPECT_TRUE(copy_of_corner) << k;
    }
    for (int type : {OVFILE_NFF, OVFILE_BNFF}) {
        std::string file = type == OVFILE_NFF ? "uv.nff" : "uv.bnff";
        OVgeometry *read = load(save(g, type, file.c_str()), type);
        expect_same_geometry(g, read, file);
        // The coordinates come from the vertices, not from a new mapping.
        expect_same_textures(copy, read, false, file);
    }
    // Once split, a second save has nothing more to split.
    int count = vertex_count(g);
    save(g, OVFILE_NFF, "again.nff");
    EXPECT_EQ(vertex_count(g), count);
    OVgeometry_delete(copy);
    OVgeometry_delete(g);
}

// Corners whose faces agree on a pair are not split, and a vertex used only
// by untextured faces carries no coordinates.
TEST_F(NffTexture, AgreeingCornersStayShared) {
    OVgeometry *g = OVgeometry_begin();
    OVp3 corners[] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 0, 0}};
    for (OVp3 &c : corners)
        OVgeometry_newvertex(g, c);
    std::vector<OVpoly *> faces;
    for (auto ring : {std::array{0, 1, 2}, std::array{0, 2, 3}, std::array{1, 4, 2}}) {
        OVpoly *p = OVgeometry_beginpoly(g);
        for (int k : ring)
            OVpoly_addvertex(p, k);
        ASSERT_TRUE(OVpoly_close(p));
        faces.push_back(p);
    }
    ASSERT_TRUE(OVgeometry_close(g)) << g_log;
    OVpoly *a = faces[0], *b = faces[1];
    const float ua[] = {0, 1, 1}, va[] = {0, 0, 1}, ub[] = {0, 1, 0}, vb[] = {0, 1, 1};
    ASSERT_TRUE(OVpoly_settextureuv(a, "checker", ua, va, 0, 0));
    ASSERT_TRUE(OVpoly_settextureuv(b, "checker", ub, vb, 0, 0));
    OVuniverse_setoption(5, 1);
    std::vector<std::vector<std::string>> lines =
        vertex_lines(contents(save(g, OVFILE_NFF, "shared.nff")));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(vertex_count(g), 5);
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_TRUE(lines[k].size() == 6 && lines[k][3] == "uv") << k;
    EXPECT_EQ(lines[4].size(), 3u); // only the untextured face uses it
    OVgeometry_delete(g);
}

TEST_F(NffTexture, WithoutTheOptionNoVertexCarriesCoordinates) {
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    ASSERT_TRUE(OVgeometry_settexture(g, "checker", 0, 1));
    std::string text = contents(save(g, OVFILE_NFF, "plain.nff"));
    EXPECT_EQ(text.find(" uv "), std::string::npos);
    EXPECT_EQ(vertex_count(g), 8);
    OVgeometry_delete(g);
}

} // namespace
} // namespace nfftest
