#include "app/paused.h"

#include <GL/gl.h>

#include "data/language.h"
#include "platform/seam.h"
#include "render/draw.h"
#include "render/still_frame.h"

namespace kalup::paused {

namespace {
constexpr float DIMMED = 0.4f;
constexpr int PAUSED_LINE_Y = 320;
} // namespace

void PausedScreen::enter()
{
    still_frame::captureFrame();
    seam::stopClock();
}

void PausedScreen::leave()
{
    seam::startClock();
    still_frame::releaseStillFrame();
}

void PausedScreen::drawUnderPage() { still_frame::drawStillFrame(DIMMED); }

void PausedScreen::draw()
{
    drawUnderPage();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    draw::drawTextCentred(language::text(language::TEXT_PAUSED), PAUSED_LINE_Y, draw::fontLarge);
}

} // namespace kalup::paused
