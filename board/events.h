#pragma once
// What the rules of the board and the round report as it happens: sounds to
// start or stop, and bursts to show. The listener is called at once, in the
// middle of the rule, so sounds are asked for, and bursts draw their random
// numbers, in the order the rules meet them.

namespace kalup::board {

enum class Sound {
    // Asked for on every frame a drop bomb falls in the feed row; a blast stops it.
    DropBombFalling,
    DropBombBlast,
    BombBlast,
    FeedPieceLost,
    PiecesFell,
    ColumnClosed,
    BoardRose,
    GroupRemoved,
    // The voice that counts a removed group: two .. ten pieces, then a laugh.
    VoiceTwo,
    VoiceThree,
    VoiceFour,
    VoiceFive,
    VoiceSix,
    VoiceSeven,
    VoiceEight,
    VoiceNine,
    VoiceTen,
    VoiceLaugh,
    PiecePainted,
    FeedReleased,
    RoundStarted,
    BoardCleared,
};

class Events {
public:
    virtual void playSound(Sound sound) = 0;
    virtual void stopSound(Sound sound) = 0;
    // A removed piece of this kind bursts into balls from where it was drawn.
    virtual void pieceBurst(int x, int y, int kind) = 0;
    // A cell of a blast's cross flashes with stars, piece or not.
    virtual void blastFlash(int x, int y) = 0;
    // A round is about to be dealt. Its backdrop is made here, and making it
    // re-seeds the round's random numbers, so this comes before the deal.
    virtual void roundStarting() = 0;

protected:
    ~Events() = default;
};

} // namespace kalup::board
