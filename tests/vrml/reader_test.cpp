// Saved scenes read back by an independent VRML 1.0 reader: the same vertex
// and face counts, materials and camera direction as the toolkit holds.
#include "vrml_fixture.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <vector>

namespace {

// Vertices and polygons of every geometry node met in the scene, a node
// reached through two parents counting twice, as a reader sees it.
void count(OVnode *node, long &vertices, long &polygons) {
    if (OVgeometry *g = OVnode_getgeometry(node)) {
        for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v))
            ++vertices;
        polygons += OVgeometry_numpolys(g);
    }
    for (int i = 0, n = OVnode_numchildren(node); i < n; ++i)
        count(OVnode_getchild(node, i), vertices, polygons);
}

bool has_colour(const ReadBack &r, float red, float green, float blue) {
    for (const auto &d : r.diffuse)
        if (std::fabs(d[0] - red) < 1e-3 && std::fabs(d[1] - green) < 1e-3 &&
            std::fabs(d[2] - blue) < 1e-3)
            return true;
    return false;
}

// A scene with every kind of node the writer knows.
void build_every_kind(OVnode *root) {
    OVnode *top = OVsepnode_new(root);
    OVsepnode_setcullmode(top, 1);
    OVnode *shift = OVxformnode_new(top);
    const OVp3 t = {1, 2, 3};
    OVnode_settranslation(shift, t);
    OVlightnode_newdirected(top);
    OVlightnode_newpoint(top);
    OVlightnode_newspot(top);
    OVnode *group = OVgroupnode_new(top);
    OVgeometry *red = OVgeometry_newblock(2, 2, 2, 0);
    OVgeometry_beginedit(red);
    OVgeometry_setrgb(red, 255, 0, 0);
    OVgeometry_endedit(red);
    OVnode *shared = OVgeometrynode_new(group, red);
    OVnode *xsep = OVxformsepnode_new(top);
    OVnode_addchild(xsep, shared);
    OVnode *sw = OVswitchnode_new(top);
    OVgeometrynode_new(sw, OVgeometry_newsphere(1, 6, 8, 0, 1));
    OVgeometrynode_new(sw, OVgeometry_newcylinder(2, 1, 8, 1, 0));
    OVswitchnode_setwhichchild(sw, 1);
    OVnode *lod = OVlodnode_new(top);
    const float ranges[] = {5};
    OVlodnode_setrange(lod, ranges, 1);
    OVgeometrynode_new(lod, OVgeometry_newblock(1, 1, 1, 1));
    OVgeometrynode_new(lod, OVgeometry_newblock(3, 3, 3, 0));
    OVanchornode_setlocation(OVanchornode_new(top), "http://example.invalid/");
    OVinlinenode_setlocation(OVinlinenode_new(top), "other.wrl");
    OVnode *movable = OVmovgeometrynode_new(top, OVgeometry_newblock(1, 4, 1, 0));
    OVmovnode_attach(movable, OVgroupnode_new(nullptr), -1);
    OVfognode_new(top);
}

} // namespace

#ifdef ORV_COIN_CHECKER

TEST_F(VrmlTest, SceneWithEveryNodeKindReadsBackWithItsCountsAndColours) {
    OVnode *root = OVuniverse_getrootnodes();
    build_every_kind(root);
    save(root, OVuniverse_getviewpoint());
    const ReadBack r = read_back(file);
    long vertices = 0, polygons = 0;
    count(root, vertices, polygons);
    // The movable's content is reached through the movable in both counts.
    EXPECT_EQ(r.coordinates, vertices);
    EXPECT_EQ(r.faces, polygons);
    EXPECT_TRUE(has_colour(r, 1, 0, 0));
    EXPECT_EQ(r.cameras.size(), 1u);
}

TEST_F(VrmlTest, CameraLooksAlongTheViewpointWhicheverWayItIsTurned) {
    OVnode *root = OVuniverse_getrootnodes();
    OVgeometrynode_new(OVsepnode_new(root), OVgeometry_newblock(1, 1, 1, 0));
    OVviewpoint *viewpoint = OVuniverse_getviewpoint();
    const float directions[][3] = {
        {0, 0, 1}, {-1, 0, 0}, {0, 0, -1}, {0.6f, -0.8f, 0}, {0.48f, 0.6f, 0.64f}};
    for (const auto &d : directions) {
        OVp3 direction = {d[0], d[1], d[2]};
        OVviewpoint_setdirection(viewpoint, direction);
        OVviewpoint_rotate(viewpoint, 2, 0.3f, 0); // a twist about the view axis too
        OVp3 expected;
        OVviewpoint_getdirection(viewpoint, expected);
        save(root, viewpoint);
        const ReadBack r = read_back(file);
        ASSERT_EQ(r.cameras.size(), 1u);
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(r.cameras[0][k], expected[k], 1e-3)
                << "direction " << d[0] << " " << d[1] << " " << d[2];
    }
}

TEST_F(VrmlTest, ExplorerLikeCubeReadsBack) {
    OVnode *root = OVuniverse_getrootnodes();
    OVgeometry *cube = OVgeometry_newblock(255, 255, 255, 1);
    OVgeometry_beginedit(cube);
    int i = 0;
    for (OVvertex *v = OVgeometry_getvertices(cube); v; v = OVvertex_next(v), ++i)
        OVgeometry_setvertexrgb(cube, v, i & 4 ? 0 : 255, i & 2 ? 0 : 255, i & 1 ? 0 : 255);
    OVgeometry_endedit(cube);
    OVgeometrynode_new(OVsepnode_new(root), cube);
    save(root, OVuniverse_getviewpoint());
    const ReadBack r = read_back(file);
    EXPECT_EQ(r.coordinates, 8);
    EXPECT_EQ(r.faces, 6);
    EXPECT_TRUE(has_colour(r, 1, 1, 1));
    EXPECT_TRUE(has_colour(r, 0, 0, 0));
    EXPECT_TRUE(has_colour(r, 1, 0, 1));
}

TEST_F(VrmlTest, EveryPolygonClassReadsBack) {
    OVnode *root = OVuniverse_getrootnodes();
    // One geometry with faces of several classes: plain, two-sided, with
    // vertex normals and with vertex colours, and many names and levels.
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    std::vector<OVpoly *> faces;
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
        faces.push_back(p);
    OVpoly_setbothsides(faces[0], 1);
    OVgeometry_beginedit(g);
    for (int c = 0; c < OVpoly_numvertices(faces[2]); ++c) {
        const OVp3 n = {1, 0, 0};
        OVgeometry_setvertexnormal(g, OVpoly_getvertex(faces[2], c), n);
    }
    OVgeometry_endedit(g);
    OVgeometry *coloured = OVgeometry_newblock(1, 1, 1, 1);
    OVgeometry_beginedit(coloured);
    int i = 0;
    for (OVvertex *v = OVgeometry_getvertices(coloured); v; v = OVvertex_next(v), ++i)
        OVgeometry_setvertexrgb(coloured, v, i & 1 ? 255 : 0, 0, 255);
    OVgeometry_endedit(coloured);
    OVnode *top = OVsepnode_new(root);
    OVnode *chain = top;
    for (int level = 0; level < 40; ++level)
        chain = OVgroupnode_new(chain);
    OVgeometrynode_new(chain, g);
    OVnode *shared = OVgeometrynode_new(top, coloured);
    OVnode_addchild(OVsepnode_new(top), shared);
    save(root, OVuniverse_getviewpoint());
    const ReadBack r = read_back(file);
    long vertices = 0, polygons = 0;
    count(root, vertices, polygons);
    EXPECT_EQ(r.coordinates, vertices);
    EXPECT_EQ(r.faces, polygons);
    EXPECT_TRUE(has_colour(r, 1, 0, 1));
}

TEST_F(VrmlTest, ConverterTurnsAnNffFileIntoAScene) {
    const std::string nff = file + ".nff";
    FILE *out = std::fopen(nff.c_str(), "w");
    ASSERT_NE(out, nullptr);
    std::fputs("nff\nversion 2.0\nsquare\n4\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n1\n4 0 1 2 3 0xf00\n",
               out);
    std::fclose(out);
    const std::string command =
        std::string(ORV_NFF2VRML) + " '" + nff + "' '" + file + "' > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const ReadBack r = read_back(file);
    EXPECT_EQ(r.coordinates, 4);
    EXPECT_EQ(r.faces, 1);
    EXPECT_TRUE(has_colour(r, 1, 0, 0));
    EXPECT_NE(std::system((std::string(ORV_NFF2VRML) + " > /dev/null 2>&1").c_str()), 0);
    std::remove(nff.c_str());
}

#else

TEST_F(VrmlTest, IndependentReaderIsNotInstalled) {
    GTEST_SKIP() << "Coin is not installed: saved scenes are not read back";
}

#endif
