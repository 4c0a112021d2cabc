#include "online/UpdateOffer.h"

#include "config/IniLookup.h"
#include "engine/director/CCDirector.h"
#include "engine/platform/CCApplication.h"
#include "engine/platform/MessageBox.h"

namespace {

constexpr const char* kDefaultTitle = "Update found!";
constexpr const char* kDefaultQuestion =
    "CobaltHeronSoft published a new version of this game (v%s) - you currently have v%s. "
    "Would you like to update?";

}  // namespace

std::string fillTwoPlaceholders(std::string_view text, std::string_view first, std::string_view second) {
    std::string filled;
    std::size_t from = 0;
    for (std::string_view value : {first, second}) {
        std::size_t at = text.find("%s", from);
        if (at == std::string_view::npos) break;
        filled.append(text.substr(from, at - from)).append(value);
        from = at + 2;
    }
    return filled.append(text.substr(from));
}

void showUpdateOffer(const std::string& newerVersion, const std::string& installedVersion) {
    std::string title = iniGetString("localization", "new_version_title", 0, kDefaultTitle);
    std::string question = fillTwoPlaceholders(
        iniGetString("localization", "new_version", 0, kDefaultQuestion), newerVersion, installedVersion);
    if (!cocos2d::askYesNo(title, question)) return;
    // The game ends as closing the window ends it: a running game is saved first.
    if (cocos2d::CCApplication* app = cocos2d::CCApplication::sharedApplication())
        app->applicationDidEnterBackground();
    cocos2d::CCDirector::sharedDirector()->end();
}
