#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The key of one configuration entry: "brick (6)" is ("brick", 6), "font" is ("font", 0).
struct IniKey {
    std::string name;
    std::int32_t index = 0;
};

// A key named without a copy, for lookups.
struct IniKeyRef {
    std::string_view name;
    std::int32_t index = 0;
};

// By name (bytes taken as unsigned), then by index.
struct IniKeyLess {
    using is_transparent = void;

    template <class A, class B>
    bool operator()(const A& a, const B& b) const {
        int byName = std::string_view(a.name).compare(std::string_view(b.name));
        return byName != 0 ? byName < 0 : a.index < b.index;
    }
};
