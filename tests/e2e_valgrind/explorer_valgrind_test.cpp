// The explorer under valgrind's memcheck from start to quit: every key path
// once, then no memory errors and no leak of the toolkit's own.
#include "x_session.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

using e2e::XSession;

bool have_valgrind() {
    return std::system("command -v valgrind >/dev/null 2>&1") == 0;
}

std::string read_file(const std::string &path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Types a key and waits for its output, which under valgrind takes a while.
void key_then(XSession &x, const std::string &key, const std::string &text) {
    x.key(key, 0.2);
    EXPECT_TRUE(x.wait_output(text, 60)) << key << "\n" << x.output();
}

TEST(ExplorerUnderValgrind, StartKeysAndQuitWithoutErrorsOrLeaks) {
    if (!have_valgrind()) GTEST_SKIP() << "valgrind not installed";
    XSession x;
    if (!x.available()) GTEST_SKIP() << "Xvfb or xdotool not installed";
    setenv("OVMODELS", DATA_DIR, 0);
    // Mesa's interpreting rasteriser: no shader compiles under the simulator.
    setenv("GALLIUM_DRIVER", "softpipe", 1);
    // No message bus: SDL's D-Bus start-up then finds nothing to connect to
    // (libdbus refuses the address at once), whatever the machine runs, and
    // cannot autolaunch a bus daemon for the test's display.
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    setenv("DBUS_SYSTEM_BUS_ADDRESS", "disabled:", 1);
    std::string log = x.path("valgrind.txt");
    ASSERT_TRUE(x.start("valgrind",
                        {"--tool=memcheck", "--leak-check=full", "--errors-for-leak-kinds=definite",
                         "--show-leak-kinds=definite", "--num-callers=40", "--error-exitcode=99",
                         "--suppressions=" SUPPRESSIONS, "--log-file=" + log, RGBSLICE_PATH}));
    ASSERT_TRUE(x.wait_window(240)) << x.output() << read_file(log);

    key_then(x, "I", "Current Orientation: ");
    for (const char *k : {"R", "g", "B"})
        x.key(k, 1.0);
    key_then(x, "P", "Depth 0 Root");
    key_then(x, "x", "P or p: Print scene graph.\n");
    int wx, wy, ww, wh;
    ASSERT_TRUE(x.window_geometry(wx, wy, ww, wh));
    x.xdotool("mousemove " + std::to_string(wx + ww / 2) + " " + std::to_string(wy + wh / 4));
    x.xdotool("mousedown 1 sleep 1 mouseup 1");
    x.key("0", 1.0);
    x.key("q", 0.2);

    EXPECT_EQ(x.wait_exit(300), 0) << x.errors() << read_file(log);
    std::string report = read_file(log);
    EXPECT_NE(report.find("ERROR SUMMARY: 0 errors"), std::string::npos) << report;
}

} // namespace
