#pragma once

#include <optional>
#include <string>

// The whole file as the game reads it (archive first, then the disk), without the
// reader's own failure notice; nullopt when it cannot be read.
std::optional<std::string> readToolFile(const std::string& path);
