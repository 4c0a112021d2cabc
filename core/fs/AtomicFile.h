#pragma once

#include <cstddef>
#include <string>

// Replaces the file at path with the given bytes, or leaves the old file untouched:
// the bytes go to a temporary file in the same folder, which is then renamed.
bool writeFileAtomically(const std::string& path, const void* data, size_t size);
