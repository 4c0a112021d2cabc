#pragma once

// Something that caches configuration-derived state and rebuilds it on reloadAll().
class IOnReload {
public:
    virtual ~IOnReload() = default;
    virtual void onReload() = 0;
};
