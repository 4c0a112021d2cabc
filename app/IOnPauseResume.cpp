#include "app/IOnPauseResume.h"

#include "core/util/ListenerList.h"

namespace {

ListenerList<IOnPauseResume>& listeners() {
    static ListenerList<IOnPauseResume> s_listeners;
    return s_listeners;
}

}  // namespace

void registerOnPauseResume(IOnPauseResume* listener) {
    listeners().add(listener);
}

int unregisterOnPauseResume(IOnPauseResume* listener) {
    return listeners().remove(listener);
}

void notifyPause() {
    listeners().tellAll([](IOnPauseResume* listener) { listener->onPause(); });
}

void notifyResume() {
    listeners().tellAll([](IOnPauseResume* listener) { listener->onResume(); });
}
