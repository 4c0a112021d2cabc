#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "online/VersionText.h"

// An answer of the version endpoint; an offer always reads back as a version text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto offered = offeredVersion(std::string_view(reinterpret_cast<const char*>(data), size));
    if (offered && versionText(*offered).find('.') == std::string::npos) std::abort();
    return 0;
}
