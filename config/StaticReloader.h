#pragma once

#include "config/IOnReload.h"

// Lets a module without an object of its own take part in reloads.
class StaticReloader : public IOnReload {
public:
    using Function = void (*)();

    explicit StaticReloader(Function function) : m_function(function) {}
    void onReload() override { m_function(); }

private:
    Function m_function;
};
