#pragma once

#include <cstdint>
#include <string_view>

// A sound reference from the configuration: "name" or "priority,name". The file played is
// the name followed by ".wav"; a higher priority wins a voice when all are busy.
struct SampleRef {
    std::int32_t priority = 0;
    std::string_view name;  // a view into the parsed text
};

// The priority is the decimal value of the text before the first comma (0 without a comma);
// the name is everything after that comma, or the whole text.
SampleRef parseSampleRef(std::string_view text);
