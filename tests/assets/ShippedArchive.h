#pragma once

#include <string>
#include <vector>

namespace petalune::test {

// The game executable with its appended asset archive.
const std::string& gameExecutable();

// Names of every entry of the executable's archive, in archive order; empty when it has none.
std::vector<std::string> shippedEntryNames();

// The bytes of one archive entry; empty when it is missing (use hasShippedEntry to tell apart).
std::vector<unsigned char> shippedEntry(const std::string& name);
bool hasShippedEntry(const std::string& name);

}  // namespace petalune::test
