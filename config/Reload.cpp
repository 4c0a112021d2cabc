#include "config/Reload.h"

#include <algorithm>
#include <vector>

#include "config/IniStore.h"
#include "core/util/ListenerList.h"

namespace {

ListenerList<IOnReload>& listeners() {
    static ListenerList<IOnReload> s_listeners;
    return s_listeners;
}

std::vector<void (*)()>& purges() {
    static std::vector<void (*)()> s_purges;
    return s_purges;
}

}  // namespace

void registerOnReload(IOnReload* listener) {
    listeners().add(listener);
}

int unregisterOnReload(IOnReload* listener) {
    return listeners().remove(listener);
}

void registerReloadPurge(void (*purge)()) {
    auto& all = purges();
    if (std::find(all.begin(), all.end(), purge) == all.end()) all.push_back(purge);
}

void reloadAll() {
    IniStore::shared().load();
    for (auto purge : purges()) purge();
    listeners().tellAll([](IOnReload* listener) { listener->onReload(); });
}
