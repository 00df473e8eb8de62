#include "app/mode_backdrop.h"

#include <cmath>

#include "board/play.h"
#include "platform/logical_screen.h"
#include "render/background.h"
#include "render/draw.h"
#include "render/textures.h"

namespace kalup::mode_backdrop {

namespace {
float angle = 0.0f;
} // namespace

float& survivalBackdropAngle() { return angle; }

void drawModeBackdrop(int mode, bool hidden)
{
    switch (mode) {
    case play::MODE_CLASSIC:
    case play::MODE_REMOVE_TWO:
        if (hidden) {
            background::stepBackground();
            break;
        }
        draw::beginScene3D();
        background::drawBackground();
        break;
    case play::MODE_SURVIVAL: {
        angle += 0.02f;
        if (hidden) {
            draw::stepTileScroll();
            break;
        }
        draw::beginScreen2D();
        const float size = 10.0f * std::sin(angle) + 1000.0f;
        draw::drawSprite(textures::texBackdrop, logical::WIDTH / 2, logical::HEIGHT / 2, size, size, angle, 1);
        draw::drawScrollingTiles(textures::texTile, 48);
        break;
    }
    default:
        break;
    }
}

} // namespace kalup::mode_backdrop
