// Models in other formats loaded through the import library: the same mesh
// as NFF, OBJ, glTF, STL and PLY; materials; hierarchies; bad files.
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string messages;
int capture(const char *text) {
    messages += text;
    return 0;
}
constexpr int no_windows = 512;

// A tetrahedron: four corners, four triangles.
const float corners[4][3] = {{0, 0, 0}, {2, 0, 0}, {0, 2, 0}, {0, 0, 2}};
const int faces[4][3] = {{0, 2, 1}, {0, 1, 3}, {0, 3, 2}, {1, 2, 3}};

std::string base64(const std::vector<unsigned char> &bytes) {
    static const char table[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        unsigned n = bytes[i] << 16;
        if (i + 1 < bytes.size()) n |= bytes[i + 1] << 8;
        if (i + 2 < bytes.size()) n |= bytes[i + 2];
        out += table[(n >> 18) & 63];
        out += table[(n >> 12) & 63];
        out += i + 1 < bytes.size() ? table[(n >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? table[n & 63] : '=';
    }
    return out;
}

template <typename T> void put(std::vector<unsigned char> &bytes, T value) {
    const auto *p = reinterpret_cast<const unsigned char *>(&value);
    bytes.insert(bytes.end(), p, p + sizeof value);
}

std::string nff_text() {
    std::string s = "nff\nversion 2.0\ntetra\n4\n";
    for (const auto &c : corners)
        s += std::to_string(c[0]) + " " + std::to_string(c[1]) + " " + std::to_string(c[2]) + "\n";
    s += "4\n";
    for (const auto &f : faces)
        s += "3 " + std::to_string(f[0]) + " " + std::to_string(f[1]) + " " + std::to_string(f[2]) +
             " 0xf00\n";
    return s;
}

std::string obj_text(const std::string &mtl) {
    std::string s = "mtllib " + mtl + "\no tetra\n";
    for (const auto &c : corners)
        s += "v " + std::to_string(c[0]) + " " + std::to_string(c[1]) + " " + std::to_string(c[2]) +
             "\n";
    s += "usemtl red\n";
    for (const auto &f : faces)
        s += "f " + std::to_string(f[0] + 1) + " " + std::to_string(f[1] + 1) + " " +
             std::to_string(f[2] + 1) + "\n";
    return s;
}

const char *mtl_text = "newmtl red\nKa 0.25 0 0\nKd 1 0 0\nKs 0.5 0.5 0.5\nNs 32\nd 0.75\n";

std::string stl_text() {
    std::string s = "solid tetra\n";
    for (const auto &f : faces) {
        s += " facet normal 0 0 0\n  outer loop\n";
        for (int k : f)
            s += "   vertex " + std::to_string(corners[k][0]) + " " +
                 std::to_string(corners[k][1]) + " " + std::to_string(corners[k][2]) + "\n";
        s += "  endloop\n endfacet\n";
    }
    return s + "endsolid tetra\n";
}

std::string ply_text() {
    std::string s = "ply\nformat ascii 1.0\nelement vertex 4\nproperty float x\nproperty float "
                    "y\nproperty float z\nelement face 4\nproperty list uchar int "
                    "vertex_indices\nend_header\n";
    for (const auto &c : corners)
        s += std::to_string(c[0]) + " " + std::to_string(c[1]) + " " + std::to_string(c[2]) + "\n";
    for (const auto &f : faces)
        s += "3 " + std::to_string(f[0]) + " " + std::to_string(f[1]) + " " + std::to_string(f[2]) +
             "\n";
    return s;
}

// A glTF 2.0 file with the tetrahedron in an embedded buffer. Nested: node
// outer (translated by 0 0 5) holds inner (translated by 1 0 0), which holds
// the mesh; otherwise one node holds it.
std::string gltf_text(bool nested) {
    std::vector<unsigned char> buffer;
    for (const auto &c : corners)
        for (float v : c)
            put(buffer, v);
    for (const auto &f : faces)
        for (int k : f)
            put(buffer, static_cast<unsigned short>(k));
    const std::string nodes = nested ? R"([{"name":"outer","translation":[0,0,5],"children":[1]},
{"name":"inner","translation":[1,0,0],"mesh":0}])"
                                     : R"([{"name":"only","mesh":0}])";
    return R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],"nodes":)" + nodes +
           R"(,"meshes":[{"name":"tetra","primitives":[{"attributes":{"POSITION":0},"indices":1}]}],
"accessors":[{"bufferView":0,"componentType":5126,"count":4,"type":"VEC3","min":[0,0,0],"max":[2,2,2]},
{"bufferView":1,"componentType":5123,"count":12,"type":"SCALAR"}],
"bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":48},{"buffer":0,"byteOffset":48,"byteLength":24}],
"buffers":[{"byteLength":72,"uri":"data:application/octet-stream;base64,)" +
           base64(buffer) + R"("}]})";
}

class ModelImport : public ::testing::Test {
  protected:
    void SetUp() override {
        messages.clear();
        OVmessage_sethook(capture);
        OVuniverse_new(no_windows, 0);
        dir = ::testing::TempDir() + "import" + std::to_string(getpid()) + "/";
        std::string command = "mkdir -p '" + dir + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    void TearDown() override {
        OVuniverse_delete();
        OVmessage_sethook(nullptr);
        std::system(("rm -rf '" + dir + "'").c_str());
    }
    std::string write(const std::string &name, const std::string &text) {
        std::ofstream(dir + name, std::ios::binary) << text;
        return dir + name;
    }
    std::string dir;
};

struct Shape {
    int vertices = 0, polygons = 0;
    OVp3 extents{}, midpoint{};
};

Shape shape_of(OVgeometry *g) {
    Shape s;
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v))
        ++s.vertices;
    s.polygons = OVgeometry_numpolys(g);
    OVgeometry_getextents(g, s.extents);
    OVgeometry_getmidpoint(g, s.midpoint);
    return s;
}

} // namespace

TEST_F(ModelImport, TheSameMeshInEveryFormatGivesTheSameGeometry) {
    write("tetra.mtl", mtl_text);
    const std::string files[] = {write("tetra.nff", nff_text()),
                                 write("tetra.obj", obj_text("tetra.mtl")),
                                 write("tetra.gltf", gltf_text(false)),
                                 write("tetra.stl", stl_text()), write("tetra.ply", ply_text())};
    const int types[] = {OVFILE_NFF, OVFILE_WAVEFRONT, OVFILE_GLTF, OVFILE_STL, OVFILE_PLY};
    for (size_t i = 0; i < std::size(files); ++i) {
        EXPECT_EQ(_OVfile_type(files[i].c_str()), types[i]) << files[i];
        OVnode *node = OVgeometrynode_load(OVuniverse_getrootnodes(), files[i].c_str(), 1);
        ASSERT_NE(node, nullptr) << files[i] << ": " << messages;
        const Shape s = shape_of(OVnode_getgeometry(node));
        EXPECT_EQ(s.vertices, 4) << files[i];
        EXPECT_EQ(s.polygons, 4) << files[i];
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(s.extents[k], 2, 1e-5) << files[i];
            EXPECT_NEAR(s.midpoint[k], 1, 1e-5) << files[i];
        }
    }
}

TEST_F(ModelImport, AFileIsReadAsTheFormatItsBytesSayWhateverItsExtension) {
    // Wavefront content under names the import library gives to other readers
    // (its own ".nff", and ".3ds"): read as OBJ all the same.
    const std::string obj = obj_text("none.mtl");
    for (const char *name : {"wavefront.nff", "wavefront.3ds", "wavefront.txt"}) {
        const std::string file = write(name, obj);
        EXPECT_EQ(_OVfile_type(file.c_str()), OVFILE_WAVEFRONT) << name;
        OVnode *node = OVgeometrynode_load(OVuniverse_getrootnodes(), file.c_str(), 1);
        ASSERT_NE(node, nullptr) << name << ": " << messages;
        const Shape s = shape_of(OVnode_getgeometry(node));
        EXPECT_EQ(s.vertices, 4) << name;
        EXPECT_EQ(s.polygons, 4) << name;
    }
}

TEST_F(ModelImport, ScaleMultipliesEveryCoordinate) {
    const std::string ply = write("tetra.ply", ply_text());
    OVnode *node = OVgeometrynode_load(OVuniverse_getrootnodes(), ply.c_str(), 3);
    ASSERT_NE(node, nullptr);
    EXPECT_NEAR(shape_of(OVnode_getgeometry(node)).extents[0], 6, 1e-5);
}

TEST_F(ModelImport, ObjMaterialsBecomeMaterialTableEntries) {
    write("tetra.mtl", mtl_text);
    const std::string obj = write("tetra.obj", obj_text("tetra.mtl"));
    OVnode *node = OVgeometrynode_load(OVuniverse_getrootnodes(), obj.c_str(), 1);
    ASSERT_NE(node, nullptr) << messages;
    OVgeometry *g = OVnode_getgeometry(node);
    OVmtable *table = OVgeometry_getmtable(g);
    ASSERT_NE(table, nullptr);
    const int id = OVpoly_getmatid(OVgeometry_getpolys(g));
    float diffuse[3], ambient[3], specular[3], opacity, shininess;
    ASSERT_TRUE(OVmtable_getvalue(table, id, diffuse, OVDIFFUSE));
    ASSERT_TRUE(OVmtable_getvalue(table, id, ambient, OVAMBIENT));
    ASSERT_TRUE(OVmtable_getvalue(table, id, specular, OVSPECULAR));
    ASSERT_TRUE(OVmtable_getvalue(table, id, &opacity, OVOPACITY));
    ASSERT_TRUE(OVmtable_getvalue(table, id, &shininess, OVSHININESS));
    EXPECT_FLOAT_EQ(diffuse[0], 1);
    EXPECT_FLOAT_EQ(diffuse[1], 0);
    EXPECT_FLOAT_EQ(ambient[0], 0.25f);
    EXPECT_FLOAT_EQ(specular[2], 0.5f);
    EXPECT_FLOAT_EQ(opacity, 0.75f);
    EXPECT_FLOAT_EQ(shininess, 32);
}

TEST_F(ModelImport, GltfHierarchyArrivesAsNestedNodesWithTheirTransforms) {
    const std::string gltf = write("tetra.gltf", gltf_text(true));
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *top = OVnode_load(root, gltf.c_str(), 2);
    ASSERT_NE(top, nullptr) << messages;
    EXPECT_EQ(OVnode_getparent(top, 0), root);
    OVnode *outer = OVuniverse_findnode("outer", 6);
    EXPECT_EQ(outer, top); // the file's root node
    OVnode *inner = OVuniverse_findnode("inner", 6);
    ASSERT_NE(outer, nullptr);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(OVnode_getparent(inner, 0), outer);
    // Each separator begins with its Xform node; translations are scaled too.
    OVp3 t;
    ASSERT_EQ(OVnode_gettype(OVnode_getchild(outer, 0)), OVNODE_XFORM);
    OVnode_gettranslation(OVnode_getchild(outer, 0), t);
    EXPECT_FLOAT_EQ(t[2], 10);
    ASSERT_EQ(OVnode_gettype(OVnode_getchild(inner, 0)), OVNODE_XFORM);
    OVnode_gettranslation(OVnode_getchild(inner, 0), t);
    EXPECT_FLOAT_EQ(t[0], 2);
    OVnode *mesh = OVnode_getchild(inner, 1);
    ASSERT_EQ(OVnode_gettype(mesh), OVNODE_GEOMETRY);
    EXPECT_EQ(shape_of(OVnode_getgeometry(mesh)).vertices, 4);
    // The world midpoint of the scene: the mesh's (2, 2, 2) moved by (2, 0, 10).
    OVp3 mid;
    ASSERT_TRUE(OVnode_getmidpoint(top, mid));
    EXPECT_NEAR(mid[0], 4, 1e-4);
    EXPECT_NEAR(mid[2], 12, 1e-4);
}

TEST_F(ModelImport, TruncatedAndJunkFilesGiveAMessageAndNoNodes) {
    write("tetra.mtl", mtl_text);
    const std::pair<std::string, std::string> models[] = {{"cut.obj", obj_text("tetra.mtl")},
                                                          {"cut.gltf", gltf_text(true)},
                                                          {"cut.stl", stl_text()},
                                                          {"cut.ply", ply_text()}};
    OVnode *root = OVuniverse_getrootnodes();
    for (const auto &[name, text] : models) {
        for (size_t cut : {size_t{0}, size_t{20}, text.size() / 3, text.size() / 2}) {
            messages.clear();
            const std::string file = write(name, text.substr(0, cut));
            // Whole records before the cut may be kept, as the NFF reader keeps
            // the geometries before a broken one; anything else is refused.
            if (OVnode *kept = OVnode_load(root, file.c_str(), 1)) {
                EXPECT_LT(OVnode_numpolys(kept), 4) << name << " cut at " << cut;
                OVnode_delete(kept);
            } else {
                EXPECT_FALSE(messages.empty()) << name << " cut at " << cut;
            }
        }
        const std::string junk = write(name, std::string("\x01\x02junk\xff{[}\n\n", 12));
        EXPECT_EQ(OVnode_load(root, junk.c_str(), 1), nullptr) << name;
    }
    const std::string studio = write("junk.3ds", "MM\x10\x00\x00\x00garbage");
    EXPECT_EQ(_OVfile_type(studio.c_str()), OVFILE_3DS);
    EXPECT_EQ(OVnode_load(root, studio.c_str(), 1), nullptr);
    EXPECT_EQ(OVnode_numchildren(root), 0);
    EXPECT_NE(messages.find("Couldn't load model"), std::string::npos);
}

TEST_F(ModelImport, ManyMeshesArriveInTheFileOrder) {
    // One triangle per object, each in its own material so that the import
    // keeps them apart: the list must keep the objects' order.
    constexpr int kObjects = 300;
    std::string mtl, obj = "mtllib parts.mtl\n";
    for (int i = 0; i < kObjects; ++i) {
        mtl += "newmtl m" + std::to_string(i) + "\nKd 1 0 0\n";
        obj += "o part" + std::to_string(i) + "\nusemtl m" + std::to_string(i) + "\n";
        obj += "v " + std::to_string(i) + " 0 0\nv " + std::to_string(i) + " 1 0\nv " +
               std::to_string(i) + " 0 1\n";
        obj += "f -3 -2 -1\n";
    }
    write("parts.mtl", mtl);
    const std::string file = write("parts.obj", obj);
    std::FILE *f = std::fopen(file.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    OVpq view{};
    OVgeomlist *list = _OVgeometry_load(f, file.c_str(), OVFILE_WAVEFRONT, &view, 1, 0);
    ASSERT_NE(list, nullptr) << messages;
    int count = 0;
    for (OVgeomlist *l = list; l; l = _OVgeomlist_next(l), ++count) {
        OVgeometry *g = _OVgeomlist_geometry(l);
        EXPECT_STREQ(OVgeometry_getname(g), ("part" + std::to_string(count)).c_str());
        OVp3 middle;
        OVgeometry_getmidpoint(g, middle);
        EXPECT_FLOAT_EQ(middle[0], static_cast<float>(count)) << count;
    }
    EXPECT_EQ(count, kObjects);
    for (OVgeomlist *l = list; l; l = _OVgeomlist_next(l))
        OVgeometry_delete(_OVgeomlist_geometry(l));
    _OVgeomlist_delete(list);
}
