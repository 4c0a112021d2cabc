#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "engine/base/CCObject.h"

namespace cocos2d {

class CCKeypadDelegate;

enum ccKeypadMSGType {
    kTypeBackClicked = 1,
    kTypeMenuClicked,
    kTypeVolumeUpClicked,
    kTypeVolumeDownClicked,
};

// Offers each key message to the receivers in descending getKeypadPriority (asked at
// dispatch time), a later-added receiver before earlier ones of equal priority, until
// one consumes it. Receivers may be added or removed during a dispatch.
class CCKeypadDispatcher : public CCObject {
public:
    CCKeypadDispatcher() = default;
    ~CCKeypadDispatcher() override;

    void addDelegate(CCKeypadDelegate* delegate);
    void removeDelegate(CCKeypadDelegate* delegate);
    void removeAllDelegates();
    bool hasDelegate(const CCKeypadDelegate* delegate) const;

    // True when a receiver consumed the message.
    bool dispatchKeypadMSG(ccKeypadMSGType type);
    bool dispatchKeyDown(int virtualKey, bool shift);

private:
    struct Entry {
        CCKeypadDelegate* delegate;
        CCObject* object;
        bool removed = false;
    };
    void releaseEntry(const std::shared_ptr<Entry>& entry);
    bool dispatch(const std::function<bool(CCKeypadDelegate&)>& offer);

    std::vector<std::shared_ptr<Entry>> m_entries;  // in the order added
    std::vector<std::shared_ptr<Entry>> m_releaseLater;
    int m_dispatching = 0;
};

}  // namespace cocos2d
