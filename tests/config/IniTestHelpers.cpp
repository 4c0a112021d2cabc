#include "tests/config/IniTestHelpers.h"

#include <cstdlib>
#include <fstream>

#include "core/fs/DataFolder.h"

namespace petalune::test {

void writeTextFile(const std::string& path, std::string_view text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string freshFolder() {
    std::string path = tempFolderPath() + "ini-XXXXXX";
    return mkdtemp(path.data()) ? path : std::string();
}

}  // namespace petalune::test
