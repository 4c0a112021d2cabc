#pragma once

#include <string>

namespace petalune::test {

// Folder of the small data files under tests/fixtures.
std::string fixturePath(const std::string& name);

// A fresh empty folder below the system's temporary folder; the caller removes it.
std::string makeTempDir();

}  // namespace petalune::test
