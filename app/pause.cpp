#include "app/pause.h"

#include <GL/gl.h>

#include "app/help_page.h"
#include "data/language.h"
#include "platform/audio.h"
#include "platform/keys.h"
#include "platform/seam.h"
#include "render/draw.h"
#include "render/still_frame.h"

namespace kalup::pause {

bool paused = false;

namespace {

constexpr float DIMMED = 0.4f;
constexpr int PAUSED_LINE_Y = 320;

// P stands the round still until P again, focus or not.
bool heldByKey = false;
bool pauseDue = false;
bool soundHeld = false;

void holdSound(bool hold)
{
    if (hold != soundHeld)
        audio::holdPlayback(hold);
    soundHeld = hold;
}

} // namespace

void followPauseRequests(bool playing)
{
    if (!playing)
        heldByKey = false;
    else if (keys::wentDown(seam::Key::P))
        heldByKey = !heldByKey;
    const bool focused = seam::focused();
    pauseDue = playing && (heldByKey || !focused || help_page::isOpen());
    if (paused && !pauseDue) {
        paused = false;
        seam::startClock();
        still_frame::releaseStillFrame();
    }
    holdSound(pauseDue || !focused);
}

void beginPauseIfDue()
{
    if (!pauseDue || paused)
        return;
    still_frame::captureFrame();
    seam::stopClock();
    paused = true;
}

void drawPausedFrame()
{
    still_frame::drawStillFrame(DIMMED);
    if (help_page::isOpen()) {
        help_page::drawPage();
        return;
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    draw::drawTextCentred(language::text(language::TEXT_PAUSED), PAUSED_LINE_Y, draw::fontLarge);
}

} // namespace kalup::pause
