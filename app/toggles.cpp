#include "app/toggles.h"

#include "platform/audio.h"
#include "platform/keys.h"
#include "platform/seam.h"

namespace kalup::toggles {

namespace {
settings::Settings kept;
} // namespace

settings::Settings& settings() { return kept; }

void restoreMute()
{
    kept = settings::loadSettings();
    audio::setMuted(kept.muted);
}

void followToggleKeys()
{
    if (keys::wentDown(seam::Key::M)) {
        kept.muted = !kept.muted;
        audio::setMuted(kept.muted);
        // Unsaved, the choice still holds for this run.
        settings::saveSettings(kept);
    }
    if (keys::wentDown(seam::Key::F11))
        seam::switchScreenMode();
}

} // namespace kalup::toggles
