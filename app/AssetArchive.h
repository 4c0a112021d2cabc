#pragma once

#include <string>

// Where the assets are read from. A program in the build folder carries them appended to itself;
// an installed one reads them from a data file below its install prefix, because stripping the
// program (as every packager does) drops whatever follows its last section.
//
// Returns `executable` when it carries an archive, else the data file at `installedArchive`
// (relative to the executable's folder) when that is an archive, else `executable`, so that
// every read falls through to the disk.
std::string locateAssetArchive(const std::string& executable, const std::string& installedArchive);

// The same for the running program and the install layout it was built for.
std::string runningAssetArchive();
