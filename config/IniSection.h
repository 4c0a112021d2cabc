#pragma once

#include <map>
#include <string>

#include "config/IniKey.h"

// One [section]: its entries in key order. Values are stored verbatim, possibly empty.
using IniSection = std::map<IniKey, std::string, IniKeyLess>;
