#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/CommandLine.h"

// The bytes are the arguments, separated by zero bytes as the kernel hands them over.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments{"petalune"};
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            arguments.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    arguments.push_back(current);
    ParsedCommandLine parsed = parseCommandLine(arguments);
    if (parsed.error.empty()) chooseWindowSize(parsed.options, 1080);
    return 0;
}
