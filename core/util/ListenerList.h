#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

// Listeners kept once each and told in the order they registered. Telling works on a
// snapshot and skips any removed meanwhile, so a listener may add or remove listeners
// (itself included) while it is told. Listeners are not owned.
template <typename Listener>
class ListenerList {
public:
    void add(Listener* listener) {
        if (!contains(listener)) m_listeners.push_back(listener);
    }
    // The number removed: 0 or 1.
    int remove(Listener* listener) { return static_cast<int>(std::erase(m_listeners, listener)); }
    bool contains(Listener* listener) const {
        return std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end();
    }
    std::size_t size() const { return m_listeners.size(); }
    void clear() { m_listeners.clear(); }

    template <typename Call>
    void tellAll(Call call) const {
        const std::vector<Listener*> snapshot = m_listeners;
        for (Listener* listener : snapshot) {
            if (contains(listener)) call(listener);
        }
    }

private:
    std::vector<Listener*> m_listeners;
};
