#include "tests/board_picture.h"

#include <stdexcept>

#include "board/board.h"
#include "board/falling.h"
#include "board/groups.h"
#include "board/specials.h"
#include "data/sound.h"
#include "game/game_state.h"
#include "tests/harness.h"

using namespace kalup::board;

namespace boardtest {

namespace {

int kindOf(char symbol)
{
    if (symbol == '.')
        return KIND_EMPTY;
    if (symbol < '0' || symbol > '9')
        throw std::invalid_argument("unknown piece in board picture");
    return symbol - '0';
}

int textureOf(int kind) { return kind >= 0 ? static_cast<int>(kalup::textures::texPieces[kind]) : 0; }

} // namespace

void setBoard(int mode, Picture rows)
{
    if (rows.size() != ROWS)
        throw std::invalid_argument("a board picture has nine rows");
    int row = 0;
    for (std::string_view line : rows) {
        if (line.size() != COLS)
            throw std::invalid_argument("a board picture row has twelve cells");
        for (int col = 0; col < COLS; ++col) {
            Cell& cell = board[row][col];
            cell.kind = kindOf(line[col]);
            cell.homeX = homeXOf(col);
            cell.homeY = homeYOf(row);
            cell.x = cell.homeX;
            cell.y = cell.homeY;
            cell.size = 64;
            cell.texture = textureOf(cell.kind);
            cell.fade = 0.0f;
            cell.frame = 0;
            ghostLayer[row][col] = Cell{};
        }
        ++row;
    }
    saveBoard();
    for (Cell& slot : feedRow)
        slot = Cell{0, 0, 64, KIND_EMPTY, 0, 0, 0, 0.0f, 0};
    feedActive = false;
    paintQueue.clear();
    clearBursts();
    kalup::game::gameMode = mode;
    kalup::game::score = 0;
    boardCleared = false;
    boardAlpha = 1.0f;
    cellAnimTime = 0.0;
    lastClickTime = -10.0;
    groupCount = 0;
    pointAt(0, 0);
}

void setBoard(Picture rows) { setBoard(kalup::game::MODE_CLASSIC, rows); }

std::string boardPicture()
{
    std::string text;
    for (const auto& row : board) {
        for (const Cell& cell : row)
            text += cell.kind == KIND_EMPTY ? '.' : (cell.kind >= 0 && cell.kind <= 9 ? char('0' + cell.kind) : '?');
        text += '\n';
    }
    return text;
}

std::string picture(Picture rows)
{
    std::string text;
    for (std::string_view line : rows) {
        text += line;
        text += '\n';
    }
    return text;
}

void setFeedSlot(int col, int kind)
{
    Cell& slot = feedRow[col];
    slot.kind = kind;
    slot.x = homeXOf(col);
    slot.y = 12;
    slot.size = 66;
    slot.frame = 0;
    slot.texture = textureOf(kind);
}

void pointAt(int row, int col)
{
    hoverRow = row;
    hoverCol = col;
}

void clickAt(int row, int col, double time)
{
    pointAt(row, col);
    harness::input().time = time;
    harness::input().button = true;
    handleBoardInput();
    harness::input().button = false;
}

void boardFrame()
{
    handleBoardInput();
    settleBoard();
    paintStep();
}

void clearBursts()
{
    for (auto* emitter : kalup::fx::liveEmitters)
        delete emitter;
    kalup::fx::liveEmitters.clear();
}

void needSounds()
{
    harness::needResources();
    if (kalup::sound::snd8 == 0)
        throw std::runtime_error("the sound bank did not load (are the sounds built?)");
}

} // namespace boardtest
