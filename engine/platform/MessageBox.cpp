#include "engine/platform/MessageBox.h"

#include <SDL_messagebox.h>

#include <cstdio>
#include <utility>

namespace cocos2d {

namespace {

SDL_Window* s_window = nullptr;
YesNoAnswerer s_answerer;

void printBox(const std::string& title, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

bool showYesNoBox(const std::string& title, const std::string& question, bool& yes) {
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
    };
    SDL_MessageBoxData box{SDL_MESSAGEBOX_INFORMATION, s_window, title.c_str(), question.c_str(),
                           SDL_arraysize(buttons),     buttons,  nullptr};
    int pressed = 0;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) return false;
    yes = pressed == 1;
    return true;
}

}  // namespace

void showMessageBox(const std::string& title, const std::string& text) {
    if (s_window &&
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title.c_str(), text.c_str(), s_window) == 0) {
        return;
    }
    printBox(title, text);
}

bool askYesNo(const std::string& title, const std::string& question) {
    bool yes = false;
    if (s_answerer) {
        yes = s_answerer(title, question);
    } else if (s_window && showYesNoBox(title, question, yes)) {
        return yes;
    }
    printBox(title, question);
    std::fprintf(stderr, "%s: answered %s\n", title.c_str(), yes ? "yes" : "no");
    return yes;
}

void setYesNoAnswerer(YesNoAnswerer answerer) {
    s_answerer = std::move(answerer);
}

void setMessageBoxWindow(SDL_Window* window) {
    s_window = window;
}

}  // namespace cocos2d
