// A geometry as VRML: its coordinates, normals, polygon classes with the
// bindings between them, and the index lists of each face set.
#include "vrml_fixture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <regex>
#include <sstream>

namespace {

std::vector<OVpoly *> polygons(OVgeometry *g) {
    std::vector<OVpoly *> out;
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
        out.push_back(p);
    return out;
}

std::vector<OVvertex *> vertices(OVgeometry *g) {
    std::vector<OVvertex *> out;
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v))
        out.push_back(v);
    return out;
}

int number_of(const std::vector<OVvertex *> &all, OVvertex *v) {
    return static_cast<int>(std::find(all.begin(), all.end(), v) - all.begin());
}

// The numbers of an index list, faces split at -1.
std::vector<std::vector<int>> faces_of(const std::string &list) {
    std::vector<std::vector<int>> faces(1);
    std::string words = list;
    std::replace(words.begin(), words.end(), ',', ' ');
    std::istringstream in(words);
    for (int x; in >> x;) {
        if (x == -1)
            faces.emplace_back();
        else
            faces.back().push_back(x);
    }
    faces.pop_back();
    return faces;
}

// The numbers of a one-per-face list.
std::vector<int> numbers_of(const std::string &list) {
    std::vector<int> out;
    std::string words = list;
    std::replace(words.begin(), words.end(), ',', ' ');
    std::istringstream in(words);
    for (int x; in >> x;)
        out.push_back(x);
    return out;
}

// The vectors of the Normal node.
std::vector<std::array<float, 3>> normals_of(const std::string &text) {
    std::vector<std::array<float, 3>> out;
    const size_t at = text.find("Normal { vector [\n");
    if (at == std::string::npos) return out;
    const size_t end = text.find(']', at);
    std::istringstream in(text.substr(at + 18, end - at - 18));
    for (std::string line; std::getline(in, line);) {
        std::array<float, 3> v{};
        if (std::sscanf(line.c_str(), "%f %f %f", &v[0], &v[1], &v[2]) == 3) out.push_back(v);
    }
    return out;
}

void expect_near(const std::array<float, 3> &got, const OVp3 want) {
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(got[i], want[i], 1e-5) << i;
}

// Each entry of a one-per-face list is "%2d", the entries separated by ",".
void expect_two_wide_entries(const std::string &list) {
    std::string flat;
    for (char c : list)
        if (c != '\n') flat += c;
    EXPECT_TRUE(std::regex_match(flat, std::regex(" *([ 0-9][0-9])(,[ 0-9][0-9])* *")))
        << "[" << list << "]";
}

OVnode *place(OVgeometry *g) {
    return OVgeometrynode_new(OVsepnode_new(OVuniverse_getrootnodes()), g);
}

int occurrences(const std::string &text, const std::string &part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

const char *const kTwoSidedHints = "ShapeHints {vertexOrdering COUNTERCLOCKWISE\n";

} // namespace

TEST_F(VrmlTest, CoordinatesListEveryVertexInOrder) {
    OVgeometry *g = OVgeometry_newrectangle(2, 4, 0);
    place(g);
    const std::string text = save(OVuniverse_getrootnodes());
    std::string want = "Coordinate3 { point [\n";
    const std::vector<OVvertex *> all = vertices(g);
    ASSERT_EQ(all.size(), 4u);
    for (size_t i = 0; i < all.size(); ++i) {
        OVp3 p;
        OVvertex_getposition(all[i], p);
        char line[128];
        std::snprintf(line, sizeof line, "%f %f %f%s\n", p[0], p[1], p[2],
                      i + 1 < all.size() ? "," : "");
        want += "      " + std::string(line);
    }
    want += "    ]\n    }\n";
    EXPECT_NE(text.find("    " + want), std::string::npos) << want << "\n" << text;
}

TEST_F(VrmlTest, FacesComeInReverseOrderWithTheirVerticesNormalsAndMaterials) {
    OVgeometry *g = OVgeometry_newblock(1, 2, 3, 0);
    OVmtable *table = OVmtable_new(OVDIFFUSE, 8, nullptr);
    for (int i = 0; i < 6; ++i) {
        const float grey[3] = {i / 6.0f, i / 6.0f, i / 6.0f};
        OVmtable_setvalue(table, OVmtable_newentry(table), grey, OVDIFFUSE);
    }
    ASSERT_TRUE(OVgeometry_setmtable(g, table));
    const std::vector<OVpoly *> polys = polygons(g);
    ASSERT_EQ(polys.size(), 6u);
    for (size_t i = 0; i < polys.size(); ++i)
        ASSERT_TRUE(OVpoly_setmatid(polys[i], static_cast<int>(5 - i)));
    place(g);
    const std::string text = save(OVuniverse_getrootnodes());
    const std::vector<OVvertex *> all = vertices(g);
    const std::vector<std::vector<int>> coords = faces_of(field_text(text, " coordIndex"));
    const std::vector<int> normal_index = numbers_of(field_text(text, " normalIndex"));
    const std::vector<int> material_index = numbers_of(field_text(text, " materialIndex"));
    const std::vector<std::array<float, 3>> normals = normals_of(text);
    ASSERT_EQ(coords.size(), 6u) << text;
    ASSERT_EQ(normal_index.size(), 6u) << text;
    ASSERT_EQ(material_index.size(), 6u) << text;
    ASSERT_EQ(normals.size(), 6u) << text;
    for (size_t f = 0; f < 6; ++f) {
        OVpoly *p = polys[5 - f]; // the last collected polygon comes first
        std::vector<int> want;
        for (int c = 0; c < OVpoly_numvertices(p); ++c)
            want.push_back(number_of(all, OVpoly_getvertex(p, c)));
        EXPECT_EQ(coords[f], want) << f;
        OVp3 n;
        OVpoly_getnormal(p, n);
        ASSERT_LT(normal_index[f], 6);
        expect_near(normals[static_cast<size_t>(normal_index[f])], n);
        EXPECT_EQ(material_index[f], OVpoly_getmatid(p)) << f;
    }
    expect_two_wide_entries(field_text(text, " normalIndex"));
    expect_two_wide_entries(field_text(text, " materialIndex"));
    // Corners are "%d, " and the face ends in -1; faces are separated by ",\n".
    EXPECT_TRUE(std::regex_search(field_text(text, " coordIndex"),
                                  std::regex("^ *([0-9]+, ){4}-1,\n *([0-9]+, ){4}-1,\n")))
        << text;
}

TEST_F(VrmlTest, VertexNormalsFollowThePolygonNormalsAndAreIndexedPerCorner) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    const std::vector<OVvertex *> all = vertices(g);
    ASSERT_TRUE(OVgeometry_beginedit(g));
    for (OVvertex *v : all) {
        OVp3 n;
        OVvertex_getposition(v, n);
        ASSERT_TRUE(OVgeometry_setvertexnormal(g, v, n));
    }
    ASSERT_TRUE(OVgeometry_endedit(g));
    for (OVpoly *p : polygons(g))
        ASSERT_TRUE(OVpoly_hasvnormals(p));
    place(g);
    const std::string text = save(OVuniverse_getrootnodes());
    const std::vector<std::array<float, 3>> normals = normals_of(text);
    ASSERT_EQ(normals.size(), all.size()) << text;
    for (size_t i = 0; i < all.size(); ++i) {
        OVp3 n;
        ASSERT_TRUE(OVgeometry_getvertexnormal(g, all[i], n));
        expect_near(normals[i], n);
    }
    const size_t binding = text.find("NormalBinding { value PER_VERTEX_INDEXED }\n");
    ASSERT_NE(binding, std::string::npos) << text;
    EXPECT_LT(binding, text.find("IndexedFaceSet {"));
    // With no polygon normals before them, a corner's normal is its vertex's.
    EXPECT_EQ(faces_of(field_text(text, " normalIndex")),
              faces_of(field_text(text, " coordIndex")));
}

TEST_F(VrmlTest, ATwoSidedClassFollowsTheOneSidedOneWithOnlyItsShapeHints) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    OVpoly *two_sided = polygons(g)[2];
    ASSERT_TRUE(OVpoly_setbothsides(two_sided, 1));
    place(g);
    const std::string text = save(OVuniverse_getrootnodes());
    ASSERT_EQ(occurrences(text, "IndexedFaceSet {"), 2) << text;
    EXPECT_EQ(faces_of(field_text(text, " coordIndex", 0)).size(), 5u);
    EXPECT_EQ(faces_of(field_text(text, " coordIndex", 1)).size(), 1u);
    const size_t first = text.find("IndexedFaceSet {");
    const size_t second = text.find("IndexedFaceSet {", first + 1);
    const size_t end_of_first = text.find("}\n", text.find(" materialIndex [", first));
    const std::string between = text.substr(end_of_first + 2, second - end_of_first - 2);
    std::istringstream in(between);
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);)
        if (l.find_first_not_of(' ') != std::string::npos)
            lines.push_back(l.erase(0, l.find_first_not_of(' ')));
    const std::vector<std::string> want = {"ShapeHints {vertexOrdering COUNTERCLOCKWISE",
                                           "shapeType UNKNOWN_SHAPE_TYPE faceType CONVEX",
                                           "creaseAngle 0}"};
    EXPECT_EQ(lines, want) << text;
    // The material table stands once, before the first face set.
    EXPECT_EQ(occurrences(text, "Material {"), 1);
    EXPECT_LT(text.find("Material {"), first);
}

TEST_F(VrmlTest, BindingsChangeInBitOrderBeforeAClass) {
    // Two-sided faces with colours per vertex: class 6 after nothing.
    OVgeometry *g = OVgeometry_newrectangle(1, 1, 1);
    ASSERT_TRUE(OVgeometry_beginedit(g));
    int i = 0;
    for (OVvertex *v : vertices(g))
        ASSERT_TRUE(OVgeometry_setvertexrgb(g, v, 255 * (i++ & 1), 0, 0));
    ASSERT_TRUE(OVgeometry_endedit(g));
    place(g);
    const std::string text = save(OVuniverse_getrootnodes());
    const size_t colours = text.find("MaterialBinding { value PER_VERTEX_INDEXED }\n");
    const size_t hints = text.find("shapeType UNKNOWN_SHAPE_TYPE faceType CONVEX\n");
    const size_t faces = text.find("IndexedFaceSet {");
    ASSERT_NE(colours, std::string::npos) << text;
    ASSERT_NE(hints, std::string::npos) << text;
    EXPECT_LT(text.find("Material {"), colours);
    EXPECT_LT(colours, hints);
    EXPECT_LT(hints, faces);
    // Per vertex: each corner's material id, as the face's corners are listed.
    const std::vector<std::vector<int>> materials = faces_of(field_text(text, " materialIndex"));
    ASSERT_EQ(materials.size(), 1u) << text;
    OVpoly *p = OVgeometry_getpolys(g);
    std::vector<int> want;
    for (int c = 0; c < OVpoly_numvertices(p); ++c)
        want.push_back(OVgeometry_getvertexmatid(g, OVpoly_getvertex(p, c)));
    EXPECT_EQ(materials[0], want);
}

TEST_F(VrmlTest, PolygonIdsAreGivenBackAfterTheWrite) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    int id = 40;
    for (OVpoly *p : polygons(g))
        ASSERT_TRUE(OVpoly_setid(p, id++));
    place(g);
    save(OVuniverse_getrootnodes());
    id = 40;
    for (OVpoly *p : polygons(g))
        EXPECT_EQ(OVpoly_getid(p), id++);
}

TEST_F(VrmlTest, MixedNormalsIndexPolygonNormalsFirstThenVertexNormals) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    OVpoly *smooth = polygons(g)[1];
    ASSERT_TRUE(OVgeometry_beginedit(g));
    for (int c = 0; c < OVpoly_numvertices(smooth); ++c) {
        const OVp3 n = {0.6f, 0, static_cast<float>(c) * 0.1f};
        ASSERT_TRUE(OVgeometry_setvertexnormal(g, OVpoly_getvertex(smooth, c), n));
    }
    ASSERT_TRUE(OVgeometry_endedit(g));
    place(g);
    const std::string text = save(OVuniverse_getrootnodes());
    const std::vector<std::array<float, 3>> normals = normals_of(text);
    // The polygons without vertex normals, in the geometry's order, then
    // the vertices that have one, in vertex order.
    std::vector<std::array<float, 3>> want;
    int flat = 0;
    for (OVpoly *p : polygons(g))
        if (!OVpoly_hasvnormals(p)) {
            OVp3 n;
            OVpoly_getnormal(p, n);
            want.push_back({n[0], n[1], n[2]});
            ++flat;
        }
    for (OVvertex *v : vertices(g)) {
        OVp3 n;
        if (OVgeometry_getvertexnormal(g, v, n)) want.push_back({n[0], n[1], n[2]});
    }
    ASSERT_EQ(normals.size(), want.size()) << text;
    for (size_t i = 0; i < want.size(); ++i)
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(normals[i][static_cast<size_t>(k)], want[i][static_cast<size_t>(k)], 1e-5);
    ASSERT_GT(flat, 0);
    ASSERT_LT(flat, 6);
    // The smooth face's set comes second, its normals bound per corner.
    ASSERT_EQ(occurrences(text, "IndexedFaceSet {"), 2) << text;
    EXPECT_LT(text.find("IndexedFaceSet {"),
              text.find("NormalBinding { value PER_VERTEX_INDEXED }\n"));
    const std::vector<std::vector<int>> corners = faces_of(field_text(text, " normalIndex", 1));
    ASSERT_EQ(corners.size(), 1u);
    ASSERT_EQ(corners[0].size(), static_cast<size_t>(OVpoly_numvertices(smooth)));
    for (int c = 0; c < OVpoly_numvertices(smooth); ++c) {
        OVp3 n;
        ASSERT_TRUE(OVgeometry_getvertexnormal(g, OVpoly_getvertex(smooth, c), n));
        const int index = corners[0][static_cast<size_t>(c)];
        ASSERT_GE(index, flat);
        ASSERT_LT(index, static_cast<int>(normals.size()));
        expect_near(normals[static_cast<size_t>(index)], n);
    }
    for (int index : numbers_of(field_text(text, " normalIndex", 0)))
        EXPECT_LT(index, flat);
}
