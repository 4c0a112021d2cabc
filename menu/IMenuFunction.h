#pragma once

#include <optional>
#include <string>

class MenuLayer;

// A receiver of menu commands registered by pattern (MenuFunctionRegistry.h).
class IMenuFunction {
public:
    virtual ~IMenuFunction() = default;

    // True when the command was handled.
    virtual bool onFunction(const std::string& /*command*/) { return false; }
    // The form menus call; forwards to onFunction unless overridden.
    virtual bool onMenuFunction(MenuLayer* /*layer*/, const std::string& command) {
        return onFunction(command);
    }
    // A label for items that carry exactly this command, or nothing to keep their own text.
    virtual std::optional<std::string> getFunctionText(const std::string& /*command*/) {
        return std::nullopt;
    }
};
