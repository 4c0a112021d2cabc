#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace petalune::test {

// Folder of the small data files under tests/fixtures.
std::string fixturePath(const std::string& name);

// A fresh empty folder below the system's temporary folder. The caller removes it; the
// test main removes all of them, and their common folder, when the program ends.
std::string makeTempDir();
void removeTempDirs();

// Set (PETALUNE_REQUIRE_GL) where a GL context can always be made, as in CI: a test that
// finds none then fails instead of skipping.
bool glRequired();

// A parameterised case's name for test lists and filters: its index, then the letters and
// digits of a text that says what it tries, the rest as '_'.
std::string caseName(std::size_t index, std::string_view text);

}  // namespace petalune::test
