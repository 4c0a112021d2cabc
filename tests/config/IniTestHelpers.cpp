#include "tests/config/IniTestHelpers.h"

#include <fstream>

namespace petalune::test {

void writeTextFile(const std::string& path, std::string_view text) {
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace petalune::test
