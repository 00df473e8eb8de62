#include "fx/emitters.h"

namespace kalup::fx {

std::list<ParticleEmitter*> liveEmitters;

int runEmitters()
{
    int total = 0;
    for (auto it = liveEmitters.begin(); it != liveEmitters.end();) {
        ParticleEmitter* emitter = *it;
        emitter->update();
        const int drawn = emitter->render();
        // A burst lives until the first frame in which it drew nothing.
        if (drawn == 0) {
            delete emitter;
            it = liveEmitters.erase(it);
        } else {
            total += drawn;
            ++it;
        }
    }
    return total;
}

void releaseEmitters()
{
    for (ParticleEmitter* emitter : liveEmitters)
        delete emitter;
    liveEmitters.clear();
}

} // namespace kalup::fx
