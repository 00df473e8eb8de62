#include "app/round_effects.h"

#include "board/board.h"
#include "data/sound.h"
#include "fx/emitters.h"
#include "render/background.h"
#include "render/textures.h"

namespace kalup::round_effects {

namespace {

using board::Sound;

constexpr int BURST_BALLS = 4;
constexpr int BURST_FLOOR_Y = 530;
constexpr int STAR_COUNT = 8;

audio::Handle sampleOf(Sound sound)
{
    switch (sound) {
    case Sound::DropBombFalling: return sound::sndFall;
    case Sound::DropBombBlast: return sound::sndDropBombBlast;
    case Sound::BombBlast: return sound::sndBombBlast;
    case Sound::FeedPieceLost: return sound::sndFeedPieceLost;
    case Sound::PiecesFell: return sound::sndPiecesFell;
    case Sound::ColumnClosed:
    case Sound::BoardRose: return sound::sndBoardShift;
    case Sound::GroupRemoved: return sound::sndGroupRemoved;
    case Sound::VoiceTwo:
    case Sound::VoiceThree:
    case Sound::VoiceFour:
    case Sound::VoiceFive:
    case Sound::VoiceSix:
    case Sound::VoiceSeven:
    case Sound::VoiceEight:
    case Sound::VoiceNine:
    case Sound::VoiceTen:
    case Sound::VoiceLaugh: return sound::sndRobot[static_cast<int>(sound) - static_cast<int>(Sound::VoiceTwo)];
    case Sound::PiecePainted: return sound::sndPaint;
    case Sound::FeedReleased: return sound::sndLinefall;
    case Sound::RoundStarted: return sound::sndRoundStart;
    case Sound::BoardCleared: return sound::sndJump;
    }
    return 0;
}

// Drop bombs have no ball sprite of their own.
textures::Texture ballsOf(int kind) { return kind < board::KIND_BOMB ? textures::texBalls[kind] : 0; }

class RoundEffects : public board::Events {
public:
    void playSound(Sound sound) override { sound::play(sampleOf(sound)); }
    void stopSound(Sound sound) override { sound::stop(sampleOf(sound)); }
    void pieceBurst(int x, int y, int kind) override
    {
        fx::liveEmitters.push_back(new fx::BallBurstEmitter(BURST_BALLS,
            {static_cast<float>(x), static_cast<float>(y)}, BURST_FLOOR_Y, ballsOf(kind)));
    }
    void blastFlash(int x, int y) override
    {
        fx::liveEmitters.push_back(new fx::StarBurstEmitter(STAR_COUNT,
            {static_cast<float>(x), static_cast<float>(y)}, textures::texStar));
    }
    void roundStarting() override { background::chooseBackground(); }
};

RoundEffects effects;

} // namespace

board::Events& listener() { return effects; }

} // namespace kalup::round_effects
