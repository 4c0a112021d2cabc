#pragma once

#include <string>
#include <vector>

// Exit codes shared by the commands.
constexpr int kExitOk = 0;
constexpr int kExitNoResult = 1;
constexpr int kExitUsage = 2;

// Each takes the arguments after its own name and returns the exit code.
int runIniCheck(const std::vector<std::string>& args);
int runIniGet(const std::vector<std::string>& args);

// One line on standard error, prefixed with the tool's name.
void reportError(const std::string& message);
