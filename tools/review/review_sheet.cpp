// The review sheet: the menu, each mode in play and the four end screens,
// drawn by the real game on the scripted clock and saved as pictures.
// Built and run by tools/review_sheet.sh, which adds the launcher.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/playing.h"
#include "app/shell.h"
#include "board/board.h"
#include "board/play.h"
#include "game/game_state.h"
#include "tests/board_picture.h"
#include "tests/harness.h"

using namespace kalup;

namespace {

constexpr double FRAME = 1.0 / 70.0;

// Saves the logical screen as a binary PPM, top row first.
void saveScreen(const std::string& name)
{
    std::vector<unsigned char> rgb(800 * 600 * 3);
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    std::FILE* file = std::fopen(("review/" + name + ".ppm").c_str(), "wb");
    ASSERT_NE(file, nullptr) << "the review folder must exist";
    std::fprintf(file, "P6\n800 600\n255\n");
    for (int row = 599; row >= 0; --row)
        std::fwrite(rgb.data() + row * 800 * 3, 1, 800 * 3, file);
    std::fclose(file);
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
void playMode(void (*start)(), const char* name)
{
    pointAt(400, 100);
    start();
    runFrames(200);
    pointAt(370, 300);
    runFrames(20);
    saveScreen(name);
}

// The board replaced by a picture, then frames until the end screen has slid in.
void endScreen(void (*start)(), int mode, boardtest::Picture rows, int frames, const char* name)
{
    pointAt(700, 560);
    start();
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
    shell::screenState = shell::SCREEN_MENU;
    pointAt(400, 300);
    runFrames(90);
    saveScreen("2-menu");

    playMode(shell::startClassicGame, "3-classic");
    playMode(shell::startRemoveTwoGame, "4-remove-two");
    harness::input().time += 12.0;
    runFrames(40);
    saveScreen("5-remove-two-feed");
    playMode(shell::startSurvivalGame, "6-survival");

    endScreen(shell::startClassicGame, play::MODE_CLASSIC, emptyBoard, 40, "7-level-completed");
    endScreen(shell::startRemoveTwoGame, play::MODE_REMOVE_TWO, emptyBoard, 40, "8-board-cleared");
    endScreen(shell::startClassicGame, play::MODE_CLASSIC, stuckBoard, 40, "9-no-more-moves");
    pointAt(700, 560);
    shell::startSurvivalGame();
    runFrames(150);
    boardtest::setBoard(playing::round().board, play::MODE_SURVIVAL, stuckBoard);
    harness::input().time += 60.0;
    runFrames(40);
    saveScreen("10-survival-over");
}
