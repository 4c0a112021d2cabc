#pragma once

#include <memory>
#include <string>

#include "engine/text/BMFontParser.h"

namespace cocos2d {

// A parsed .fnt by file name; each file is read (archive first) and parsed once. Null, with one
// line on standard error, when the file is missing or malformed.
std::shared_ptr<const BMFontConfiguration> FNTConfigLoadFile(const std::string& fntFile);

// Forgets every parsed file (labels keep the ones they use).
void FNTConfigRemoveCache();

// The page image of a .fnt: its file name is relative to the folder of the .fnt.
std::string bmFontPagePath(const std::string& fntFile, const std::string& pageFile);

}  // namespace cocos2d
