// The view of a playing frame: which picture each noted thing is drawn with.
#include <gtest/gtest.h>

#include "board/board.h"
#include "game/round_view.h"
#include "render/textures.h"
#include "tests/harness.h"

using namespace kalup;

TEST(RoundView, PiecesShowTheirKindsPictureAndABombsGhostTheFlashOfItsBlast)
{
    harness::needDisplay();
    for (int kind = 0; kind <= board::KIND_PAINT_3; ++kind) {
        board::Cell ghost{};
        ghost.kind = kind;
        EXPECT_EQ(game::pieceTexture(kind), textures::texPieces[kind]) << kind;
        const textures::Texture flash = textures::texBurstAlt;
        EXPECT_EQ(game::ghostTexture(ghost), kind == board::KIND_BOMB ? flash : textures::texPieces[kind]) << kind;
    }
    EXPECT_NE(textures::texBurstAlt, textures::texPieces[board::KIND_BOMB]);
}
