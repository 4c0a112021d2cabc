#include "app/IOnPauseResume.h"

#include <set>
#include <vector>

namespace {

std::set<IOnPauseResume*>& listeners() {
    static std::set<IOnPauseResume*> s_listeners;
    return s_listeners;
}

// A listener may unregister itself (or another) while being notified: work on a copy and
// skip those gone meanwhile.
template <typename Call>
void notifyAll(Call call) {
    std::vector<IOnPauseResume*> snapshot(listeners().begin(), listeners().end());
    for (IOnPauseResume* listener : snapshot) {
        if (listeners().count(listener)) call(listener);
    }
}

}  // namespace

void registerOnPauseResume(IOnPauseResume* listener) {
    listeners().insert(listener);
}

int unregisterOnPauseResume(IOnPauseResume* listener) {
    return static_cast<int>(listeners().erase(listener));
}

void notifyPause() {
    notifyAll([](IOnPauseResume* listener) { listener->onPause(); });
}

void notifyResume() {
    notifyAll([](IOnPauseResume* listener) { listener->onResume(); });
}
