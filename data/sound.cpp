#include "data/sound.h"

namespace kalup::sound {

Handle sndFall = 0;
Handle sndJump = 0;
Handle sndDropBombBlast = 0;
Handle sndBombBlast = 0;
Handle sndFeedPieceLost = 0;
Handle sndGroupRemoved = 0;
Handle sndPiecesFell = 0;
Handle sndBoardShift = 0;
Handle sndRobot[10] = {};
Handle sndPaint = 0;
Handle sndLinefall = 0;
Handle sndRoundStart = 0;
Handle music = 0;

SoundObserver playObserver = nullptr;

void loadSoundBank()
{
    // Without a sound card the game plays on silently.
    if (!audio::init(audio::Device::Default))
        audio::init(audio::Device::NoSound);
    audio::start();

    // The limits are rules of the game: a sample asked for many times in a
    // frame, or frame after frame, is heard no more than this often at once.
    sndFall = audio::loadSample("sounds/fall.ogg", 1);
    sndJump = audio::loadSample("sounds/jump.ogg", 1);
    sndDropBombBlast = audio::loadSample("sounds/explos1.ogg", 5);
    sndBombBlast = audio::loadSample("sounds/explos2.ogg", 5);
    sndFeedPieceLost = audio::loadSample("sounds/3.ogg", 1);
    sndGroupRemoved = audio::loadSample("sounds/8.ogg", 2);
    sndPiecesFell = audio::loadSample("sounds/7.ogg", 1);
    sndBoardShift = audio::loadSample("sounds/11.ogg", 1);
    sndRobot[0] = audio::loadSample("sounds/robot two.ogg", 1);
    sndRobot[1] = audio::loadSample("sounds/robot three.ogg", 1);
    sndRobot[2] = audio::loadSample("sounds/robot four.ogg", 1);
    sndRobot[3] = audio::loadSample("sounds/robot five.ogg", 1);
    sndRobot[4] = audio::loadSample("sounds/robot six.ogg", 1);
    sndRobot[5] = audio::loadSample("sounds/robot seven.ogg", 1);
    sndRobot[6] = audio::loadSample("sounds/robot eight.ogg", 1);
    sndRobot[7] = audio::loadSample("sounds/robot nine.ogg", 1);
    sndRobot[8] = audio::loadSample("sounds/robot ten.ogg", 1);
    sndRobot[9] = audio::loadSample("sounds/robot larff.ogg", 1);
    sndPaint = audio::loadSample("sounds/paint.ogg", 3);
    sndLinefall = audio::loadSample("sounds/linefall.wav", 3);
    sndRoundStart = audio::loadSample("sounds/12.ogg", 4);

    music = audio::loadMusic("music/ZELMONTA.mo3");
}

void startMusic() { audio::playMusic(music); }

void freeSoundBank() { audio::shutdown(); }

void play(Handle sample)
{
    if (playObserver)
        playObserver(sample);
    audio::playSample(sample);
}

void stop(Handle sample) { audio::stopSample(sample); }

} // namespace kalup::sound
