#pragma once

namespace cocos2d {

// The four key messages. Each returns whether it consumed the key; the dispatcher stops
// at the first receiver that does. Receivers with a higher priority are asked first.
class CCKeypadDelegate {
public:
    virtual ~CCKeypadDelegate() = default;
    virtual bool keyBackClicked() { return false; }
    virtual bool keyMenuClicked() { return false; }
    virtual bool keyVolumeUp() { return false; }
    virtual bool keyVolumeDown() { return false; }
    virtual int getKeypadPriority() { return 0; }
};

}  // namespace cocos2d
