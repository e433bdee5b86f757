// Start-up configuration from the command line and the initialization file.
#include "orv/orv.h"
#include "state/universe_state.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string messages;
int record(const char *text) {
    messages += text;
    return 0;
}

// A command line as the program received it; argv keeps a null after the end.
struct CommandLine {
    std::vector<std::string> texts;
    std::vector<char *> argv;
    int argc;
    explicit CommandLine(std::vector<std::string> arguments) : texts(std::move(arguments)) {
        for (std::string &t : texts)
            argv.push_back(t.data());
        argv.push_back(nullptr);
        argc = static_cast<int>(texts.size());
    }
    void parse() { OVuniverse_setargs(&argc, argv.data()); }
    std::vector<std::string> left() const {
        std::vector<std::string> out;
        for (int i = 0; i < argc; ++i)
            out.emplace_back(argv[i]);
        return out;
    }
};

class Config : public ::testing::Test {
  protected:
    void SetUp() override {
        messages.clear();
        OVmessage_sethook(record);
    }
    void TearDown() override {
        OVmessage_sethook(nullptr);
        OVuniverse_delete();
        std::remove("cfgprobe.ini");
        CommandLine none({"demo", "-name", "no_such_program"});
        none.parse();
    }
    static void start() { OVuniverse_new(512, 0); }
    static unsigned background() {
        int r, g, b;
        OVuniverse_getbgrgb(&r, &g, &b);
        return static_cast<unsigned>(r << 16 | g << 8 | b);
    }
};

void write_ini(const char *text) {
    FILE *f = std::fopen("cfgprobe.ini", "w");
    ASSERT_NE(f, nullptr);
    std::fputs(text, f);
    std::fclose(f);
}

TEST_F(Config, OptionsAreRecordedAndRemoved) {
    CommandLine line({"C:\\bin\\demo.exe", "-bgcolor", "0xf00", "/border", "model.nff"});
    line.parse();
    EXPECT_EQ(line.left(), (std::vector<std::string>{"C:\\bin\\demo.exe", "model.nff"}));
    EXPECT_EQ(line.argv[2], nullptr);
    start();
    EXPECT_EQ(background(), 0xFF0000u);
}

TEST_F(Config, ThreeAndSixDigitColoursAgree) {
    CommandLine line({"demo", "/bgcolor", "0xff0000", "-ambientrgb", "0x0f0"});
    line.parse();
    start();
    EXPECT_EQ(background(), 0xFF0000u);
    EXPECT_EQ(messages.find("Invalid"), std::string::npos) << messages;
}

TEST_F(Config, BadValuesWarnAndKeepTheDefaults) {
    CommandLine line({"demo", "-bgcolor", "red", "-ambient", "1.5"});
    line.parse();
    start();
    EXPECT_NE(messages.find("ORV Warning: Invalid bgcolor red.\n"), std::string::npos);
    EXPECT_NE(messages.find("ORV Warning: Illegal ambient resource\n"), std::string::npos);
    EXPECT_EQ(background(), 0x0000FFu);
}

// A missing or empty command line is nothing to parse.
TEST_F(Config, EmptyCommandLinesAreHarmless) {
    OVuniverse_setargs(nullptr, nullptr);
    int argc = 0;
    OVuniverse_setargs(&argc, nullptr);
    char *none[] = {nullptr};
    OVuniverse_setargs(&argc, none);
    EXPECT_EQ(argc, 0);
    CommandLine alone({"demo"});
    alone.parse();
    EXPECT_EQ(alone.left(), (std::vector<std::string>{"demo"}));
    EXPECT_EQ(messages, "");
}

// The display, screen and rendering keys are taken off the command line and
// recorded, but nothing reads them.
TEST_F(Config, RecordedKeysNoModuleReads) {
    CommandLine line({"demo", "-display", ":1", "/screen", "2", "-rendering", "128", "scene.nff"});
    line.parse();
    EXPECT_EQ(line.left(), (std::vector<std::string>{"demo", "scene.nff"}));
    start();
    EXPECT_EQ(OVuniverse_getrendering(), 13);
    EXPECT_EQ(messages.find("ORV Warning"), std::string::npos) << messages;
}

// A key written without a value counts as absent: no warning, the default.
TEST_F(Config, EmptyFileValuesKeepTheDefaults) {
    write_ini("[orv]\nbgcolor=\nambient=\nambientrgb=\ngeometry=\nfov=\n");
    CommandLine line({"demo", "-name", "cfgprobe"});
    line.parse();
    start();
    EXPECT_EQ(background(), 0x0000FFu);
    EXPECT_FLOAT_EQ(orv::universe_config()->ambient_intensity, 0.4f);
    EXPECT_EQ(orv::universe_config()->window_flags, 0u);
    EXPECT_EQ(orv::universe_config()->window_width, 640);
    EXPECT_NEAR(OVviewpoint_getviewangle(OVuniverse_getviewpoint()), 0.698131, 1e-6);
    EXPECT_EQ(messages.find("ORV Warning"), std::string::npos) << messages;
}

// The colour's length decides its form; a prefix is part of the length.
TEST_F(Config, ColourLengthsCountThePrefix) {
    CommandLine line({"demo", "-bgcolor", "ff0000", "-ambientrgb", "f00"});
    line.parse();
    start();
    EXPECT_EQ(messages.find("ORV Warning: Invalid bgcolor ff0000.\n"), messages.find("ORV Warning"))
        << messages;
    EXPECT_NE(messages.find("ORV Warning: Invalid ambientrgb f00.\n"), std::string::npos);
    EXPECT_EQ(background(), 0x0000FFu);
    EXPECT_EQ(orv::universe_config()->ambient_color, 0xFFFFFFu);
}

// Options without a value record their fixed word: "-write12" and
// "-coplanar" record "False", which leaves those options as they are.
TEST_F(Config, SwitchesRecordTheirFixedWords) {
    CommandLine line({"demo", "-writeuv", "/old3ds", "-oldwfront", "/write12", "-coplanar",
                      "-border", "-fov", "80"});
    line.parse();
    EXPECT_EQ(line.left(), (std::vector<std::string>{"demo"}));
    start();
    EXPECT_EQ(OVuniverse_getoption(OVOPTION_WRITEUV), 1);
    EXPECT_EQ(OVuniverse_getoption(OVOPTION_OLD3DS), 1);
    EXPECT_EQ(OVuniverse_getoption(OVOPTION_OLDWAVEFRONT), 1);
    EXPECT_EQ(OVuniverse_getoption(OVOPTION_WRITE12BIT), 0);
    EXPECT_EQ(OVuniverse_getoption(OVOPTION_COPLANAR), 0);
    EXPECT_EQ(orv::universe_config()->window_flags,
              static_cast<std::uint32_t>(CONFIG_WINDOW_NO_BORDER));
    EXPECT_NEAR(OVviewpoint_getviewangle(OVuniverse_getviewpoint()), 0.698131, 1e-6);
    EXPECT_EQ(messages.find("ORV Warning"), std::string::npos) << messages;
}

TEST_F(Config, FieldOfViewIsHalvedIntoRadians) {
    CommandLine line({"demo", "-fov", "60", "-hither", "0.5", "-yon", "300"});
    line.parse();
    start();
    OVviewpoint *vp = OVuniverse_getviewpoint();
    EXPECT_NEAR(OVviewpoint_getviewangle(vp), 60 * (M_PI / 2) / 180, 1e-6);
    OVviewpoint *fresh = OVviewpoint_new();
    EXPECT_FLOAT_EQ(OVviewpoint_gethither(fresh), 0.5f);
    EXPECT_FLOAT_EQ(OVviewpoint_getyon(fresh), 300.0f);
}

TEST_F(Config, ViewingValuesThatBreakTheProjectionKeepTheDefaults) {
    for (const std::vector<std::string> &bad :
         {std::vector<std::string>{"demo", "-hither", "-1", "-yon", "-5"},
          std::vector<std::string>{"demo", "-hither", "nan", "-yon", "inf", "-fov", "nan"},
          std::vector<std::string>{"demo", "-hither", "0", "-fov", "0"},
          std::vector<std::string>{"demo", "-hither", "10", "-yon", "5", "-fov", "200"}}) {
        messages.clear();
        CommandLine line(bad);
        line.parse();
        start();
        OVviewpoint *vp = OVuniverse_getviewpoint();
        EXPECT_NEAR(OVviewpoint_getviewangle(vp), 0.698131, 1e-5) << bad[2];
        EXPECT_FLOAT_EQ(OVviewpoint_getyon(vp), 65536.0f) << bad[2];
        if (bad[2] != "10") {
            EXPECT_FLOAT_EQ(OVviewpoint_gethither(vp), 1.0f) << bad[2];
            EXPECT_NE(messages.find("ORV Warning: Invalid hither " + bad[2] + ".\n"),
                      std::string::npos)
                << messages;
        }
        if (bad.size() > 4 && bad[3] == "-yon") {
            EXPECT_NE(messages.find("ORV Warning: Invalid yon " + bad[4] + ".\n"),
                      std::string::npos)
                << messages;
        }
        OVuniverse_delete();
    }
}

// The program path names the program only in a process where no name was
// set yet: these run in a fresh process of their own.
using ConfigFresh = Config;

TEST_F(ConfigFresh, InitializationFileBesideTheProgramName) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    write_ini("; written by the test\n[orv]\nbgcolor = 0x00ff00\nhither=2.5\nwriteuv=true\n");
    EXPECT_EXIT(
        {
            CommandLine line({"/usr/local/bin/cfgprobe.exe"});
            line.parse();
            start();
            bool ok = background() == 0x00FF00u &&
                      OVviewpoint_gethither(OVviewpoint_new()) == 2.5f &&
                      OVuniverse_getoption(5) == 1;
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(ConfigFresh, ALaterCommandLineKeepsTheFirstProgramName) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    write_ini("[orv]\nbgcolor=0x00ff00\n");
    EXPECT_EXIT(
        {
            CommandLine first({"/usr/local/bin/cfgprobe.exe"});
            first.parse();
            CommandLine second({"/usr/local/bin/other.exe", "-fov", "80"});
            second.parse();
            start();
            bool kept = background() == 0x00FF00u;
            OVuniverse_delete();
            // A "-name" option still names the program.
            CommandLine named({"/usr/local/bin/cfgprobe.exe", "-name", "other"});
            named.parse();
            start();
            std::exit(kept && background() == 0x0000FFu ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(Config, CommandLineWinsOverTheFile) {
    write_ini("[orv]\nbgcolor=0x00ff00\n");
    CommandLine line({"prog", "-name", "cfgprobe", "-bgcolor", "0x123456", "scene.nff"});
    line.parse();
    EXPECT_EQ(line.left(), (std::vector<std::string>{"prog", "scene.nff"}));
    start();
    EXPECT_EQ(background(), 0x123456u);
}

TEST_F(Config, OtherSectionsAreNotRead) {
    write_ini("[other]\nbgcolor=0x00ff00\n");
    CommandLine line({"demo", "-name", "cfgprobe"});
    line.parse();
    start();
    EXPECT_EQ(background(), 0x0000FFu);
}

TEST_F(Config, FortyOneSettingsAreTooMany) {
    std::vector<std::string> arguments = {"demo"};
    for (int i = 0; i < 41; ++i)
        arguments.push_back("/writeuv");
    arguments.push_back("kept");
    CommandLine line(arguments);
    line.parse();
    EXPECT_EQ(messages, "ORV Warning: Too many command line arguments\n");
    EXPECT_EQ(line.left(), (std::vector<std::string>{"demo", "kept"}));
}

// The base window of a universe with one window: the only window under the
// point.
OVwindow *base_window_at(float x, float y) {
    const OVp2 point = {x, y};
    return OVwindow_findat(point);
}

std::string test_data(const char *name) {
    const char *dir = std::getenv("ORV_TEST_DATA");
    return std::string(dir ? dir : "tests/data") + "/config/" + name;
}

TEST_F(Config, GeometryPlacesAndSizesTheBaseWindow) {
    CommandLine line({"demo", "-geometry", "320x200+10+20"});
    line.parse();
    OVuniverse_new(1, 0);
    OVwindow *w = base_window_at(100, 100);
    ASSERT_NE(w, nullptr);
    int x, y, width, height;
    ASSERT_TRUE(OVwindow_getgeometry(w, &x, &y, &width, &height));
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 200);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 20);
}

// Extreme values used to overflow in the window set-up's arithmetic.
TEST_F(Config, GeometriesNoScreenCanHaveAreRefusedFromTheFile) {
    for (const char *file : {"geometry-int-min-width", "geometry-int-max"}) {
        for (int display : {1, 32}) {
            messages.clear();
            CommandLine line({"demo", "-name", test_data(file)});
            line.parse();
            OVuniverse_new(display, 0);
            EXPECT_NE(messages.find("ORV Warning: Invalid geometry "), std::string::npos)
                << file << messages;
            OVwindow *w = base_window_at(320, 240);
            ASSERT_NE(w, nullptr) << file;
            int x, y, width, height;
            ASSERT_TRUE(OVwindow_getgeometry(w, &x, &y, &width, &height));
            EXPECT_EQ(width, 640);
            EXPECT_EQ(height, 480);
            OVuniverse_delete();
        }
    }
}

TEST_F(Config, GeometriesNoScreenCanHaveAreRefusedFromTheCommandLine) {
    for (const char *value : {"-2147483648x1-1-1", "2147483647x2147483647-2147483648-2147483648",
                              "99999999999999999999x1", "640x480+40000+0", "640x-1"}) {
        messages.clear();
        CommandLine line({"demo", "-geometry", value});
        line.parse();
        start();
        EXPECT_NE(messages.find(std::string("ORV Warning: Invalid geometry ") + value + ".\n"),
                  std::string::npos)
            << messages;
        OVuniverse_delete();
    }
}

TEST_F(Config, GeometryFieldsThatDoNotParseCountAsZero) {
    CommandLine line({"demo", "-geometry", "300x"});
    line.parse();
    start();
    EXPECT_EQ(messages.find("Invalid geometry"), std::string::npos) << messages;
}

// The warning lines among the messages, in order.
std::string warnings() {
    std::string out;
    for (std::size_t at = messages.find("ORV Warning: "); at != std::string::npos;
         at = messages.find("ORV Warning: ", at + 1))
        out += messages.substr(at, messages.find('\n', at) + 1 - at);
    return out;
}

// The configuration record the keys were read into.
const OVconfig &config() {
    return *orv::universe_config();
}

TEST_F(Config, WordsAndFileKeysIgnoreLetterCase) {
    write_ini("[ORV]\nBgColor=0x00ff00\ncoplanar=FALSE\nwriteuv=TRUE\nwrite12=true\nold3ds=True\n"
              "oldwfront=tRuE\nborder=false\n");
    CommandLine line({"demo", "-name", "cfgprobe"});
    line.parse();
    start();
    EXPECT_EQ(background(), 0x00FF00u);
    EXPECT_EQ(OVuniverse_getoption(OVOPTION_OLD3DS), 1);
    EXPECT_EQ(OVuniverse_getoption(OVOPTION_OLDWAVEFRONT), 1);
    EXPECT_EQ(OVuniverse_getoption(OVOPTION_COPLANAR), 0);
    EXPECT_EQ(OVuniverse_getoption(OVOPTION_WRITEUV), 1);
    EXPECT_EQ(OVuniverse_getoption(OVOPTION_WRITE12BIT), 0); // stored byte 1
    EXPECT_EQ(config().window_flags, static_cast<std::uint32_t>(CONFIG_WINDOW_NO_BORDER));
    EXPECT_EQ(warnings(), "");
}

TEST_F(Config, OtherWordsChangeNothing) {
    write_ini("[orv]\nwriteuv=yes\nold3ds=1\noldwfront=Truer\nborder=no\n");
    CommandLine line({"demo", "-name", "cfgprobe"});
    line.parse();
    start();
    EXPECT_EQ(OVuniverse_getoption(OVOPTION_WRITEUV), 0);
    EXPECT_EQ(OVuniverse_getoption(OVOPTION_OLD3DS), 0);
    EXPECT_EQ(OVuniverse_getoption(OVOPTION_OLDWAVEFRONT), 0);
    EXPECT_EQ(config().window_flags, 0u);
}

TEST_F(Config, AmbientRangeAndColourLengths) {
    struct Case {
        const char *ambient, *rgb;
        float intensity;
        std::uint32_t colour;
        const char *warnings;
    };
    for (const Case &c : {
             Case{"0", "0xabc", 0.0f, 0xAABBCC, ""},
             Case{"1", "0x123456", 1.0f, 0x123456, ""},
             Case{"none", "0X0f0", 0.0f, 0x00FF00, ""}, // not a number reads as 0
             Case{"-0.1", "0x12345", 0.4f, 0xFFFFFF,
                  "ORV Warning: Illegal ambient resource\n"
                  "ORV Warning: Invalid ambientrgb 0x12345.\n"},
             Case{"1.0001", "whitish", 0.4f, 0xFFFFFF,
                  "ORV Warning: Illegal ambient resource\n"
                  "ORV Warning: Invalid ambientrgb whitish.\n"},
         }) {
        CommandLine line({"demo", "-ambient", c.ambient, "/ambientrgb", c.rgb});
        line.parse();
        messages.clear();
        start();
        EXPECT_EQ(warnings(), c.warnings) << c.ambient;
        EXPECT_FLOAT_EQ(config().ambient_intensity, c.intensity) << c.ambient;
        EXPECT_EQ(config().ambient_color, c.colour) << c.rgb;
        OVuniverse_delete();
    }
}

TEST_F(Config, GeometrySignsPickTheScreenEdges) {
    constexpr std::uint32_t given =
        CONFIG_WINDOW_GEOMETRY | CONFIG_WINDOW_WIDTH | CONFIG_WINDOW_HEIGHT | CONFIG_WINDOW_X;
    struct Case {
        const char *value;
        int width, height, x, y;
        std::uint32_t flags;
    };
    for (const Case &c : {
             Case{"640x480-0-0", 640, 480, 0, 0, given},
             Case{"640x480-10-10", 640, 480, -10, -10,
                  given | CONFIG_WINDOW_X_FROM_RIGHT | CONFIG_WINDOW_Y_FROM_BOTTOM},
             Case{"320x200+5-7", 320, 200, 5, -7, given | CONFIG_WINDOW_Y_FROM_BOTTOM},
             Case{"320x200-5+7", 320, 200, -5, 7, given | CONFIG_WINDOW_X_FROM_RIGHT},
             Case{"300x", 300, 0, 0, 0, given},
             Case{"big", 0, 0, 0, 0, given},
         }) {
        CommandLine line({"demo", "-geometry", c.value});
        line.parse();
        start();
        EXPECT_EQ(config().window_width, c.width) << c.value;
        EXPECT_EQ(config().window_height, c.height) << c.value;
        EXPECT_EQ(config().window_x, c.x) << c.value;
        EXPECT_EQ(config().window_y, c.y) << c.value;
        EXPECT_EQ(config().window_flags, c.flags) << c.value;
        OVuniverse_delete();
    }
}

TEST_F(Config, AnEmptyCommandLineValueLeavesTheKeyToTheFile) {
    write_ini("[orv]\nbgcolor=0x00ff00\nfov=60\n");
    CommandLine line({"demo", "-name", "cfgprobe", "-bgcolor", "", "-fov"});
    line.parse();
    EXPECT_EQ(line.left(), (std::vector<std::string>{"demo"}));
    start();
    EXPECT_EQ(background(), 0x00FF00u);
    EXPECT_NEAR(OVviewpoint_getviewangle(OVuniverse_getviewpoint()), 60 * (M_PI / 2) / 180, 1e-6);
}

TEST_F(Config, TheNamePairIsTakenOutAndTheRestMovesDown) {
    CommandLine line({"demo", "a.nff", "/name", "cfgprobe", "b.nff", "-name"});
    line.parse();
    EXPECT_EQ(line.left(), (std::vector<std::string>{"demo", "a.nff", "b.nff", "-name"}));
    EXPECT_EQ(line.argv[4], nullptr);
    EXPECT_EQ(line.argv[5], nullptr);
    // Option names are matched exactly.
    CommandLine other({"demo", "-BGCOLOR", "0xf00", "--bgcolor", "-bgcolour"});
    other.parse();
    EXPECT_EQ(other.left(),
              (std::vector<std::string>{"demo", "-BGCOLOR", "0xf00", "--bgcolor", "-bgcolour"}));
}

// Runs body in a fresh process inside an empty directory of its own; body
// returns true when everything it checked held.
template <class Body> void in_fresh_directory(Body body) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const auto dir = orv_test::scratch_dir("orv_config_location");
            std::filesystem::current_path(dir);
            const bool ok = body();
            OVuniverse_delete();
            std::filesystem::current_path("/");
            std::filesystem::remove_all(dir);
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

void write_file(const std::string &path, const std::string &text) {
    std::ofstream(path) << text;
}

TEST_F(ConfigFresh, WithoutItsOwnFileTheProgramReadsOrvwin) {
    in_fresh_directory([] {
        write_file("orvwin.ini", "[orv]\nbgcolor=0x00ff00\n");
        CommandLine line({"demo", "-name", "no_such_program"});
        line.parse();
        start();
        return background() == 0x00FF00u && warnings().empty();
    });
}

TEST_F(ConfigFresh, AProgramFileFoundBeatsOrvwin) {
    in_fresh_directory([] {
        write_file("orvwin.ini", "[orv]\nbgcolor=0x00ff00\n");
        write_file("mine.ini", "[orv]\nambient=0.5\n");
        CommandLine line({"demo", "-name", "mine.v2"}); // cut at the first "."
        line.parse();
        start();
        return background() == 0x0000FFu && config().ambient_intensity == 0.5f;
    });
}

// The program path's last part up to its first ".", whatever the separator.
TEST_F(ConfigFresh, TheProgramNameComesFromTheLastPartOfItsPath) {
    in_fresh_directory([] {
        write_file("cfgprobe.ini", "[orv]\nbgcolor=0x00ff00\n");
        CommandLine line({"C:\\orv.d\\bin\\cfgprobe.v1.exe", "-border"});
        line.parse();
        start();
        return line.left() == std::vector<std::string>{"C:\\orv.d\\bin\\cfgprobe.v1.exe"} &&
               background() == 0x00FF00u && config().window_flags == CONFIG_WINDOW_NO_BORDER;
    });
}

TEST_F(ConfigFresh, NamesTooLongForTheIniPathAreRefused) {
    in_fresh_directory([] {
        write_file("orvwin.ini", "[orv]\nbgcolor=0x00ff00\n");
        // 123 characters and ".ini" fit in 128; 124 do not.
        const std::string fits(123, 'n'), too_long(124, 'n');
        CommandLine first({"demo", "-name", fits});
        first.parse();
        start();
        const bool fits_quietly = warnings().empty() && background() == 0x00FF00u;
        OVuniverse_delete();
        CommandLine second({"demo", "-name", too_long});
        second.parse();
        start();
        return fits_quietly &&
               warnings() == "ORV Warning: Path to initialization file is too long\n" &&
               background() == 0x00FF00u;
    });
}

// A found file of a name without a directory is read through ".\" + name +
// ".ini", which must fit in 128 characters too.
TEST_F(ConfigFresh, TheCurrentDirectoryPrefixMustFitToo) {
    in_fresh_directory([] {
        write_file("orvwin.ini", "[orv]\nbgcolor=0x00ff00\n");
        const std::string fits(120, 'f'), too_long(121, 'l');
        write_file(fits + ".ini", "[orv]\nbgcolor=0x123456\n");
        write_file(too_long + ".ini", "[orv]\nbgcolor=0x654321\n");
        CommandLine first({"demo", "-name", fits});
        first.parse();
        start();
        const bool fits_read = warnings().empty() && background() == 0x123456u;
        OVuniverse_delete();
        CommandLine second({"demo", "-name", too_long});
        second.parse();
        start();
        return fits_read &&
               warnings() == "ORV Warning: Path to initialization file is too long\n" &&
               background() == 0x00FF00u;
    });
}

// With no command line the program name is the executable's full file name,
// whose directory finds the file beside it from any current directory.
TEST_F(ConfigFresh, TheFileBesideTheExecutableIsReadFromAnyDirectory) {
    in_fresh_directory([] {
        char exe[512];
        const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
        if (n <= 0) return false;
        exe[n] = '\0';
        const std::string beside = std::string(exe) + ".ini";
        write_file(beside, "[orv]\nbgcolor=0x00ff00\n");
        start();
        std::remove(beside.c_str());
        return background() == 0x00FF00u;
    });
}

// Each of the 32 options, with "-" or "/": one that takes a value consumes
// it with itself, one with a fixed value consumes only itself.
TEST_F(Config, EveryOptionWithEitherPrefixIsConsumed) {
    const struct {
        const char *name, *value;
    } valued[] = {{"display", ":0"},  {"screen", "0"},         {"bgcolor", "0x00f"},
                  {"ambient", "0.4"}, {"ambientrgb", "0xfff"}, {"geometry", "640x480+0+0"},
                  {"fov", "80"},      {"hither", "1"},         {"yon", "65536"},
                  {"rendering", "13"}};
    const char *switches[] = {"border", "coplanar", "write12", "writeuv", "old3ds", "oldwfront"};
    for (const char *prefix : {"-", "/"}) {
        for (const auto &option : valued) {
            CommandLine line(
                {"demo", "a.nff", std::string(prefix) + option.name, option.value, "b.nff"});
            line.parse();
            EXPECT_EQ(line.left(), (std::vector<std::string>{"demo", "a.nff", "b.nff"}))
                << prefix << option.name;
            EXPECT_EQ(line.argv[3], nullptr);
        }
        for (const char *option : switches) {
            CommandLine line({"demo", std::string(prefix) + option, "b.nff"});
            line.parse();
            EXPECT_EQ(line.left(), (std::vector<std::string>{"demo", "b.nff"})) << prefix << option;
        }
    }
    EXPECT_EQ(messages, "");
}

// The argument after an option that takes a value is its value, even when it
// looks like an option itself.
TEST_F(Config, TheValueOfAnOptionMayLookLikeAnOption) {
    CommandLine line({"demo", "-bgcolor", "-border", "scene.nff"});
    line.parse();
    EXPECT_EQ(line.left(), (std::vector<std::string>{"demo", "scene.nff"}));
    start();
    EXPECT_NE(messages.find("ORV Warning: Invalid bgcolor -border.\n"), std::string::npos)
        << messages;
    EXPECT_EQ(orv::universe_config()->window_flags, 0u);
    EXPECT_EQ(background(), 0x0000FFu);
}

// The keys are read in their table's order, whatever the order of the file.
TEST_F(Config, WarningsComeInTheOrderOfTheKeys) {
    write_ini("[orv]\nambientrgb=whitish\nambient=2\nbgcolor=blue\n");
    CommandLine line({"demo", "-name", "cfgprobe"});
    line.parse();
    start();
    std::string warned;
    for (std::size_t at = messages.find("ORV Warning: "); at != std::string::npos;
         at = messages.find("ORV Warning: ", at + 1))
        warned += messages.substr(at, messages.find('\n', at) + 1 - at);
    EXPECT_EQ(warned, "ORV Warning: Invalid bgcolor blue.\n"
                      "ORV Warning: Illegal ambient resource\n"
                      "ORV Warning: Invalid ambientrgb whitish.\n");
}

// Eight characters of the right length that are no number read as 0: black.
TEST_F(Config, AColourOfTheRightLengthThatIsNoNumberIsBlack) {
    CommandLine line({"demo", "-bgcolor", "0xzzzzzz", "-ambientrgb", "0xqqq"});
    line.parse();
    start();
    EXPECT_EQ(background(), 0x000000u);
    EXPECT_EQ(orv::universe_config()->ambient_color, 0x000000u);
    EXPECT_EQ(messages.find("ORV Warning"), std::string::npos) << messages;
}

// Hither, yon and the field of view may come from the file as well.
TEST_F(Config, ViewingValuesFromTheFile) {
    write_ini("[orv]\nfov=90\nhither=0.25\nyon=1000\n");
    CommandLine line({"demo", "-name", "cfgprobe"});
    line.parse();
    start();
    EXPECT_NEAR(OVviewpoint_getviewangle(OVuniverse_getviewpoint()), M_PI / 4, 1e-6);
    EXPECT_FLOAT_EQ(orv::universe_config()->hither, 0.25f);
    EXPECT_FLOAT_EQ(orv::universe_config()->yon, 1000.0f);
}

// A value is copied into a buffer of 132 characters: a longer one is cut,
// and the warning shows the cut value.
TEST_F(Config, LongValuesAreCutToTheValueBuffer) {
    const std::string long_value(200, 'f');
    CommandLine line({"demo", "-bgcolor", long_value});
    line.parse();
    start();
    const std::string warned = "ORV Warning: Invalid bgcolor " + std::string(131, 'f');
    const std::size_t at = messages.find(warned);
    ASSERT_NE(at, std::string::npos) << messages;
    const std::size_t end = messages.find(".\n", at);
    ASSERT_NE(end, std::string::npos);
    EXPECT_LE(end - at, warned.size() + 1);
    EXPECT_EQ(background(), 0x0000FFu);
}

// Numbers are read as the standard conversions read them: the leading
// number counts and the rest is ignored.
TEST_F(Config, NumbersAreTheirLeadingDigits) {
    CommandLine line({"demo", "-ambient", "0.5lux", "-geometry", "320x200+10"});
    line.parse();
    start();
    EXPECT_FLOAT_EQ(orv::universe_config()->ambient_intensity, 0.5f);
    EXPECT_EQ(orv::universe_config()->window_width, 320);
    EXPECT_EQ(orv::universe_config()->window_height, 200);
    EXPECT_EQ(orv::universe_config()->window_x, 10);
    EXPECT_EQ(orv::universe_config()->window_y, 0);
    EXPECT_EQ(orv::universe_config()->window_flags,
              static_cast<std::uint32_t>(CONFIG_WINDOW_GEOMETRY | CONFIG_WINDOW_WIDTH |
                                         CONFIG_WINDOW_HEIGHT | CONFIG_WINDOW_X));
    EXPECT_EQ(messages.find("ORV Warning"), std::string::npos) << messages;
}

} // namespace
