#pragma once

#include <string>
#include <vector>

// "save-dump FILE": a saved collapse game as JSON; exit 1 when the file is damaged.
int runSaveDump(const std::vector<std::string>& args);
