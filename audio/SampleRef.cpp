#include "audio/SampleRef.h"

#include "config/IniNumber.h"

SampleRef parseSampleRef(std::string_view text) {
    size_t comma = text.find(',');
    if (comma == std::string_view::npos) return SampleRef{0, text};
    return SampleRef{iniDecimalValue(text.substr(0, comma)), text.substr(comma + 1)};
}
