#include "online/OutboundLinks.h"

#include "engine/platform/OpenURL.h"
#include "online/OnlineHosts.h"

namespace {

bool openBelow(OnlineHost host, std::string_view pathAndQuery) {
    std::string address = addressBelow(onlineHost(host), pathAndQuery);
    return !address.empty() && cocos2d::openURL(address);
}

}  // namespace

bool openGotoPage() {
    return openBelow(OnlineHost::Goto, "goto.php?game=petalune_free");
}

bool openCantRunPage() {
    return openBelow(OnlineHost::CantRun, "cantrun.php?game=petalune_free");
}

bool openStorePage() {
    return openBelow(OnlineHost::Store, "store/search?q=pub:CobaltHeronSoft");
}

bool openExitPage(bool ranFromResources) {
    return !ranFromResources && openGotoPage();
}

bool openLinkForMenuCommand(std::string_view command) {
    if (command == "url_store") return openStorePage();
    if (command == "url_site") return openBelow(OnlineHost::Site, "");
    constexpr std::string_view kAddressCommand = "url,";
    if (command.starts_with(kAddressCommand))
        return cocos2d::openURL(std::string(command.substr(kAddressCommand.size())));
    return false;
}

bool menuCommandLeadsSomewhere(std::string_view command) {
    if (command == "url_store") return !onlineHost(OnlineHost::Store).empty();
    if (command == "url_site") return !onlineHost(OnlineHost::Site).empty();
    return true;
}
