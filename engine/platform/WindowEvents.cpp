#include "engine/platform/WindowEvents.h"

#include <SDL.h>

namespace cocos2d {

bool waitForWindowEvent(int timeoutMs) {
    // Without an event to fill in, SDL only looks whether one waits.
    return SDL_WaitEventTimeout(nullptr, timeoutMs) == 1;
}

void wakeWindowEventWait() {
    if (!SDL_WasInit(SDL_INIT_EVENTS)) return;
    // The views ignore event types they do not know.
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    SDL_PushEvent(&event);
}

}  // namespace cocos2d
