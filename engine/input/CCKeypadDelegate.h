#pragma once

namespace cocos2d {

// The four key messages and every other key press. Each returns whether it consumed the
// key; the dispatcher stops at the first receiver that does. Receivers with a higher
// priority are asked first.
class CCKeypadDelegate {
public:
    virtual ~CCKeypadDelegate() = default;
    virtual bool keyBackClicked() { return false; }
    virtual bool keyMenuClicked() { return false; }
    virtual bool keyVolumeUp() { return false; }
    virtual bool keyVolumeDown() { return false; }
    // A key by its Windows virtual-key code (arrows, Tab, Return, Space, letters, ...).
    virtual bool keyDown(int /*virtualKey*/, bool /*shift*/) { return false; }
    virtual int getKeypadPriority() { return 0; }
};

}  // namespace cocos2d
