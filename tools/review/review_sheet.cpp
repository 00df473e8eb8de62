// The review sheet: the menu with the bests and the first start's hint, the
// tables of bests, the help page over a round, each mode in play, a round
// steered by the keys, the four end screens (the survival one with a new
// record) and a paused round,
// drawn by the real game on the scripted clock and saved as pictures, and
// crops of the menu and a round as full screens of 1920 x 1080 and
// 2560 x 1440 show them, then the menu and an end screen in every shipped language. Built and run by tools/review_sheet.sh, which adds
// the launcher.
#include <gtest/gtest.h>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/game_files.h"
#include "app/help_page.h"
#include "app/playing.h"
#include "app/shell.h"
#include "board/board.h"
#include "board/play.h"
#include "data/language.h"
#include "game/game_state.h"
#include "platform/display.h"
#include "platform/scaler.h"
#include "platform/seam.h"
#include "render/draw.h"
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

// The texts of the language file, in the fonts chosen for them.
void speak(const std::string& file)
{
    language::languageFile = file;
    language::loadLanguage();
    draw::chooseFontsFor(language::allTexts());
    draw::createFonts();
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

// A key held for one frame, then frames with it up.
void tapKey(seam::Key key, int framesAfter)
{
    harness::input().press(key);
    runFrames(1);
    harness::input().release(key);
    runFrames(framesAfter);
}

// Tables as a player has them after some evenings, on 7 December 2026.
void fillBests()
{
    game::Bests& bests = game_files::bestsFile().bests;
    const std::int64_t day = 86400, start = 1796601600;
    for (int i = 0; i < 10; ++i)
        game::enterResult(bests[game::BestsTable::Classic], {4000 - 310 * i + 7 * i * i, start - i * 3 * day});
    for (int i = 0; i < 4; ++i)
        game::enterResult(bests[game::BestsTable::FallingRows], {900 - 150 * i, start - i * day});
    for (int i = 0; i < 6; ++i)
        game::enterResult(bests[game::BestsTable::Survival], {45000 - 5000 * i, start - i * 2 * day});
}

} // namespace

TEST(ReviewSheet, DrawsEveryScreen)
{
    harness::needResources();
    harness::input().time = 100.0;
    pointAt(400, 300);
    fillBests();
    help_page::offerHint();
    runFrames(90);
    saveScreen("2-menu");
    tapKey(seam::Key::B, 5);
    saveScreen("17-bests");
    tapKey(seam::Key::Escape, 5);
    saveFullScreenCrop("11-menu-1920x1080-crop", 1920, 1080);
    saveFullScreenCrop("12-menu-2560x1440-crop", 2560, 1440);

    playMode(play::MODE_CLASSIC, "3-classic");
    saveFullScreenCrop("13-classic-1920x1080-crop", 1920, 1080);
    saveFullScreenCrop("14-classic-2560x1440-crop", 2560, 1440);
    tapKey(seam::Key::F1, 5);
    saveScreen("18-help");
    tapKey(seam::Key::F1, 2);
    // The arrows steer the pointer down and left: the cell it came to is framed.
    tapKey(seam::Key::Down, 10);
    tapKey(seam::Key::Left, 10);
    saveScreen("19-classic-steered");
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
    // Lasting longer than the best of a short table is a new record. A rise
    // comes within 3 s and finds no room; then the screen slides in.
    game_files::bestsFile().bests[game::BestsTable::Survival] = {{1500, 1796601600}};
    runFrames(300);
    saveScreen("10-survival-over-new-record");

    // The still frame a lost focus leaves over a survival round in play.
    playMode(play::MODE_SURVIVAL, "15-survival");
    harness::input().focus = false;
    runFrames(5);
    saveScreen("16-survival-paused");
    harness::input().focus = true;
}

TEST(ReviewSheet, DrawsTheMenuAndAnEndScreenInEveryLanguage)
{
    harness::needResources();
    harness::input().time = 100.0;
    const char* const files[] = {"english.xml", "de.xml", "fr.xml", "es.xml", "it.xml", "pt_BR.xml", "nl.xml",
        "pl.xml", "ru.xml", "uk.xml"};
    int number = 20;
    for (const std::string file : files) {
        const std::string code = file.substr(0, file.find('.'));
        speak(file);
        shell::screens().backToMenu();
        pointAt(400, 380);
        runFrames(90);
        saveScreen(std::to_string(number++) + "-menu-" + code);
        endScreen(play::MODE_CLASSIC, emptyBoard, 40, (std::to_string(number++) + "-level-completed-" + code).c_str());
    }
    speak(language::ENGLISH_FILE);
}
