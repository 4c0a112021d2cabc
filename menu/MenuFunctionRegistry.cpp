#include "menu/MenuFunctionRegistry.h"

#include "core/ProcessSettings.h"
#include "menu/BuiltInMenuCommands.h"

namespace {

MenuFunctionRegistry builtInCommands() {
    static BuiltInMenuCommands s_builtIns;
    MenuFunctionRegistry commands;
    for (const char* pattern : BuiltInMenuCommands::kPatterns) commands[pattern] = &s_builtIns;
    return commands;
}

MenuFunctionRegistry& registry() {
    static MenuFunctionRegistry s_registry = [] {
        registerProcessReset([] { registry() = builtInCommands(); });
        return builtInCommands();
    }();
    return s_registry;
}

}  // namespace

void registerMenuFunction(const std::string& pattern, IMenuFunction* handler) {
    registry()[pattern] = handler;
}

int unregisterMenuFunction(const std::string& pattern) {
    return static_cast<int>(registry().erase(pattern));
}

const MenuFunctionRegistry& menuFunctionRegistry() {
    return registry();
}

IMenuFunction* exactMenuFunction(const std::string& command) {
    auto found = registry().find(command);
    return found == registry().end() ? nullptr : found->second;
}

bool dispatchMenuFunction(MenuLayer* layer, const std::string& command) {
    if (IMenuFunction* exact = exactMenuFunction(command); exact && exact->onMenuFunction(layer, command))
        return true;
    // A handler may register or remove patterns: walk a copy.
    const MenuFunctionRegistry snapshot = registry();
    for (const auto& [pattern, handler] : snapshot) {
        if (pattern.empty() || pattern.back() != '*' || !handler) continue;
        if (!command.starts_with(std::string_view(pattern).substr(0, pattern.size() - 1))) continue;
        if (handler->onMenuFunction(layer, command)) return true;
    }
    return false;
}
