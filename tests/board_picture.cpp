#include "tests/board_picture.h"
#include <stdexcept>

#include "board/board.h"
#include "board/clicks.h"
#include "board/groups.h"

using namespace kalup::board;

namespace boardtest {

std::string picture(Picture rows)
{
    std::string text;
    for (std::size_t row = rows.size(); row < ROWS; ++row)
        text += "............\n";
    for (std::string_view line : rows) {
        if (line.size() != COLS || line.find_first_not_of(".0123456789") != line.npos || rows.size() > ROWS)
            throw std::invalid_argument("a board picture is up to nine rows of twelve '.' or '0'..'9'");
        (text += line) += '\n';
    }
    return text;
}

BoardState& state()
{
    static BoardState board;
    return board;
}

void setBoard(BoardState& board, int mode, Picture rows)
{
    const std::string text = picture(rows);
    for (int cell = 0; cell < ROWS * COLS; ++cell) {
        const int row = cell / COLS, col = cell % COLS, x = homeXOf(col), y = homeYOf(row);
        const char symbol = text[row * (COLS + 1) + col];
        const int kind = symbol == '.' ? KIND_EMPTY : symbol - '0';
        board.board[row][col] = Cell{x, y, 64, kind, x, y, 0.0f, 0};
        board.ghostLayer[row][col] = Cell{};
    }
    saveBoard(board);
    std::fill(std::begin(board.feedRow), std::end(board.feedRow), Cell{0, 0, 64, KIND_EMPTY, 0, 0, 0.0f, 0});
    events().clear();
    board.paintQueue.clear();
    board.feedActive = board.boardCleared = false;
    board.gameMode = mode;
    score = 0;
    board.boardAlpha = 1.0f;
    board.cellAnimTime = 0.0;
    board.lastClickTime = -10.0;
}

void setBoard(int mode, Picture rows) { setBoard(state(), mode, rows); }
void setBoard(Picture rows) { setBoard(kalup::play::MODE_CLASSIC, rows); }

static CellPos hover{0, 0};

void pointAt(int row, int col) { hover = {row, col}; }
BoardInput pointedAt(bool pressed, double time) { return {hover, pressed, time}; }
void setFeedSlot(int col, int kind) { state().feedRow[col] = Cell{homeXOf(col), 12, 66, kind, 0, 0, 0.0f, 0}; }

std::string boardPicture(const BoardState& board)
{
    std::string text;
    for (const auto& row : board.board) {
        for (const Cell& cell : row)
            text += cell.kind == KIND_EMPTY ? '.' : (cell.kind >= 0 && cell.kind <= 9 ? char('0' + cell.kind) : '?');
        text += '\n';
    }
    return text;
}

std::string boardPicture() { return boardPicture(state()); }

void clickAt(int row, int col, double time)
{
    pointAt(row, col);
    score += handleBoardInput(state(), pointedAt(true, time), events());
}

RecordedEvents& events()
{
    static RecordedEvents recorded;
    return recorded;
}

} // namespace boardtest
