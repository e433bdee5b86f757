// The hierarchy and attribute functions row by row: reported types, refused
// parents and indices, what "Children" and the other node properties tell
// their handlers, and vetoes that leave the graph as it was.
#include "orv/light.h"
#include "orv/orv_internal.h"
#include "nodes/scene_fixture.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

using HierarchyRows = SceneTest;

void draw_nothing(OVnode *) {}

int refuse(void *, const char *, double) {
    return 0;
}

void hear_text(void *, const char *name, void *value, double) {
    SceneTest::heard.push_back(std::string(name) + "=" +
                               (value ? static_cast<const char *>(value) : "(null)"));
}

void hear_int(void *, const char *name, void *value, double) {
    SceneTest::heard.push_back(std::string(name) + "=" +
                               std::to_string(*static_cast<const int *>(value)));
}

void hear_p3(void *, const char *name, void *value, double) {
    const float *p = static_cast<const float *>(value);
    char text[96];
    std::snprintf(text, sizeof text, "%s=%g,%g,%g", name, p[0], p[1], p[2]);
    SceneTest::heard.emplace_back(text);
}

OVnode *named(OVnode *parent, const char *name) {
    OVnode *n = OVgroupnode_new(parent);
    OVnode_setname(n, name);
    return n;
}

TEST_F(HierarchyRows, EveryConstructorReportsItsCode) {
    struct Case {
        OVnode *node;
        int code;
        bool movable;
    };
    const Case cases[] = {
        {OVxformnode_new(root), OVNODE_XFORM, false},
        {OVlodnode_new(root), OVNODE_LOD, false},
        {OVmovlodnode_new(root), OVNODE_MLOD, true},
        {OVswitchnode_new(root), OVNODE_SWITCH, false},
        {OVmovswitchnode_new(root), OVNODE_MSWITCH, true},
        {OVgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0)), OVNODE_GEOMETRY, false},
        {OVmovgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0)), OVNODE_MGEOMETRY, true},
        {OVgroupnode_new(root), OVNODE_GROUP, false},
        {OVsepnode_new(root), OVNODE_SEPARATOR, false},
        {OVmovsepnode_new(root), OVNODE_MSEPARATOR, true},
        {OVlightnode_newdirected(root), OVNODE_LIGHT, false},
        {OVmovlightnode_newspot(root), OVNODE_MLIGHT, true},
        {OVlightnode_newambient(root), OVNODE_LIGHT, false},
        {OVanchornode_new(root), OVNODE_ANCHOR, false},
        {OVinlinenode_new(root), OVNODE_INLINE, false},
        {OVxformsepnode_new(root), OVNODE_XFORMSEP, false},
        {OVfognode_new(root), OVNODE_FOG, false},
        {OVrootnode_new(), OVNODE_ROOT, false},
        {OVglnode_new(root, draw_nothing, 0), OVNODE_GL, false},
    };
    for (const Case &c : cases) {
        ASSERT_NE(c.node, nullptr) << c.code;
        EXPECT_EQ(OVnode_gettype(c.node), c.code);
        EXPECT_EQ(OVnode_ismovable(c.node) != 0, c.movable) << c.code;
        EXPECT_EQ(OVnode_isenabled(c.node), 1) << c.code; // every node starts enabled
    }
}

TEST_F(HierarchyRows, ConstructorsRefuseParentsThatCannotHoldChildren) {
    OVnode *leaves[] = {OVxformnode_new(root),
                        OVgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0)),
                        OVlightnode_newpoint(root),
                        OVlightnode_newambient(root),
                        OVfognode_new(root),
                        OVglnode_new(root, draw_nothing, 0),
                        OVmovgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0)),
                        OVmovlightnode_newpoint(root)};
    for (OVnode *leaf : leaves) {
        ASSERT_NE(leaf, nullptr);
        EXPECT_EQ(OVgroupnode_new(leaf), nullptr);
        EXPECT_EQ(OVsepnode_new(leaf), nullptr);
        EXPECT_EQ(OVxformsepnode_new(leaf), nullptr);
        EXPECT_EQ(OVswitchnode_new(leaf), nullptr);
        EXPECT_EQ(OVlodnode_new(leaf), nullptr);
        EXPECT_EQ(OVanchornode_new(leaf), nullptr);
        EXPECT_EQ(OVinlinenode_new(leaf), nullptr);
        EXPECT_EQ(OVxformnode_new(leaf), nullptr);
        EXPECT_EQ(OVfognode_new(leaf), nullptr);
        EXPECT_EQ(OVlightnode_newambient(leaf), nullptr);
        EXPECT_EQ(OVlightnode_newdirected(leaf), nullptr);
        EXPECT_EQ(OVglnode_new(leaf, draw_nothing, 0), nullptr);
        EXPECT_EQ(OVmovsepnode_new(leaf), nullptr);
        EXPECT_EQ(OVnode_numchildren(leaf), 0);
    }
    EXPECT_EQ(OVgeometrynode_new(root, nullptr), nullptr);
    EXPECT_EQ(OVmovgeometrynode_new(root, nullptr), nullptr);
    EXPECT_EQ(OVnode_numchildren(root), 8);
}

TEST_F(HierarchyRows, EveryGroupingKindTakesChildren) {
    OVnode *parents[] = {OVgroupnode_new(root),  OVsepnode_new(root),    OVxformsepnode_new(root),
                         OVswitchnode_new(root), OVlodnode_new(root),    OVanchornode_new(root),
                         OVinlinenode_new(root), OVmovlodnode_new(root), OVmovswitchnode_new(root)};
    for (OVnode *parent : parents) {
        OVnode *first = OVgroupnode_new(parent);
        OVnode *second = OVxformnode_new(parent);
        ASSERT_NE(first, nullptr) << OVnode_gettype(parent);
        ASSERT_NE(second, nullptr);
        EXPECT_EQ(OVnode_numchildren(parent), 2);
        EXPECT_EQ(OVnode_getchild(parent, 1), second); // appended last
        EXPECT_EQ(OVnode_getparent(first, 0), parent);
    }
}

TEST_F(HierarchyRows, ANodeWithoutParentsHasNone) {
    OVnode *loose = OVgroupnode_new(nullptr);
    ASSERT_NE(loose, nullptr);
    EXPECT_EQ(OVnode_numparents(loose), 0);
    EXPECT_EQ(OVnode_getparent(loose, 0), nullptr); // the holding root never shows
    EXPECT_EQ(OVnode_numchildren(root), 0);
    OVnode *sep = OVsepnode_new(root);
    ASSERT_TRUE(OVnode_addchild(sep, loose));
    EXPECT_EQ(OVnode_getparent(loose, 0), sep);
    EXPECT_EQ(OVnode_getparent(loose, 1), nullptr);
    EXPECT_EQ(OVnode_getparent(loose, -1), nullptr);
    ASSERT_TRUE(OVnode_removechild(sep, 0));
    EXPECT_EQ(OVnode_getparent(loose, 0), nullptr);
}

TEST_F(HierarchyRows, IndicesOutsideTheChildListAreRefused) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *only = OVgroupnode_new(sep);
    OVnode *extra = OVgroupnode_new(nullptr);
    EXPECT_FALSE(OVnode_insertchild(sep, extra, -1));
    EXPECT_EQ(OVnode_numparents(extra), 0);
    EXPECT_FALSE(OVnode_removechild(sep, 1));
    EXPECT_FALSE(OVnode_removechild(sep, -1));
    EXPECT_FALSE(OVnode_removechild(OVgroupnode_new(root), 0));
    EXPECT_EQ(OVnode_getchild(sep, -1), nullptr);
    EXPECT_EQ(OVnode_getchild(sep, 1), nullptr);
    EXPECT_FALSE(OVnode_deletechild(sep, 1));
    EXPECT_FALSE(OVnode_deletechild(sep, -1));
    EXPECT_EQ(OVnode_getchild(sep, 0), only);
    EXPECT_EQ(OVnode_numchildren(OVxformnode_new(root)), 0);
    EXPECT_EQ(OVnode_getchild(OVxformnode_new(root), 0), nullptr);
}

TEST_F(HierarchyRows, TheSameChildTwiceUnderOneParentIsTwoEdges) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *twice = named(sep, "t");
    ASSERT_TRUE(OVnode_addchild(sep, twice));
    EXPECT_EQ(OVnode_numchildren(sep), 2);
    EXPECT_EQ(OVnode_numparents(twice), 2);
    EXPECT_STREQ(OVnode_getchildren(sep), "t,t");
    ASSERT_TRUE(OVnode_removechild(sep, 0));
    EXPECT_EQ(OVnode_numparents(twice), 1);
    EXPECT_EQ(OVnode_getchild(sep, 0), twice);
}

TEST_F(HierarchyRows, ChildrenTellsTheNamesOfTheNewList) {
    OVnode *sep = OVsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(sep, "Children", hear_text));
    OVnode *a = named(nullptr, "a");
    OVnode *unnamed = OVgroupnode_new(nullptr);
    OVnode *b = named(nullptr, "b");
    ASSERT_TRUE(OVnode_addchild(sep, a));
    ASSERT_TRUE(OVnode_addchild(sep, unnamed));
    ASSERT_TRUE(OVnode_insertchild(sep, b, 0));
    ASSERT_TRUE(OVnode_removechild(sep, 1));
    const int order[] = {1, 0};
    ASSERT_TRUE(OVsepnode_reorder(sep, order, 2));
    EXPECT_TRUE(heard.empty()); // told in the event pass, not in the call
    _OVevent_pass();
    EXPECT_EQ(heard, (std::vector<std::string>{"Children=a", "Children=a,", "Children=b,a,",
                                               "Children=b,", "Children=,b"}));
}

TEST_F(HierarchyRows, ARefusedChildrenChangeLeavesTheListAlone) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *a = named(sep, "a");
    OVnode *b = named(sep, "b");
    OVnode *loose = named(nullptr, "loose");
    ASSERT_TRUE(OVproperty_addhandler(sep, "Children", hear_text));
    ASSERT_TRUE(OVproperty_addhandler_pre(sep, "Children", refuse));
    EXPECT_FALSE(OVnode_addchild(sep, loose));
    EXPECT_FALSE(OVnode_insertchild(sep, loose, 0));
    EXPECT_FALSE(OVnode_removechild(sep, 0));
    EXPECT_FALSE(OVnode_setchildren(sep, "loose"));
    const int order[] = {1, 0};
    EXPECT_FALSE(OVsepnode_reorder(sep, order, 2));
    EXPECT_EQ(OVnode_numparents(loose), 0);
    EXPECT_EQ(OVnode_numchildren(sep), 2);
    EXPECT_EQ(OVnode_getchild(sep, 0), a);
    EXPECT_EQ(OVnode_getchild(sep, 1), b);
    _OVevent_pass();
    EXPECT_TRUE(heard.empty());
}

TEST_F(HierarchyRows, EnabledTellsZeroOrOne) {
    OVnode *sep = OVsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(sep, "Enabled", hear_int));
    ASSERT_TRUE(OVnode_enable(sep, 0));
    ASSERT_TRUE(OVnode_enable(sep, 7));
    EXPECT_EQ(OVnode_isenabled(sep), 1);
    EXPECT_EQ(OVnode_getenabled(sep), 1);
    _OVevent_pass();
    EXPECT_EQ(heard, (std::vector<std::string>{"Enabled=0", "Enabled=1"}));
    ASSERT_TRUE(OVproperty_addhandler_pre(sep, "Enabled", refuse));
    EXPECT_FALSE(OVnode_enable(sep, 0));
    EXPECT_EQ(OVnode_isenabled(sep), 1);
}

TEST_F(HierarchyRows, NamesAreCopiesAndFoundWhole) {
    OVnode *n = OVgroupnode_new(root);
    char name[] = "wheel";
    ASSERT_TRUE(OVnode_setname(n, name));
    EXPECT_NE(OVnode_getname(n), name);
    name[0] = 'k';
    EXPECT_STREQ(OVnode_getname(n), "wheel");
    EXPECT_EQ(OVuniverse_findnode("wheel", 5), n);
    EXPECT_EQ(OVuniverse_findnode("kheel", 5), nullptr);
    // By name only whole names count.
    OVnode *longer = OVgroupnode_new(root);
    OVnode_setname(longer, "wheels");
    EXPECT_EQ(OVuniverse_findnodebyname("wheel", 0), n);
    EXPECT_EQ(OVuniverse_findnodebyname("wheel", 1), nullptr);
    EXPECT_EQ(OVuniverse_findnodebyname("whee", 0), nullptr);
    EXPECT_EQ(OVuniverse_findnodebyname("wheels", 0), longer);
    EXPECT_EQ(OVuniverse_findnodebyname("wheel", -1), nullptr);
}

TEST_F(HierarchyRows, SetChildrenSkipsWhatCannotBeAChild) {
    OVnode *sep = OVsepnode_new(root);
    OVnode_setname(sep, "self");
    OVnode_setname(root, "top");
    OVnode *a = named(nullptr, "a");
    OVnode *above = named(root, "above");
    ASSERT_TRUE(OVnode_addchild(above, sep));
    ASSERT_TRUE(OVnode_setchildren(sep, "self,top;a above a"));
    EXPECT_EQ(OVnode_numchildren(sep), 2);
    EXPECT_EQ(OVnode_getchild(sep, 0), a);
    EXPECT_EQ(OVnode_getchild(sep, 1), a);
    EXPECT_EQ(OVnode_numparents(a), 2);
    EXPECT_STREQ(OVnode_getchildren(sep), "a,a");
}

TEST_F(HierarchyRows, FindComparesAtMostTheGivenLength) {
    OVnode *n = named(root, "abc");
    EXPECT_EQ(OVuniverse_findnode("abc", 10), n);
    EXPECT_EQ(OVuniverse_findnode("abc", 3), n);
    EXPECT_EQ(OVuniverse_findnode("abc", -1), nullptr);
    // Names with bytes above 127 hash like any other.
    OVnode *wide = named(root, "\xc3\xa9t\xc3\xa9");
    EXPECT_EQ(OVuniverse_findnode("\xc3\xa9t\xc3\xa9", 5), wide);
    OVnode *high = named(root, "\xff");
    EXPECT_EQ(OVuniverse_findnodebyname("\xff", 0), high);
    ASSERT_TRUE(OVnode_setname(high, nullptr));
    EXPECT_EQ(OVuniverse_findnodebyname("\xff", 0), nullptr);
}

TEST_F(HierarchyRows, LocationsStartEmptyAndAreTold) {
    OVnode *anchor = OVanchornode_new(root), *in = OVinlinenode_new(root);
    EXPECT_EQ(OVanchornode_getlocation(anchor), nullptr);
    EXPECT_EQ(OVinlinenode_getlocation(in), nullptr);
    ASSERT_TRUE(OVproperty_addhandler(anchor, "URL", hear_text));
    char url[] = "http://host/a.wrl";
    ASSERT_TRUE(OVanchornode_setlocation(anchor, url));
    url[0] = 'X';
    EXPECT_STREQ(OVanchornode_getlocation(anchor), "http://host/a.wrl");
    EXPECT_EQ(OVanchornode_getlocation(in), nullptr);
    EXPECT_EQ(OVinlinenode_getlocation(anchor), nullptr);
    EXPECT_FALSE(OVanchornode_setlocation(OVsepnode_new(root), "x"));
    _OVevent_pass();
    EXPECT_EQ(heard, std::vector<std::string>{"URL=http://host/a.wrl"});
}

TEST_F(HierarchyRows, LevelOfDetailCentreAndRangesAreTold) {
    OVnode *lod = OVlodnode_new(root);
    OVp3 centre = {9, 9, 9};
    ASSERT_TRUE(OVlodnode_getcenter(lod, centre));
    expect_p3(centre, 0, 0, 0);
    EXPECT_FALSE(OVlodnode_getcenter(OVsepnode_new(root), centre));
    ASSERT_TRUE(OVproperty_addhandler(lod, "LoCe", hear_p3));
    ASSERT_TRUE(OVproperty_addhandler(lod, "Ranges", hear_text));
    const OVp3 at = {1, 2, 3};
    ASSERT_TRUE(OVlodnode_setcenter(lod, at));
    const float ranges[] = {5, 7.5f};
    ASSERT_TRUE(OVlodnode_setrange(lod, ranges, 2));
    ASSERT_TRUE(OVlodnode_setranges(lod, "1;2"));
    _OVevent_pass();
    EXPECT_EQ(heard, (std::vector<std::string>{"LoCe=1,2,3", "Ranges=5.000000,7.500000",
                                               "Ranges=1.000000,2.000000"}));
}

TEST_F(HierarchyRows, CullModeAndActiveChildTellTheirValues) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *s = OVswitchnode_new(root);
    OVgroupnode_new(s);
    OVgroupnode_new(s);
    EXPECT_EQ(OVsepnode_getcullmode(sep), 3);
    ASSERT_TRUE(OVproperty_addhandler(sep, "SeCu", hear_int));
    ASSERT_TRUE(OVproperty_addhandler(s, "Active Child", hear_int));
    ASSERT_TRUE(OVsepnode_setcullmode(sep, 1));
    ASSERT_TRUE(OVsepnode_setcullmode(sep, 2));
    EXPECT_FALSE(OVsepnode_setcullmode(sep, 0));
    EXPECT_FALSE(OVsepnode_setcullmode(sep, 4));
    EXPECT_EQ(OVsepnode_getcullmode(sep), 2);
    ASSERT_TRUE(OVswitchnode_setwhichchild(s, 1));
    ASSERT_TRUE(OVswitchnode_setwhichchild(s, 1)); // the same again: no event
    ASSERT_TRUE(OVswitchnode_setwhichchild(s, -3));
    _OVevent_pass();
    EXPECT_EQ(heard,
              (std::vector<std::string>{"SeCu=1", "SeCu=2", "Active Child=1", "Active Child=-3"}));
    // Setting the current value succeeds even past a veto.
    ASSERT_TRUE(OVproperty_addhandler_pre(s, "Active Child", refuse));
    EXPECT_TRUE(OVswitchnode_setwhichchild(s, -3));
    EXPECT_FALSE(OVswitchnode_setwhichchild(s, 0));
    EXPECT_EQ(OVswitchnode_getwhichchild(s), -3);
}

TEST_F(HierarchyRows, CallbackNodeSettersKeepToCallbackNodes) {
    OVnode *sep = OVsepnode_new(root);
    const OVp3 lo = {-1, -1, -1}, hi = {1, 1, 1};
    EXPECT_FALSE(OVglnode_setflags(sep, 1));
    EXPECT_FALSE(OVglnode_setcullingbox(sep, lo, hi));
    EXPECT_FALSE(OVglnode_replacecallback(sep, draw_nothing));
    EXPECT_FALSE(OVglnode_setflags(nullptr, 1));
    OVnode *gl = OVglnode_new(root, draw_nothing, 0);
    EXPECT_EQ(OVglnode_getflags(gl), 1);
    EXPECT_TRUE(OVglnode_setcullingbox(gl, lo, hi));
    EXPECT_TRUE(OVglnode_setflags(gl, 0));
    EXPECT_EQ(OVglnode_getflags(gl), 0);
}

TEST_F(HierarchyRows, OnlyMovableNodesTakeAttachments) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *loose = OVgroupnode_new(nullptr);
    EXPECT_FALSE(OVmovnode_attach(sep, loose, -1));
    EXPECT_FALSE(OVmovnode_attach(OVxformnode_new(root), loose, -1));
    EXPECT_EQ(OVmovnode_numattachments(sep), 0);
    EXPECT_EQ(OVmovnode_getattachment(sep, 0), nullptr);
    EXPECT_FALSE(OVmovnode_detach(sep, 0));
    EXPECT_FALSE(OVmovnode_deleteattachment(sep, 0));
    OVnode *m = OVmovsepnode_new(root);
    EXPECT_FALSE(OVmovnode_attach(m, nullptr, -1));
    EXPECT_FALSE(OVmovnode_attach(m, OVrootnode_new(), -1));
    EXPECT_FALSE(OVmovnode_detach(m, 0)); // nothing attached yet
    EXPECT_EQ(OVmovnode_numattachments(m), 0);
    EXPECT_EQ(OVnode_numparents(loose), 0);
}

TEST_F(HierarchyRows, ARefusedAttachmentChangesNothing) {
    OVnode *m = OVmovsepnode_new(root);
    OVnode *content_child = OVgroupnode_new(m);
    OVnode *loose = named(nullptr, "loose");
    ASSERT_TRUE(OVproperty_addhandler(m, "MvAt", hear_text));
    ASSERT_TRUE(OVproperty_addhandler_pre(m, "MvAt", refuse));
    EXPECT_FALSE(OVmovnode_attach(m, loose, -1));
    EXPECT_EQ(OVmovnode_numattachments(m), 0);
    EXPECT_EQ(OVnode_numparents(loose), 0);
    ASSERT_TRUE(OVproperty_removehandler_pre(m, "MvAt", refuse));
    ASSERT_TRUE(OVmovnode_attach(m, loose, 0));
    ASSERT_TRUE(OVproperty_addhandler_pre(m, "MvAt", refuse));
    EXPECT_FALSE(OVmovnode_detach(m, 0));
    EXPECT_FALSE(OVmovnode_deleteattachment(m, 0));
    EXPECT_EQ(OVmovnode_getattachment(m, 0), loose);
    EXPECT_EQ(OVnode_getchild(m, 0), content_child);
    _OVevent_pass();
    EXPECT_EQ(heard, std::vector<std::string>{"MvAt=loose"});
}

TEST_F(HierarchyRows, AMovableLightsAttachmentsKeepItsFrameInside) {
    OVnode *m = OVmovlightnode_newpoint(root);
    OVnode *tag = named(nullptr, "tag");
    ASSERT_TRUE(OVmovnode_attach(m, tag, -1));
    EXPECT_EQ(OVnode_gettype(m), OVNODE_MLIGHT);
    EXPECT_EQ(OVlightnode_gettype(m), OVLIGHT_POINT);
    EXPECT_EQ(OVmovnode_getattachment(m, 0), tag);
    EXPECT_EQ(OVnode_getparent(tag, 0), m);
    ASSERT_TRUE(OVmovnode_detach(m, 0));
    EXPECT_EQ(OVnode_numparents(tag), 0);
    EXPECT_EQ(OVlightnode_gettype(m), OVLIGHT_POINT);
}

TEST_F(HierarchyRows, PayloadGettersAnswerOnlyTheirKind) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    OVnode *geometry = OVgeometrynode_new(root, g);
    EXPECT_EQ(OVnode_getgeometry(geometry), g);
    EXPECT_EQ(OVnode_getgeometry(OVsepnode_new(root)), nullptr);
    EXPECT_EQ(OVnode_getobject(geometry), nullptr);
    EXPECT_EQ(OVnode_getobject(nullptr), nullptr);
    // One node per geometry.
    EXPECT_EQ(OVgeometrynode_new(root, g), nullptr);
    OVgeometry *second = OVgeometry_newblock(1, 1, 1, 0);
    ASSERT_NE(OVgeometrynode_new(root, second), nullptr);
}

TEST_F(HierarchyRows, AMovablesChildrenAreAskedAndToldOnTheMovable) {
    OVnode *m = OVmovsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(m, "Children", hear_text));
    OVnode *a = named(nullptr, "a");
    ASSERT_TRUE(OVnode_addchild(m, a));
    ASSERT_TRUE(OVnode_insertchild(m, named(nullptr, "b"), 1));
    ASSERT_TRUE(OVnode_removechild(m, 0));
    ASSERT_TRUE(OVproperty_addhandler_pre(m, "Children", refuse));
    EXPECT_FALSE(OVnode_addchild(m, a));
    EXPECT_EQ(OVnode_numchildren(m), 1);
    _OVevent_pass();
    EXPECT_EQ(heard, (std::vector<std::string>{"Children=a", "Children=a,b", "Children=b"}));
    EXPECT_STREQ(OVnode_getchildren(m), "b");
}

TEST_F(HierarchyRows, ParentsInTheOrderTheyWereAdded) {
    OVnode *p[3] = {OVsepnode_new(root), OVsepnode_new(root), OVsepnode_new(root)};
    OVnode *shared = OVgroupnode_new(nullptr);
    for (OVnode *parent : p)
        ASSERT_TRUE(OVnode_addchild(parent, shared));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(OVnode_getparent(shared, i), p[i]);
    ASSERT_TRUE(OVnode_removechild(p[0], 0)); // the first appearance goes
    EXPECT_EQ(OVnode_getparent(shared, 0), p[1]);
    EXPECT_EQ(OVnode_getparent(shared, 1), p[2]);
    ASSERT_TRUE(OVnode_addchild(p[0], shared));
    EXPECT_EQ(OVnode_getparent(shared, 2), p[0]);
    EXPECT_EQ(OVnode_numparents(shared), 3);
}

TEST_F(HierarchyRows, AttachingAtTheCountAppends) {
    OVnode *m = OVmovsepnode_new(root);
    OVnode *a = named(nullptr, "a"), *b = named(nullptr, "b"), *c = named(nullptr, "c");
    ASSERT_TRUE(OVmovnode_attach(m, a, 0)); // no group yet: 0 makes it
    ASSERT_TRUE(OVmovnode_attach(m, b, 1)); // at the count: appended
    ASSERT_TRUE(OVmovnode_attach(m, c, 0));
    EXPECT_EQ(OVmovnode_numattachments(m), 3);
    EXPECT_EQ(OVmovnode_getattachment(m, 0), c);
    EXPECT_EQ(OVmovnode_getattachment(m, 1), a);
    EXPECT_EQ(OVmovnode_getattachment(m, 2), b);
    EXPECT_EQ(OVmovnode_getattachment(m, -1), nullptr);
    EXPECT_FALSE(OVmovnode_attach(m, named(nullptr, "d"), 4));
    EXPECT_FALSE(OVmovnode_attach(m, named(nullptr, "e"), -2));
    OVvalue text = OVproperty_get(m, "MvAt");
    EXPECT_STREQ(text.v.s, "c,a,b");
    OVvalue_free(&text);
}

TEST_F(HierarchyRows, EmptyRangesClearTheLevels) {
    OVnode *lod = OVlodnode_new(root);
    const float ranges[] = {3};
    ASSERT_TRUE(OVlodnode_setrange(lod, ranges, 1));
    ASSERT_TRUE(OVlodnode_setranges(lod, ""));
    EXPECT_EQ(OVlodnode_numranges(lod), 0);
    EXPECT_EQ(OVlodnode_getranges(lod), nullptr);
    ASSERT_TRUE(OVlodnode_setrange(lod, ranges, 1));
    ASSERT_TRUE(OVlodnode_setrange(lod, ranges, 0));
    EXPECT_EQ(OVlodnode_numranges(lod), 0);
    EXPECT_EQ(OVlodnode_getranges(lod), nullptr);
    float out[1] = {7};
    EXPECT_TRUE(OVlodnode_getrange(lod, out, 0));
}

} // namespace
