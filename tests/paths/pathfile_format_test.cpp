// The path file byte for byte, and what the reader accepts and refuses.
#include "path_fixture.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace {

using pathtest::heard;
using pathtest::note;

std::string temp_name(const char *stem) {
    return std::string(::testing::TempDir()) + stem + std::to_string(getpid()) + ".pth";
}

void write_file(const std::string &name, const std::string &text) {
    std::ofstream(name, std::ios::binary) << text;
}

std::string read_file(const std::string &name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

int count_paths() {
    int n = 0;
    for (OVpath *p = OVuniverse_getpaths(); p; p = OVpath_next(p))
        ++n;
    return n;
}

const char *const header = "path record v.2\n";

} // namespace

TEST_F(PathTest, AnEmptyPathSavesTheHeaderAndACountOfZero) {
    OVpath *path = OVpath_new(nullptr);
    const std::string name = temp_name("empty");
    ASSERT_TRUE(OVpath_save(path, name.c_str()));
    EXPECT_EQ(read_file(name), "path record v.2\n0\n");
    OVpath *loaded = OVpath_load(name.c_str(), nullptr);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(OVpath_numelements(loaded), 0);
    EXPECT_EQ(OVpath_getcurrent(loaded), nullptr);
    EXPECT_EQ(OVpath_getstate(loaded), OVPATH_IDLE);
    std::remove(name.c_str());
}

TEST_F(PathTest, EveryElementIsWrittenFirstToLastInTheFixedForm) {
    OVpath *path = OVpath_new(nullptr);
    const OVpq poses[3] = {{{0, 0, 0}, {0, 0, 0, 1}},
                           {{-1.25f, 123456.5f, 0.0000001f}, {0.5f, -0.5f, 0.5f, -0.5f}},
                           {{10, -20, 30}, {0, 0, 0, 2}}};
    for (const OVpq &pose : poses)
        OVpath_appendelement(path, OVpathelement_new(&pose));
    OVpath_rewind(path); // where the current element stands does not matter
    const std::string name = temp_name("three");
    write_file(name, std::string(500, 'x')); // replaced, not overwritten in place
    ASSERT_TRUE(OVpath_save(path, name.c_str()));
    EXPECT_EQ(read_file(name), "path record v.2\n3\n"
                               "Posi  0.000000 0.000000 0.000000\n"
                               "Orie  0.000000 0.000000 0.000000 1.000000\n"
                               "Posi  -1.250000 123456.500000 0.000000\n"
                               "Orie  0.500000 -0.500000 0.500000 -0.500000\n"
                               "Posi  10.000000 -20.000000 30.000000\n"
                               "Orie  0.000000 0.000000 0.000000 2.000000\n");
    std::remove(name.c_str());
}

TEST_F(PathTest, SavingAPlayingPathStopsItWithoutTellingTheHandlers) {
    std::vector<std::string> seen;
    heard = &seen;
    OVpath *path = row_path(3);
    ASSERT_TRUE(OVproperty_addhandler(path, "Playing", note));
    OVpath_rewind(path);
    ASSERT_TRUE(OVpath_play(path));
    const std::string name = temp_name("playing");
    ASSERT_TRUE(OVpath_save(path, name.c_str()));
    EXPECT_EQ(OVpath_getstate(path), OVPATH_IDLE);
    passes(1);
    EXPECT_EQ(seen, (std::vector<std::string>{"Playing=1"}));
    EXPECT_FLOAT_EQ(viewpoint_x(), 0) << "an idle path plays nothing";
    std::remove(name.c_str());
    heard = nullptr;
}

TEST_F(PathTest, AnUnopenableFileIsNamedOnTheErrorStream) {
    OVpath *path = row_path(1);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(OVpath_save(path, "/no/such/dir/named.pth"));
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.rfind("/no/such/dir/named.pth", 0), 0u) << err;
}

TEST_F(PathTest, TheCountDecidesHowManyElementsAreRead) {
    const std::string name = temp_name("count");
    write_file(name,
               std::string(header) + "1\nPosi  1 2 3\nOrie  0 0 0 1\nPosi  4 5 6\nOrie  0 0 0 1\n");
    OVpath *fewer = OVpath_load(name.c_str(), nullptr);
    ASSERT_NE(fewer, nullptr);
    EXPECT_EQ(OVpath_numelements(fewer), 1);
    const int listed = count_paths();
    write_file(name, std::string(header) + "3\nPosi  1 2 3\nOrie  0 0 0 1\n"
                                           "Posi  4 5 6\nOrie  0 0 0 1\n");
    EXPECT_EQ(OVpath_load(name.c_str(), nullptr), nullptr) << "the third element is missing";
    EXPECT_EQ(count_paths(), listed) << "the failed load leaves no path behind";
    std::remove(name.c_str());
}

TEST_F(PathTest, EachLineMustCarryItsOwnKeyword) {
    const std::string name = temp_name("keyword");
    for (const char *body : {"Orie  0 0 0 1\nPosi  1 2 3\n", "Posi  1 2 3\nPosi  0 0 0 1\n",
                             "Pos  1 2 3\nOrie  0 0 0 1\n", "Posi  1 2\nOrie  0 0 0 1\n",
                             "Posi  1 2 3\nOrie  0 0 1\n"}) {
        write_file(name, std::string(header) + "1\n" + body);
        EXPECT_EQ(OVpath_load(name.c_str(), nullptr), nullptr) << body;
    }
    std::remove(name.c_str());
}

TEST_F(PathTest, LoadedPathsKeepTheFileValuesAsWritten) {
    const std::string name = temp_name("values");
    write_file(name, std::string(header) + "2\nPosi  -1.5 2e2 .25\nOrie  0 0 0 2\n"
                                           "Posi\t7 8 9\nOrie  0.6 0 0 0.8\n");
    OVpath *path = OVpath_load(name.c_str(), nullptr);
    ASSERT_NE(path, nullptr) << messages;
    EXPECT_EQ(OVuniverse_getpaths(), path);
    ASSERT_EQ(OVpath_numelements(path), 2);
    EXPECT_EQ(OVpath_getcurrent(path), OVpath_getfirst(path));
    OVp3 p;
    OVq q;
    OVpathelement_getposition(OVpath_getfirst(path), p);
    OVpathelement_getorientation(OVpath_getfirst(path), q);
    EXPECT_P3_NEAR(p, -1.5f, 200, 0.25f);
    EXPECT_FLOAT_EQ(q[3], 2) << "not normalised";
    OVpathelement_getposition(OVpath_getlast(path), p);
    EXPECT_P3_NEAR(p, 7, 8, 9);
    std::remove(name.c_str());
}

TEST_F(PathTest, WindowsLineEndsAreRead) {
    const std::string name = temp_name("crlf");
    write_file(name, "path record v.2\r\n2\r\nPosi  1 2 3\r\nOrie  0 0 0 1\r\n"
                     "Posi  4 5 6\r\nOrie  0 0 1 0\r\n");
    OVpath *path = OVpath_load(name.c_str(), nullptr);
    ASSERT_NE(path, nullptr) << messages;
    ASSERT_EQ(OVpath_numelements(path), 2);
    OVp3 p;
    OVpathelement_getposition(OVpath_getlast(path), p);
    EXPECT_P3_NEAR(p, 4, 5, 6);
    std::remove(name.c_str());
}

TEST_F(PathTest, OnlyTheFifteenCharactersOfTheHeaderAtTheStartWillDo) {
    const std::string name = temp_name("heads");
    for (const char *first : {"path record v.", " path record v.2", "Path record v.2",
                              "path record v.3", "", "path record\n v.2"}) {
        messages.clear();
        write_file(name, std::string(first) + "\n0\n");
        EXPECT_EQ(OVpath_load(name.c_str(), nullptr), nullptr) << '"' << first << '"';
        EXPECT_EQ(messages, "File '" + name + "' is not a path file\n") << '"' << first << '"';
    }
    write_file(name, "");
    messages.clear();
    EXPECT_EQ(OVpath_load(name.c_str(), nullptr), nullptr);
    EXPECT_EQ(messages, "File '" + name + "' is not a path file\n");
    write_file(name, "path record v.2.1 (extended)\n0\n");
    EXPECT_NE(OVpath_load(name.c_str(), nullptr), nullptr);
    std::remove(name.c_str());
}

TEST_F(PathTest, AMissingFileGivesExactlyItsMessage) {
    messages.clear();
    EXPECT_EQ(OVpath_load("nowhere-at-all.pth", nullptr), nullptr);
    EXPECT_EQ(messages, "Couldn't find file nowhere-at-all.pth\n");
    EXPECT_EQ(OVuniverse_getpaths(), nullptr);
}

TEST_F(PathTest, ASavedAndReloadedPathPlaysTheSamePoses) {
    OVpath *path = row_path(4);
    const std::string name = temp_name("replay");
    ASSERT_TRUE(OVpath_save(path, name.c_str()));
    OVpath_delete(path);
    OVpath *loaded = OVpath_load(name.c_str(), nullptr);
    ASSERT_NE(loaded, nullptr);
    ASSERT_TRUE(OVpath_play(loaded));
    std::vector<float> seen;
    for (int i = 0; i < 3; ++i) {
        passes(1);
        seen.push_back(viewpoint_x());
    }
    EXPECT_EQ(seen, (std::vector<float>{1, 2, 3}));
    std::remove(name.c_str());
}
