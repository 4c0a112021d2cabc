#include "tests/support/TestPaths.h"

#include <cstdlib>
#include <filesystem>

namespace petalune::test {

std::string fixturePath(const std::string& name) {
    const char* root = std::getenv("PETALUNE_FIXTURES");
    std::filesystem::path base = root ? root : PETALUNE_FIXTURE_DIR;
    return (base / name).string();
}

std::string makeTempDir() {
    std::filesystem::path root = std::filesystem::temp_directory_path();
    std::string templ = (root / "petalune-test-XXXXXX").string();
    if (!mkdtemp(templ.data())) return {};
    return templ;
}

}  // namespace petalune::test
