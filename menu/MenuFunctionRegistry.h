#pragma once

#include <map>
#include <string>

#include "menu/IMenuFunction.h"

// The process-wide command handlers, by pattern, in byte-wise key order: the menu's own
// commands (BuiltInMenuCommands.h) from the start, the game's once it registers them. A
// pattern that ends in '*' matches every command that begins with the text before the '*';
// any other pattern matches only the identical command. Handlers are not owned; a process
// reset leaves only the menu's own.
using MenuFunctionRegistry = std::map<std::string, IMenuFunction*, std::less<>>;

// Stores the handler under the pattern, replacing an earlier one.
void registerMenuFunction(const std::string& pattern, IMenuFunction* handler);
// Removes the pattern; returns the number removed, 0 or 1.
int unregisterMenuFunction(const std::string& pattern);

const MenuFunctionRegistry& menuFunctionRegistry();

// The handler registered under exactly this text (patterns are not expanded), or null.
IMenuFunction* exactMenuFunction(const std::string& command);

// Offers the command to the exact handler, then to each matching '*' pattern in key
// order, until one returns true. True when one did.
bool dispatchMenuFunction(MenuLayer* layer, const std::string& command);
