#include "engine/platform/GameControllers.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

namespace cocos2d {

GameControllers::GameControllers() {
    // Without controller support the keyboard still plays.
    m_ready = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (!m_ready) std::fprintf(stderr, "Game controllers are not available: %s\n", SDL_GetError());
}

GameControllers::~GameControllers() {
    for (SDL_GameController* controller : m_open) SDL_GameControllerClose(controller);
    if (m_ready) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void GameControllers::handle(const SDL_Event& event) {
    if (!m_ready) return;
    if (event.type == SDL_CONTROLLERDEVICEADDED) {
        if (SDL_GameController* controller = SDL_GameControllerOpen(event.cdevice.which)) {
            if (std::find(m_open.begin(), m_open.end(), controller) == m_open.end())
                m_open.push_back(controller);
            else
                SDL_GameControllerClose(controller);  // announced twice: one reference is enough
        }
    } else if (event.type == SDL_CONTROLLERDEVICEREMOVED) {
        SDL_GameController* controller = SDL_GameControllerFromInstanceID(event.cdevice.which);
        auto it = std::find(m_open.begin(), m_open.end(), controller);
        if (it == m_open.end()) return;
        SDL_GameControllerClose(controller);
        m_open.erase(it);
    }
}

}  // namespace cocos2d
