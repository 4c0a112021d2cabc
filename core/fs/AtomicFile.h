#pragma once

#include <cstddef>
#include <string>

// Replaces the file at path with the given bytes, or leaves the old file untouched:
// the bytes go to a temporary file in the same folder, which is then renamed.
bool writeFileAtomically(const std::string& path, const void* data, size_t size);

// Deletes what killed writes left in the folder: temporary files of the pattern above
// ("name.XXXXXX") not touched for a minute, so a write still in progress in another
// instance keeps its file. Returns how many were deleted.
int removeStaleTempFiles(const std::string& folder);
