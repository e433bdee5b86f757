// The scene writer's structure: nesting and indentation, names given for the
// file and given back, grouping nodes without their optional fields, what the
// first node decides about the camera, and the camera's orientation.
#include "vrml_fixture.h"

#include <cmath>
#include <regex>
#include <set>
#include <sstream>

namespace {

// The text after the two header lines.
std::string body(const std::string &text) {
    const size_t second = text.find('\n', text.find('\n') + 1);
    return second == std::string::npos ? std::string() : text.substr(second + 1);
}

// Every name written after DEF, in file order.
std::vector<std::string> defs(const std::string &text) {
    std::vector<std::string> names;
    const std::regex def("DEF ([^ ]+) ");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), def);
         it != std::sregex_iterator(); ++it)
        names.push_back((*it)[1].str());
    return names;
}

// The number in the first generated name of the text, or -1.
long generated_number(const std::string &text) {
    std::smatch m;
    if (!std::regex_search(text, m, std::regex("DEF Node([0-9]+) "))) return -1;
    return std::stol(m[1].str());
}

const char *const kBindings = "NormalBinding { value PER_FACE_INDEXED }\n";

int occurrences(const std::string &text, const std::string &part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

} // namespace

TEST_F(VrmlTest, NestedGroupsIndentTwoSpacesPerLevel) {
    OVnode *top = OVgroupnode_new(OVuniverse_getrootnodes());
    OVnode *middle = OVgroupnode_new(top);
    OVnode_setname(OVgroupnode_new(middle), "leaf");
    const std::string want = "Group {\n"
                             "  NormalBinding { value PER_FACE_INDEXED }\n"
                             "  MaterialBinding { value PER_FACE_INDEXED }\n"
                             "  ShapeHints {vertexOrdering COUNTERCLOCKWISE\n"
                             "  shapeType SOLID faceType CONVEX\n"
                             "  creaseAngle 0}\n"
                             "  Group {\n"
                             "    DEF leaf Group {\n"
                             "    }\n"
                             "  }\n"
                             "}\n";
    EXPECT_EQ(body(save(OVuniverse_getrootnodes())), want);
}

TEST_F(VrmlTest, ARootWithTwoChildrenIsWrittenAsASeparator) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode_setname(OVgroupnode_new(root), "one");
    OVnode_setname(OVgroupnode_new(root), "two");
    const std::string text = body(save(root));
    EXPECT_EQ(text.rfind("Separator {\n", 0), 0u) << text;
    EXPECT_NE(text.find("\n  DEF one Group {\n  }\n  DEF two Group {\n  }\n}\n"), std::string::npos)
        << text;
}

TEST_F(VrmlTest, SharedNodesOfAnyKindAreDefinedOnceAndTheirSubtreeNotRepeated) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *a = OVsepnode_new(root);
    OVnode *b = OVsepnode_new(root);
    OVnode *shared = OVgroupnode_new(a);
    OVnode_setname(shared, "shared");
    OVnode_setname(OVgroupnode_new(shared), "kid");
    ASSERT_TRUE(OVnode_addchild(b, shared));
    const std::string text = save(root);
    EXPECT_EQ(occurrences(text, "DEF shared Group {"), 1) << text;
    EXPECT_EQ(occurrences(text, "DEF kid Group {"), 1);
    EXPECT_TRUE(has_line(text, "USE shared"));
    EXPECT_LT(text.find("DEF shared"), text.find("USE shared"));
    EXPECT_EQ(occurrences(text, "kid"), 1); // not visited again under the USE
}

TEST_F(VrmlTest, GeneratedNamesAreGivenBackAfterTheWrite) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *a = OVsepnode_new(root);
    OVnode *b = OVsepnode_new(root);
    OVnode *shared = OVgroupnode_new(a);
    ASSERT_TRUE(OVnode_addchild(b, shared));
    const std::string first = save(root);
    ASSERT_GE(generated_number(first), 0) << first;
    const char *name = OVnode_getname(shared);
    EXPECT_TRUE(name == nullptr || *name == '\0') << name;
    // Nor is the generated name left in the universe's name index.
    const std::string generated = "Node" + std::to_string(generated_number(first));
    EXPECT_EQ(OVuniverse_findnode(generated.c_str(), static_cast<int>(generated.size() + 1)),
              nullptr);
    // The counter only grows: the next file uses a later number.
    const std::string second = save(root);
    EXPECT_GT(generated_number(second), generated_number(first));
}

TEST_F(VrmlTest, AGeneratedNameInUseInTheSceneIsSkipped) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *a = OVsepnode_new(root);
    OVnode *b = OVsepnode_new(root);
    OVnode *shared = OVgroupnode_new(a);
    ASSERT_TRUE(OVnode_addchild(b, shared));
    const long next = generated_number(save(root)) + 1;
    // The next few generated names are taken by nodes of the scene.
    std::set<std::string> taken;
    for (long i = 0; i < 3; ++i) {
        const std::string name = "Node" + std::to_string(next + i);
        OVnode_setname(OVgroupnode_new(b), name.c_str());
        taken.insert(name);
    }
    const std::string text = save(root);
    const std::vector<std::string> names = defs(text);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size()) << text;
    std::smatch use;
    ASSERT_TRUE(std::regex_search(text, use, std::regex("USE (Node[0-9]+)\n"))) << text;
    EXPECT_EQ(taken.count(use[1].str()), 0u) << text;
    for (const std::string &name : taken)
        EXPECT_EQ(occurrences(text, "DEF " + name + " Group {"), 1) << text;
}

TEST_F(VrmlTest, OfThreeNodesOfOneNameTheLastKeepsItAndAllHaveItBack) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *top = OVgroupnode_new(root);
    OVnode *nodes[3];
    for (OVnode *&n : nodes) {
        n = OVgroupnode_new(top);
        OVnode_setname(n, "box");
    }
    const std::string text = save(root);
    const std::vector<std::string> names = defs(text);
    ASSERT_EQ(names.size(), 3u) << text;
    EXPECT_NE(names[0], names[1]);
    EXPECT_EQ(names[0].rfind("Node", 0), 0u);
    EXPECT_EQ(names[1].rfind("Node", 0), 0u);
    EXPECT_EQ(names[2], "box");
    for (OVnode *n : nodes)
        EXPECT_STREQ(OVnode_getname(n), "box");
    EXPECT_NE(OVuniverse_findnode("box", 4), nullptr);
    EXPECT_EQ(messages.find("Could not find node name"), std::string::npos) << messages;
}

TEST_F(VrmlTest, OptionalFieldsOfAnchorsInlinesAndLevelsOfDetail) {
    OVnode *top = OVgroupnode_new(OVuniverse_getrootnodes());
    OVnode_setname(OVanchornode_new(top), "bare_anchor");
    OVnode_setname(OVinlinenode_new(top), "bare_inline");
    OVnode *lod = OVlodnode_new(top);
    OVnode_setname(lod, "lod");
    const OVp3 centre = {1, 2, 3};
    ASSERT_TRUE(OVlodnode_setcenter(lod, centre));
    const std::string text = save(OVuniverse_getrootnodes());
    EXPECT_NE(text.find("\n  DEF bare_anchor WWWAnchor {\n  }\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n  DEF bare_inline WWWInline {\n  }\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n  DEF lod LOD {\n    center 1.000000 2.000000 3.000000\n  }\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("range"), std::string::npos);
}

TEST_F(VrmlTest, LightFieldsInTheirOrder) {
    OVnode *top = OVgroupnode_new(OVuniverse_getrootnodes());
    OVnode *spot = OVlightnode_newspot(top);
    const OVp3 at = {1, 2, 3};
    OVp3 along = {0, 0, 1};
    ASSERT_TRUE(OVlightnode_setposition(spot, at));
    ASSERT_TRUE(OVlightnode_setdirection(spot, along));
    ASSERT_TRUE(OVlightnode_setangle(spot, 0.5f));
    ASSERT_TRUE(OVlightnode_setexponent(spot, 32));
    ASSERT_TRUE(OVlightnode_setintensity(spot, 0.75f));
    ASSERT_TRUE(OVlightnode_setdiffuse(spot, 1, 0.5f, 0.25f));
    const std::string text = save(OVuniverse_getrootnodes());
    const std::string want = "\n  SpotLight {\n"
                             "    location 1.000000 2.000000 3.000000\n"
                             "    direction -0.000000 -0.000000 -1.000000\n"
                             "    intensity 0.750000\n"
                             "    color 1.000000 0.500000 0.250000\n"
                             "    dropOffRate 0.250000\n"
                             "    cutOffAngle 0.500000\n"
                             "  }\n";
    EXPECT_NE(text.find(want), std::string::npos) << text;
}

TEST_F(VrmlTest, AnAmbientLightWritesNothing) {
    OVnode *top = OVgroupnode_new(OVuniverse_getrootnodes());
    OVlightnode_newambient(top);
    OVnode_setname(OVgroupnode_new(top), "after");
    const std::string text = save(OVuniverse_getrootnodes());
    EXPECT_EQ(text.find("Light"), std::string::npos) << text;
    EXPECT_TRUE(has_line(text, "DEF after Group {"));
    EXPECT_EQ(messages.find("Unknown node type"), std::string::npos) << messages;
}

TEST_F(VrmlTest, ATransformFirstClearsTheCameraWithoutWritingIt) {
    OVnode *shift = OVxformnode_new(OVgroupnode_new(OVuniverse_getrootnodes()));
    const OVp3 t = {1, 0, 0};
    OVnode_settranslation(shift, t);
    const std::string text = body(save(shift, OVuniverse_getviewpoint()));
    EXPECT_EQ(text, "Translation { translation 1.000000 0.000000 0.000000}\n");
}

TEST_F(VrmlTest, ASeparatorFirstHoldsTheCameraAndItsGeometryNoSecondBindings) {
    OVnode *sep = OVsepnode_new(OVgroupnode_new(OVuniverse_getrootnodes()));
    OVgeometrynode_new(sep, OVgeometry_newblock(1, 1, 1, 0));
    const std::string text = body(save(sep, OVuniverse_getviewpoint()));
    EXPECT_EQ(text.rfind("Separator {\n  PerspectiveCamera {\n    position ", 0), 0u) << text;
    EXPECT_EQ(occurrences(text, kBindings), 1) << text;
    EXPECT_EQ(occurrences(text, "ShapeHints"), 1) << text;
}

TEST_F(VrmlTest, WithoutAViewpointTheBindingsStillFollowTheFirstNode) {
    OVnode *sep = OVsepnode_new(OVgroupnode_new(OVuniverse_getrootnodes()));
    const std::string text = body(save(sep));
    EXPECT_EQ(text.rfind(std::string("Separator {\n  ") + kBindings, 0), 0u) << text;
    EXPECT_EQ(text.find("PerspectiveCamera"), std::string::npos);
}

namespace {

// The camera's orientation turns VRML's view (along -z, up +y) into the
// viewpoint's (along its direction, up against its +y axis).
void expect_camera_matches(const std::string &text, OVviewpoint *eye) {
    std::smatch m;
    ASSERT_TRUE(std::regex_search(text, m, std::regex("orientation (\\S+) (\\S+) (\\S+) (\\S+)\n")))
        << text;
    const double axis[3] = {std::stod(m[1]), std::stod(m[2]), std::stod(m[3])};
    const double angle = std::stod(m[4]);
    // Rodrigues' rotation, counter-clockwise about the axis as VRML turns.
    auto turn = [&](const double v[3], double out[3]) {
        const double c = std::cos(angle), s = std::sin(angle);
        const double dot = axis[0] * v[0] + axis[1] * v[1] + axis[2] * v[2];
        const double cross[3] = {axis[1] * v[2] - axis[2] * v[1], axis[2] * v[0] - axis[0] * v[2],
                                 axis[0] * v[1] - axis[1] * v[0]};
        for (int i = 0; i < 3; ++i)
            out[i] = v[i] * c + cross[i] * s + axis[i] * dot * (1 - c);
    };
    const double forward[3] = {0, 0, -1}, up[3] = {0, 1, 0};
    double look[3], top[3];
    turn(forward, look);
    turn(up, top);
    OVp3 direction, down;
    OVviewpoint_getdirection(eye, direction);
    OVviewpoint_getaxis(eye, 1, down);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(look[i], direction[i], 1e-4) << i << "\n" << text;
        EXPECT_NEAR(top[i], -down[i], 1e-4) << i << "\n" << text;
    }
}

} // namespace

TEST_F(VrmlTest, CameraOrientationLooksAndStandsAsTheViewpoint) {
    OVnode *top = OVgroupnode_new(OVuniverse_getrootnodes());
    OVviewpoint *eye = OVuniverse_getviewpoint();
    expect_camera_matches(save(top, eye), eye);
    OVviewpoint_rotate(eye, 1, 0.7f, 0); // a turn about y
    expect_camera_matches(save(top, eye), eye);
    OVviewpoint_rotate(eye, 0, -0.4f, 1); // then a tilt about its own x
    expect_camera_matches(save(top, eye), eye);
}

TEST_F(VrmlTest, WideAndDeepScenesAreWrittenWhole) {
    OVnode *top = OVgroupnode_new(OVuniverse_getrootnodes());
    constexpr int kWide = 100, kDeep = 70;
    for (int i = 0; i < kWide; ++i)
        OVnode_setname(OVgroupnode_new(top), ("wide" + std::to_string(i)).c_str());
    OVnode *chain = top;
    for (int i = 0; i < kDeep; ++i)
        chain = OVgroupnode_new(chain);
    OVnode_setname(chain, "bottom");
    const std::string text = save(OVuniverse_getrootnodes());
    for (int i = 0; i < kWide; ++i)
        ASSERT_EQ(occurrences(text, "DEF wide" + std::to_string(i) + " Group {\n"), 1) << i;
    // The last of the chain stands kDeep levels below the top group's children.
    const std::string indent(2 * (kDeep + 1), ' ');
    EXPECT_NE(
        text.find("\n" + indent.substr(2) + "DEF bottom Group {\n" + indent.substr(2) + "}\n"),
        std::string::npos);
    EXPECT_EQ(occurrences(text, "{"), occurrences(text, "}"));
    EXPECT_EQ(text.substr(text.size() - 2), "}\n");
}

TEST_F(VrmlTest, ManyNodesOfOneNameGetUniqueNamesAndOneKeepsIt) {
    OVnode *top = OVgroupnode_new(OVuniverse_getrootnodes());
    constexpr int kCount = 80;
    for (int i = 0; i < kCount; ++i)
        OVnode_setname(OVgroupnode_new(top), "same");
    const std::string text = save(OVuniverse_getrootnodes());
    const std::vector<std::string> names = defs(text);
    ASSERT_EQ(names.size(), static_cast<size_t>(kCount));
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    EXPECT_EQ(names.back(), "same");
    EXPECT_EQ(occurrences(text, "DEF same "), 1);
    for (int i = 0; i < kCount; ++i)
        EXPECT_STREQ(OVnode_getname(OVnode_getchild(top, i)), "same");
}

TEST_F(VrmlTest, NothingToSaveOrNowhereToWriteIsAFailedSave) {
    EXPECT_FALSE(OVnode_save(nullptr, file.c_str(), nullptr, OVFILE_VRML1, 0));
    OVnode *top = OVgroupnode_new(OVuniverse_getrootnodes());
    const std::string missing = ::testing::TempDir() + "no_such_dir_vrml/scene.wrl";
    EXPECT_FALSE(OVnode_save(top, missing.c_str(), nullptr, OVFILE_VRML1, 0));
}

TEST_F(VrmlTest, ANamedGeometryNodeDefinesItsSeparator) {
    OVnode *top = OVgroupnode_new(OVuniverse_getrootnodes());
    OVnode *crate = OVgeometrynode_new(top, OVgeometry_newblock(1, 1, 1, 0));
    OVnode_setname(crate, "crate");
    const std::string text = save(OVuniverse_getrootnodes());
    EXPECT_NE(text.find("\n  DEF crate Separator {\n    Info { string \" glom name block\" }\n"),
              std::string::npos)
        << text;
}

TEST_F(VrmlTest, ScaledTransformsAreMatricesAndAnUntouchedOneATranslation) {
    OVnode *top = OVgroupnode_new(OVuniverse_getrootnodes());
    OVnode *scaled = OVxformnode_new(top);
    const OVm4 m = {2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 5, 6, 7, 1};
    ASSERT_TRUE(OVnode_settransform(scaled, m));
    OVxformnode_new(top);
    const std::string text = save(OVuniverse_getrootnodes());
    const std::string matrix = "\n  MatrixTransform { matrix\n"
                               "    2.000000 0.000000 0.000000 0.0\n"
                               "    0.000000 3.000000 0.000000 0.0\n"
                               "    0.000000 0.000000 4.000000 0.0\n"
                               "    5.000000 6.000000 7.000000 1.0 }\n";
    EXPECT_NE(text.find(matrix), std::string::npos) << text;
    EXPECT_NE(text.find("\n  Translation { translation 0.000000 0.000000 0.000000}\n"),
              std::string::npos)
        << text;
}

TEST_F(VrmlTest, AFogOrAmbientNodeFirstWritesNoBodyAtAll) {
    OVnode *top = OVgroupnode_new(OVuniverse_getrootnodes());
    EXPECT_EQ(body(save(OVfognode_new(top), OVuniverse_getviewpoint())), "");
    EXPECT_EQ(body(save(OVlightnode_newambient(top), OVuniverse_getviewpoint())), "");
    EXPECT_EQ(messages.find("Unknown node type"), std::string::npos) << messages;
}
