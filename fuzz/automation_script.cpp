#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/AutomationScript.h"

// A script is either steps or the first bad line, never both.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ParsedScript script = parseScript(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!script.error.empty() && !script.error.starts_with("line ")) std::abort();
    return 0;
}
