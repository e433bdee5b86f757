// The explorer configured by initialization files: its own beside the
// executable, found from any working directory, else "orvwin.ini" in the
// working directory.
#include "explorer_fixture.h"

#include <cstdio>
#include <fstream>
#include <sys/stat.h>

namespace {

using namespace explorer_e2e;

class ExplorerConfig : public Explorer {
  protected:
    bool starts_at_once() const override { return false; }

    void SetUp() override {
        Explorer::SetUp();
        if (IsSkipped()) return;
        ASSERT_EQ(mkdir(x.path("bin").c_str(), 0755), 0);
        ASSERT_EQ(mkdir(x.path("work").c_str(), 0755), 0);
        // A copy of the program, so that its name leads to a file of ours.
        std::ifstream in(RGBSLICE_PATH, std::ios::binary);
        std::ofstream out(program(), std::ios::binary);
        out << in.rdbuf();
        out.close();
        ASSERT_EQ(chmod(program().c_str(), 0755), 0);
    }

    std::string program() const { return x.path("bin/rgbslice"); }

    void write(const std::string &path, const std::string &text) { std::ofstream(path) << text; }
};

// The file beside the executable sets the window's size and place; the
// explorer's own white background wins over the file's colour.
TEST_F(ExplorerConfig, TheFileBesideTheProgramIsReadFromAnotherDirectory) {
    write(x.path("bin/rgbslice.ini"), "[orv]\ngeometry=320x240+40+30\nbgcolor=0x000080\n");
    ASSERT_NO_FATAL_FAILURE(launch(program(), x.path("work")));
    EXPECT_EQ(ww, 320);
    EXPECT_EQ(wh, 240);
    EXPECT_EQ(wx, 40);
    EXPECT_EQ(wy, 30);
    Image s = still_shot("beside");
    EXPECT_TRUE(white(s.at(wx + 3, wy + 3)));
    EXPECT_TRUE(white(s.at(wx + ww - 4, wy + wh - 4)));
    quit();
}

// A dot in a directory name does not cut the path: the file beside the
// program is still the one read.
TEST_F(ExplorerConfig, ADotInTheDirectoryNameKeepsTheFileBesideTheProgram) {
    ASSERT_EQ(rename(x.path("bin").c_str(), x.path("bin.d").c_str()), 0);
    write(x.path("bin.d/rgbslice.ini"), "[orv]\ngeometry=300x220+0+0\n");
    write(x.path("bin.ini"), "[orv]\ngeometry=360x270+0+0\n");
    ASSERT_NO_FATAL_FAILURE(launch(x.path("bin.d/rgbslice"), x.path("work")));
    EXPECT_EQ(ww, 300);
    EXPECT_EQ(wh, 220);
    quit();
}

TEST_F(ExplorerConfig, WithoutItsOwnFileTheProgramReadsOrvwinInTheWorkingDirectory) {
    write(x.path("work/orvwin.ini"), "[orv]\ngeometry=360x270+0+0\n");
    ASSERT_NO_FATAL_FAILURE(launch(program(), x.path("work")));
    EXPECT_EQ(ww, 360);
    EXPECT_EQ(wh, 270);
    quit();
}

TEST_F(ExplorerConfig, ItsOwnFileWinsOverOrvwin) {
    write(x.path("bin/rgbslice.ini"), "[orv]\ngeometry=300x200+0+0\n");
    write(x.path("work/orvwin.ini"), "[orv]\ngeometry=360x270+0+0\n");
    ASSERT_NO_FATAL_FAILURE(launch(program(), x.path("work")));
    EXPECT_EQ(ww, 300);
    EXPECT_EQ(wh, 200);
    quit();
}

// Bad values warn on the console in the order the keys are read, between
// the banner and the display set-up, and leave the defaults.
TEST_F(ExplorerConfig, BadValuesWarnInReadingOrderAndKeepTheDefaults) {
    write(x.path("bin/rgbslice.ini"),
          "[orv]\nambientrgb=0x12\nambient=1.5\nbgcolor=red\ngeometry=320x240+0+0\n");
    ASSERT_NO_FATAL_FAILURE(launch(program(), x.path("work")));
    ASSERT_TRUE(x.wait_output("OGL version\n", 10)) << x.output();
    EXPECT_EQ(x.output(), "\n\nOrvane Release 9 (Aug 18 1999)\n\n"
                          "ORV Warning: Invalid bgcolor red.\n"
                          "ORV Warning: Illegal ambient resource\n"
                          "ORV Warning: Invalid ambientrgb 0x12.\n"
                          "OGL version\n");
    EXPECT_EQ(ww, 320);
    Image s = still_shot("warned");
    EXPECT_TRUE(white(s.at(wx + 3, wy + 3)));
    quit();
}

// Negative positions count from the right and bottom edges of the screen
// (1024 x 768 here), 10 further left and 30 further up for a bordered window.
TEST_F(ExplorerConfig, NegativePositionsPlaceTheWindowFromTheFarEdges) {
    write(x.path("bin/rgbslice.ini"), "[orv]\ngeometry=320x240-10-10\n");
    ASSERT_NO_FATAL_FAILURE(launch(program(), x.path("work")));
    EXPECT_EQ(ww, 320);
    EXPECT_EQ(wh, 240);
    EXPECT_EQ(wx, 1024 - 320 - 10 - 10);
    EXPECT_EQ(wy, 768 - 240 - 10 - 30);
    quit();
}

TEST_F(ExplorerConfig, ABorderlessWindowSitsRightAtTheFarEdges) {
    write(x.path("bin/rgbslice.ini"), "[orv]\ngeometry=320x240-10-10\nborder=false\n");
    ASSERT_NO_FATAL_FAILURE(launch(program(), x.path("work")));
    EXPECT_EQ(wx, 1024 - 320 - 10);
    EXPECT_EQ(wy, 768 - 240 - 10);
    quit();
}

// Minus zero is no negative number: the window stays at the top left.
TEST_F(ExplorerConfig, MinusZeroPositionsCountFromTheTopLeft) {
    write(x.path("bin/rgbslice.ini"), "[orv]\ngeometry=320x240-0-0\n");
    ASSERT_NO_FATAL_FAILURE(launch(program(), x.path("work")));
    EXPECT_EQ(wx, 0);
    EXPECT_EQ(wy, 0);
    quit();
}

// A window larger than the screen is cut to it.
TEST_F(ExplorerConfig, AnOversizedWindowIsCutToTheScreen) {
    write(x.path("bin/rgbslice.ini"), "[orv]\ngeometry=2000x1500+0+0\n");
    ASSERT_NO_FATAL_FAILURE(launch(program(), x.path("work")));
    EXPECT_EQ(ww, 1024);
    EXPECT_EQ(wh, 768);
    quit();
}

// The right back edge of the cube (white to magenta, 225 in front of the
// viewer) and its right front edge (yellow to red, 175 in front).
bool magenta_edge(const unsigned char *p) {
    return p[0] > 150 && p[1] < 150 && p[2] > 150;
}
bool red_to_yellow_edge(const unsigned char *p) {
    return p[0] > 150 && p[2] < 100;
}

TEST_F(ExplorerConfig, YonFromTheFileCutsTheFarSide) {
    write(x.path("bin/rgbslice.ini"), "[orv]\nyon=200\n");
    ASSERT_NO_FATAL_FAILURE(launch(program(), x.path("work")));
    Image s = still_shot("yon");
    EXPECT_FALSE(find_near(s, project(25, 12.5f, 25), 2, magenta_edge));
    EXPECT_TRUE(find_near(s, project(25, 12.5f, -25), 2, red_to_yellow_edge));
    quit();
}

TEST_F(ExplorerConfig, HitherFromTheFileCutsTheNearSide) {
    write(x.path("bin/rgbslice.ini"), "[orv]\nhither=200\n");
    ASSERT_NO_FATAL_FAILURE(launch(program(), x.path("work")));
    Image s = still_shot("hither");
    EXPECT_TRUE(find_near(s, project(25, 12.5f, 25), 2, magenta_edge));
    EXPECT_FALSE(find_near(s, project(25, 12.5f, -25), 2, red_to_yellow_edge));
    quit();
}

// A field of view of 40 degrees halves the view angle's width: the cube's
// right front edge (red to yellow) appears where that narrower view puts it,
// and where the default view has it there is background.
TEST_F(ExplorerConfig, FieldOfViewNarrowsTheView) {
    write(x.path("bin/rgbslice.ini"), "[orv]\nfov=40\n");
    ASSERT_NO_FATAL_FAILURE(launch(program(), x.path("work")));
    Image s = still_shot("fov");
    view_angle = 40 * (3.14159265f / 2) / 180;
    EXPECT_TRUE(find_near(s, project(25, -20, -25), 3, red_to_yellow_edge)) << "narrow view";
    view_angle = 0.698131f;
    Point wide = project(25, -20, -25);
    EXPECT_FALSE(find_near(s, wide, 3, red_to_yellow_edge)) << "default view";
    EXPECT_TRUE(white(s.at(wide.x, wide.y)));
    quit();
}

} // namespace
