#pragma once

#include <SDL_events.h>
#include <SDL_gamecontroller.h>

#include <vector>

namespace cocos2d {

// The game controllers that are plugged in. SDL announces those present at start and any
// plugged in later as added devices; each is opened then and closed when it goes.
class GameControllers {
public:
    GameControllers();
    ~GameControllers();
    GameControllers(const GameControllers&) = delete;
    GameControllers& operator=(const GameControllers&) = delete;

    // Opens or closes a controller for its plug events; other events are left alone.
    void handle(const SDL_Event& event);
    std::size_t count() const { return m_open.size(); }

private:
    bool m_ready = false;
    std::vector<SDL_GameController*> m_open;
};

}  // namespace cocos2d
