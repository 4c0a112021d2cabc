#pragma once

// A listener for the application going to the background (minimised or closing) and
// coming back.
class IOnPauseResume {
public:
    virtual ~IOnPauseResume() = default;
    virtual void onPause() {}
    virtual void onResume() {}
};

// Each listener is kept once and told in registration order; listeners are not owned.
void registerOnPauseResume(IOnPauseResume* listener);
// The number removed, 0 or 1.
int unregisterOnPauseResume(IOnPauseResume* listener);
void notifyPause();
void notifyResume();
