// The review sheet: the menu, each mode in play, the four end screens and a paused round,
// drawn by the real game on the scripted clock and saved as pictures, and
// crops of the menu and a round as full screens of 1920 x 1080 and
// 2560 x 1440 show them. Built and run by tools/review_sheet.sh, which adds
// the launcher.
#include <gtest/gtest.h>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/playing.h"
#include "app/shell.h"
#include "board/board.h"
#include "board/play.h"
#include "game/game_state.h"
#include "platform/display.h"
#include "platform/scaler.h"
#include "tests/board_picture.h"
#include "tests/harness.h"
#include "tests/window_target.h"

using namespace kalup;

namespace {

constexpr double FRAME = 1.0 / 70.0;

// Saves 800 x 600 pixels of the bound framebuffer from (x, y), counted from
// its lower left, as a binary PPM, top row first.
void savePixels(const std::string& name, int x, int y)
{
    std::vector<unsigned char> rgb(800 * 600 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    std::FILE* file = std::fopen(("review/" + name + ".ppm").c_str(), "wb");
    ASSERT_NE(file, nullptr) << "the review folder must exist";
    std::fprintf(file, "P6\n800 600\n255\n");
    for (int row = 599; row >= 0; --row)
        std::fwrite(rgb.data() + row * 800 * 3, 1, 800 * 3, file);
    std::fclose(file);
}

void saveScreen(const std::string& name) { savePixels(name, 0, 0); }

// The screen as a full screen of the given size shows it: 800 x 600 of its
// pixels from the top of the picture, across the middle.
void saveFullScreenCrop(const std::string& name, int width, int height)
{
    const WindowTarget screen(width, height);
    scaler::showTarget(width, height, screen.framebuffer);
    const scaler::Area area = scaler::fitLogicalScreen(width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, screen.framebuffer);
    savePixels(name, area.x + (area.width - 800) / 2, area.y + area.height - 600);
}

void runFrames(int count)
{
    for (int i = 0; i < count; ++i) {
        harness::input().time += FRAME;
        ASSERT_TRUE(shell::runFrame());
    }
}

void pointAt(int x, int y)
{
    harness::input().cursorX = x;
    harness::input().cursorY = y;
}

// A round of the mode as a player meets it: dealt, flown in, the pointer on a group.
void playMode(int mode, const char* name)
{
    pointAt(400, 100);
    shell::screens().make(screens::Change::startGame(mode));
    runFrames(200);
    pointAt(370, 300);
    runFrames(20);
    saveScreen(name);
}

// The board replaced by a picture, then frames until the end screen has slid in.
void endScreen(int mode, boardtest::Picture rows, int frames, const char* name)
{
    pointAt(700, 560);
    shell::screens().make(screens::Change::startGame(mode));
    runFrames(150);
    boardtest::setBoard(playing::round().board, mode, rows);
    runFrames(frames);
    saveScreen(name);
}

const boardtest::Picture emptyBoard = {
    "............", "............", "............", "............", "............",
    "............", "............", "............", "............",
};

// No two like pieces touch: no move is left.
const boardtest::Picture stuckBoard = {
    "012012012012", "120120120120", "201201201201", "012012012012", "120120120120",
    "201201201201", "012012012012", "120120120120", "201201201201",
};

} // namespace

TEST(ReviewSheet, DrawsEveryScreen)
{
    harness::needResources();
    harness::input().time = 100.0;
    pointAt(400, 300);
    runFrames(90);
    saveScreen("2-menu");
    saveFullScreenCrop("11-menu-1920x1080-crop", 1920, 1080);
    saveFullScreenCrop("12-menu-2560x1440-crop", 2560, 1440);

    playMode(play::MODE_CLASSIC, "3-classic");
    saveFullScreenCrop("13-classic-1920x1080-crop", 1920, 1080);
    saveFullScreenCrop("14-classic-2560x1440-crop", 2560, 1440);
    playMode(play::MODE_REMOVE_TWO, "4-remove-two");
    harness::input().time += 12.0;
    runFrames(40);
    saveScreen("5-remove-two-feed");
    playMode(play::MODE_SURVIVAL, "6-survival");

    endScreen(play::MODE_CLASSIC, emptyBoard, 40, "7-level-completed");
    endScreen(play::MODE_REMOVE_TWO, emptyBoard, 40, "8-board-cleared");
    endScreen(play::MODE_CLASSIC, stuckBoard, 40, "9-no-more-moves");
    pointAt(700, 560);
    shell::screens().make(screens::Change::startGame(play::MODE_SURVIVAL));
    runFrames(150);
    boardtest::setBoard(playing::round().board, play::MODE_SURVIVAL, stuckBoard);
    harness::input().time += 60.0;
    runFrames(40);
    saveScreen("10-survival-over");

    // The still frame a lost focus leaves over a survival round in play.
    playMode(play::MODE_SURVIVAL, "15-survival");
    harness::input().focus = false;
    runFrames(5);
    saveScreen("16-survival-paused");
    harness::input().focus = true;
}
