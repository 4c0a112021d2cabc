#pragma once

#include <string>
#include <vector>

// The whole program for the given arguments (argv[0] first): the "resources" folder, the
// window, the application loop or an automation run, and the way out. Returns the exit
// code. The crash log (app/CrashLog.h) is installed only when asked (not inside test programs).
int runPetalune(const std::vector<std::string>& arguments, bool withCrashLog);
