// The headless event pump: posted messages reach the window procedure in the
// next pass, closing the last window ends the loop, and keys and buttons reach
// the input module as they would from a display.
#include "headless_fixture.h"

#include <vector>

namespace {

using headlesstest::Headless;
using headlesstest::messages;

int passes = 0;
void count_passes() {
    if (++passes > 20) OVuniverse_stop(); // safety net
}

TEST_F(Headless, MovesAndSizesReachTheRecordInTheNextPass) {
    OVuniverse_new(512, 0);
    OVwindow *w = OVwindow_new(0, 0, 64, 48, 0);
    ASSERT_NE(w, nullptr);
    post({.kind = OVwinmsgkind::Move, .window_id = id(w), .x = 30, .y = 40});
    post({.kind = OVwinmsgkind::Size, .window_id = id(w), .width = 100, .height = 80, .shown = 1});
    int x, y, width, height;
    ASSERT_TRUE(OVwindow_getgeometry(w, &x, &y, &width, &height));
    EXPECT_EQ(x, 0) << "messages wait for the pump";
    OVuniverse_go1();
    ASSERT_TRUE(OVwindow_getgeometry(w, &x, &y, &width, &height));
    EXPECT_EQ(x, 30);
    EXPECT_EQ(y, 40);
    EXPECT_EQ(width, 100);
    EXPECT_EQ(height, 80);
}

TEST_F(Headless, ClosingTheLastWindowEndsTheLoopAndTheQuitMessageDoesNotLinger) {
    OVuniverse_new(512, 0);
    OVuniverse_setactions(count_passes);
    OVwindow *first = OVwindow_new(0, 0, 64, 48, 0);
    OVwindow *second = OVwindow_new(0, 0, 64, 48, 0);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    post({.kind = OVwinmsgkind::Close, .window_id = id(first)});
    OVuniverse_go1();
    EXPECT_EQ(OVwindow_getidx(first), 0u) << "closed window still listed";
    passes = 0;
    post({.kind = OVwinmsgkind::Close, .window_id = id(second)});
    OVuniverse_go();
    EXPECT_EQ(passes, 1) << "the loop ran on after its last window closed";
    OVuniverse_delete();

    // The next universe starts with no quit message queued.
    OVuniverse_new(512, 0);
    OVuniverse_setactions(count_passes);
    passes = 0;
    OVuniverse_go1();
    OVuniverse_go1();
    EXPECT_EQ(passes, 2);
}

std::vector<int> buttons;
void hear_button(void *, const char *, void *value, double) {
    buttons.push_back(*static_cast<int *>(value));
}

TEST_F(Headless, KeysAndButtonsReachTheInputModule) {
    OVuniverse_new(512, 0);
    OVwindow *w = OVwindow_new(0, 0, 64, 48, 0);
    ASSERT_NE(w, nullptr);
    buttons.clear();
    ASSERT_TRUE(OVproperty_addhandler(w, "LeftButton", hear_button));
    post({.kind = OVwinmsgkind::KeyDown, .window_id = id(w), .key = OVKEY_F1});
    post({.kind = OVwinmsgkind::KeyDown, .window_id = id(w), .key = 0});
    post({.kind = OVwinmsgkind::Char, .window_id = id(w), .key = 'q'});
    post({.kind = OVwinmsgkind::Char, .window_id = id(w), .key = '\r'});
    post({.kind = OVwinmsgkind::ButtonDown, .window_id = id(w), .button = OVBUTTON_LEFT});
    OVuniverse_go1();
    EXPECT_EQ(OVkeyboard_getkey(), OVKEY_F1);
    EXPECT_EQ(OVkeyboard_getkey(), 'q');
    EXPECT_EQ(OVkeyboard_getkey(), OVKEY_RETURN);
    EXPECT_EQ(OVkeyboard_getkey(), 0);
    post({.kind = OVwinmsgkind::ButtonUp, .window_id = id(w), .button = OVBUTTON_LEFT});
    OVuniverse_go1();
    EXPECT_EQ(buttons, (std::vector<int>{1, 0}));
}

TEST_F(Headless, MessagesOfUnknownWindowsAreIgnored) {
    OVuniverse_new(512, 0);
    OVwindow *w = OVwindow_new(5, 6, 64, 48, 0);
    ASSERT_NE(w, nullptr);
    post({.kind = OVwinmsgkind::Move, .window_id = id(w) + 1000, .x = 1, .y = 2});
    post({.kind = OVwinmsgkind::Close, .window_id = id(w) + 1000});
    OVuniverse_go1();
    int x, y;
    ASSERT_TRUE(OVwindow_getgeometry(w, &x, &y, nullptr, nullptr));
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 6);
}

} // namespace
