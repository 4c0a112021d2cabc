#pragma once

#include <functional>
#include <string>

struct SDL_Window;

namespace cocos2d {

// Modal message boxes. While a GL window is attached they are SDL boxes over it;
// otherwise (headless runs) they go to standard error.
void showMessageBox(const std::string& title, const std::string& text);

// A yes/no question; true for yes. Without a window and without an answerer the
// answer is no, the choice that changes nothing.
bool askYesNo(const std::string& title, const std::string& question);

// Answers every question instead of the player (automation, tests); an empty
// function restores the boxes.
using YesNoAnswerer = std::function<bool(const std::string& title, const std::string& question)>;
void setYesNoAnswerer(YesNoAnswerer answerer);

// The window the boxes belong to; null detaches it. Called by the GL window.
void setMessageBoxWindow(SDL_Window* window);

}  // namespace cocos2d
