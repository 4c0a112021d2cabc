#pragma once

#include <string>
#include <vector>

// Searches a level of the level puzzle for a shortest winning sequence of moves and
// prints it. Takes the arguments after its name and returns the exit code.
int runSolveLevel(const std::vector<std::string>& args);
