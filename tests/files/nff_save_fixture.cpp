#include "nff_save_fixture.h"

#include "orv/viewpoint.h"
#include "support/scratch_dir.h"

#include <cmath>
#include <fstream>
#include <sstream>

namespace nfftest {

std::string g_log;

namespace {

int capture(const char *text) {
    g_log += text;
    return 1;
}

constexpr float kTextTolerance = 1e-5f; // "%f" keeps six decimals

} // namespace

void NffSave::SetUp() {
    OVuniverse_new(512, 0);
    g_log.clear();
    OVmessage_sethook(capture);
    dir_ = orv_test::scratch_dir(
        "orv_nff_save_" +
        std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    previous_ = fs::current_path();
    fs::current_path(dir_);
}

void NffSave::TearDown() {
    for (OVgeomlist *l : loaded_) {
        for (OVgeomlist *e = l; e; e = _OVgeomlist_next(e))
            OVgeometry_delete(_OVgeomlist_geometry(e));
        _OVgeomlist_delete(l);
    }
    fs::current_path(previous_);
    OVmessage_sethook(nullptr);
    OVuniverse_delete();
    fs::remove_all(dir_);
}

std::string NffSave::save(OVgeometry *g, int type, const char *file, const OVpq *view) {
    std::string path = (dir_ / file).string();
    EXPECT_TRUE(OVgeometry_save(g, path.c_str(), view, type)) << g_log;
    return path;
}

OVgeometry *NffSave::load(const std::string &path, int type, OVpq *view, int merge) {
    OVpq v;
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (!f) return nullptr;
    OVgeomlist *l = _OVgeometry_load(f, path.c_str(), type, view ? view : &v, 1.0f, merge);
    if (!l) return nullptr;
    loaded_.push_back(l);
    return _OVgeomlist_geometry(l);
}

std::string NffSave::contents(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void NffSave::write_bytes(const std::string &path, const std::string &bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<OVgeometry *> decorated_primitives() {
    OVp2 outline[] = {{0, 0}, {2, 0}, {2, 1}, {1, 2}, {0, 1}};
    std::vector<OVgeometry *> shapes = {
        OVgeometry_newblock(50, 50, 50, 1),
        OVgeometry_newrectangle(2, 3, 0),
        OVgeometry_newcylinder(2, 1, 8, 0, 1),
        OVgeometry_newcone(2, 1, 7, 1),
        OVgeometry_newtruncone(2, 1, 0.5f, 6, 0, 1),
        OVgeometry_newsphere(1.5f, 5, 9, 0, 1),
        OVgeometry_newhemisphere(1, 4, 6, 1, 0),
        OVgeometry_newextrusion(outline, 5, 1.5f, 0, 0),
    };
    for (OVgeometry *g : shapes) {
        int i = 0;
        for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p), ++i) {
            _OVpoly_setcolor24(p, 0x102030u * static_cast<unsigned>(i % 5) + 0x0000F0u);
            if (i % 3 == 1) OVpoly_setid(p, i + 1);
            if (i % 4 == 2) OVpoly_setbothsides(p, !OVpoly_getbothsides(p));
        }
        int k = 0;
        for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v), ++k)
            if (k % 3 == 0) OVgeometry_setvertexrgb(g, v, 0x12, 0x34 + k, 0x56);
    }
    return shapes;
}

int vertex_number(OVgeometry *g, OVvertex *v) {
    int i = 0;
    for (OVvertex *w = OVgeometry_getvertices(g); w; w = OVvertex_next(w), ++i)
        if (w == v) return i;
    return -1;
}

namespace {

void expect_same_vertex(OVgeometry *a, OVvertex *va, OVgeometry *b, OVvertex *vb,
                        const std::string &what) {
    OVp3 pa, pb, na, nb;
    OVvertex_getposition(va, pa);
    OVvertex_getposition(vb, pb);
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(pa[k], pb[k], kTextTolerance) << what;
    bool has_a = OVgeometry_getvertexnormal(a, va, na),
         has_b = OVgeometry_getvertexnormal(b, vb, nb);
    ASSERT_EQ(has_a, has_b) << what;
    for (int k = 0; has_a && k < 3; ++k) {
        EXPECT_NEAR(na[k], nb[k], kTextTolerance) << what;
    }
    int ra, ga, ba, rb, gb, bb;
    bool coloured_a = OVgeometry_getvertexrgb(a, va, &ra, &ga, &ba);
    ASSERT_EQ(coloured_a, static_cast<bool>(OVgeometry_getvertexrgb(b, vb, &rb, &gb, &bb))) << what;
    if (coloured_a) {
        EXPECT_EQ((ra << 16 | ga << 8 | ba), (rb << 16 | gb << 8 | bb)) << what;
    }
}

} // namespace

void expect_same_geometry(OVgeometry *a, OVgeometry *b, const std::string &what) {
    ASSERT_NE(b, nullptr) << what << "\n" << g_log;
    OVvertex *va = OVgeometry_getvertices(a), *vb = OVgeometry_getvertices(b);
    int n = 0;
    for (; va && vb; va = OVvertex_next(va), vb = OVvertex_next(vb), ++n)
        expect_same_vertex(a, va, b, vb, what + " vertex " + std::to_string(n));
    EXPECT_EQ(va, nullptr) << what << ": fewer vertices read back";
    EXPECT_EQ(vb, nullptr) << what << ": more vertices read back";
    ASSERT_EQ(OVgeometry_numpolys(a), OVgeometry_numpolys(b)) << what;
    OVpoly *pa = OVgeometry_getpolys(a), *pb = OVgeometry_getpolys(b);
    for (int i = 0; pa && pb; pa = OVpoly_next(pa), pb = OVpoly_next(pb), ++i) {
        std::string at = what + " polygon " + std::to_string(i);
        ASSERT_EQ(OVpoly_numvertices(pa), OVpoly_numvertices(pb)) << at;
        for (int c = 0; c < OVpoly_numvertices(pa); ++c)
            EXPECT_EQ(vertex_number(a, OVpoly_getvertex(pa, c)),
                      vertex_number(b, OVpoly_getvertex(pb, c)))
                << at;
        EXPECT_EQ(_OVpoly_getcolor24(pa), _OVpoly_getcolor24(pb)) << at;
        EXPECT_EQ(OVpoly_getid(pa), OVpoly_getid(pb)) << at;
        EXPECT_EQ(OVpoly_getbothsides(pa), OVpoly_getbothsides(pb)) << at;
    }
}

} // namespace nfftest
