#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Whether a symbolic link at the path itself is read through or refused. Files the game
// stored itself are never links; an asset folder may hold them on purpose.
enum class LinkPolicy { Follow, Refuse };

// The whole content of a regular file, read without exceptions: a FIFO, device or folder is
// refused instead of blocking or streaming forever, and so is a file above maxBytes. A
// missing file yields nullopt silently (nothing stored); any other failure yields nullopt
// and one line on standard error, or, when the caller reports failures its own way, the
// problem in *problem instead.
std::optional<std::vector<unsigned char>> readRegularFile(const std::string& path, std::size_t maxBytes,
                                                          LinkPolicy links, std::string* problem = nullptr);
