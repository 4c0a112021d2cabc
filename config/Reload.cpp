#include "config/Reload.h"

#include <algorithm>
#include <set>
#include <vector>

#include "config/IniStore.h"

namespace {

std::set<IOnReload*>& listeners() {
    static std::set<IOnReload*> s_listeners;
    return s_listeners;
}

std::vector<void (*)()>& purges() {
    static std::vector<void (*)()> s_purges;
    return s_purges;
}

}  // namespace

void registerOnReload(IOnReload* listener) {
    listeners().insert(listener);
}

int unregisterOnReload(IOnReload* listener) {
    return static_cast<int>(listeners().erase(listener));
}

void registerReloadPurge(void (*purge)()) {
    auto& all = purges();
    if (std::find(all.begin(), all.end(), purge) == all.end()) all.push_back(purge);
}

void reloadAll() {
    IniStore::shared().load();
    for (auto purge : purges()) purge();
    // A listener may add or remove listeners: notify a snapshot, skipping any that
    // were removed (and perhaps destroyed) meanwhile.
    const std::set<IOnReload*> snapshot = listeners();
    for (IOnReload* listener : snapshot) {
        if (listeners().contains(listener)) listener->onReload();
    }
}
