#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cocos2d {

// Reads one entry of a ZIP archive that may sit behind other data (an executable).
// nullopt when the archive cannot be opened, lacks the entry (names match
// case-sensitively), or the entry cannot be read whole.
std::optional<std::vector<unsigned char>> readArchiveEntry(const std::string& archivePath,
                                                           const std::string& entryName);

// Whether the file is, or ends with, a ZIP archive.
bool hasArchive(const std::string& path);

}  // namespace cocos2d
