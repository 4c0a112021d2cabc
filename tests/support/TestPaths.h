#pragma once

#include <string>

namespace petalune::test {

// Folder of the small data files under tests/fixtures.
std::string fixturePath(const std::string& name);

// A fresh empty folder below the test run's temporary root; removed at exit.
std::string makeTempDir();

}  // namespace petalune::test
