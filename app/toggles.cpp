#include "app/toggles.h"

#include "data/settings.h"
#include "platform/audio.h"
#include "platform/keys.h"
#include "platform/seam.h"

namespace kalup::toggles {

void restoreMute()
{
    settings::loadSettings();
    audio::setMuted(settings::muted);
}

void followToggleKeys()
{
    if (keys::wentDown(seam::Key::M)) {
        settings::muted = !settings::muted;
        audio::setMuted(settings::muted);
        // Unsaved, the choice still holds for this run.
        settings::saveSettings();
    }
    if (keys::wentDown(seam::Key::F11))
        seam::switchScreenMode();
}

} // namespace kalup::toggles
