#pragma once
// A listener for the rules' events that keeps them, in order, for the tests
// to read: what a frame asked to hear, and where its bursts started.
#include <algorithm>
#include <vector>

#include "board/events.h"

namespace boardtest {

class RecordedEvents : public kalup::board::Events {
public:
    enum class What { Play, Stop, Burst, Flash, RoundStart };
    struct Event {
        What what;
        kalup::board::Sound sound;
        int x, y, kind;
    };
    std::vector<Event> log;

    void playSound(kalup::board::Sound sound) override { log.push_back({What::Play, sound, 0, 0, 0}); }
    void stopSound(kalup::board::Sound sound) override { log.push_back({What::Stop, sound, 0, 0, 0}); }
    void pieceBurst(int x, int y, int kind) override { log.push_back({What::Burst, {}, x, y, kind}); }
    void blastFlash(int x, int y) override { log.push_back({What::Flash, {}, x, y, 0}); }
    void roundStarting() override { log.push_back({What::RoundStart, {}, 0, 0, 0}); }

    void clear() { log.clear(); }
    int count(What what) const
    {
        return int(std::ranges::count_if(log, [what](const Event& e) { return e.what == what; }));
    }
    int timesPlayed(kalup::board::Sound sound) const
    {
        return int(std::ranges::count_if(log, [sound](const Event& e) { return e.what == What::Play && e.sound == sound; }));
    }
    int sounds() const { return count(What::Play); }
    std::vector<Event> all(What what) const
    {
        std::vector<Event> found;
        std::ranges::copy_if(log, std::back_inserter(found), [what](const Event& e) { return e.what == what; });
        return found;
    }
};

} // namespace boardtest
