#include "tests/support/TestPaths.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>

namespace petalune::test {

std::string fixturePath(const std::string& name) {
    const char* root = std::getenv("PETALUNE_FIXTURES");
    std::filesystem::path base = root ? root : PETALUNE_FIXTURE_DIR;
    return (base / name).string();
}

namespace {

// One folder per test program holds every folder its tests make, so that whatever a
// test forgets is still removed when the program ends.
std::string& programFolder() {
    static std::string s_folder;
    return s_folder;
}

}  // namespace

std::string makeTempDir() {
    std::string& root = programFolder();
    if (root.empty()) {
        std::string templ = (std::filesystem::temp_directory_path() / "petalune-test-XXXXXX").string();
        if (!mkdtemp(templ.data())) return {};
        root = templ;
    }
    std::string templ = root + "/dir-XXXXXX";
    if (!mkdtemp(templ.data())) return {};
    return templ;
}

void removeTempDirs() {
    std::error_code ignored;
    if (!programFolder().empty()) std::filesystem::remove_all(programFolder(), ignored);
    programFolder().clear();
}

std::string caseName(std::size_t index, std::string_view text) {
    std::string name = std::to_string(index);
    for (char c : text) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

bool glRequired() {
    const char* value = std::getenv("PETALUNE_REQUIRE_GL");
    return value && *value && std::string(value) != "0";
}

}  // namespace petalune::test
