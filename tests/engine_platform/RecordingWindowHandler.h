#pragma once

#include <string>
#include <vector>

#include "engine/platform/PlatformWindow.h"

namespace petalune::test {

// Writes every window message down as a short line, e.g. "down 10,90" or "key 120 shift".
class RecordingWindowHandler : public cocos2d::WindowEventHandler {
public:
    std::vector<std::string> messages;

    void onMinimized() override { messages.push_back("minimized"); }
    void onRestored() override { messages.push_back("restored"); }
    void onCloseRequested() override { messages.push_back("close"); }
    void onExposed() override { messages.push_back("exposed"); }
    void onResized(int width, int height) override {
        messages.push_back("resized " + std::to_string(width) + "x" + std::to_string(height));
    }
    void onPointerDown(float x, float y) override { messages.push_back("down " + point(x, y)); }
    void onPointerMoved(float x, float y) override { messages.push_back("moved " + point(x, y)); }
    void onPointerUp(float x, float y) override { messages.push_back("up " + point(x, y)); }
    void onPointerLeft() override { messages.push_back("left"); }
    void onKeyDown(int virtualKey, bool shift) override {
        messages.push_back("key " + std::to_string(virtualKey) + (shift ? " shift" : ""));
    }
    void onTextInput(const std::string& utf8) override { messages.push_back("text " + utf8); }

private:
    static std::string point(float x, float y) {
        return std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y));
    }
};

}  // namespace petalune::test
