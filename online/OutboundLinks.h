#pragma once

#include <string>
#include <string_view>

// The web pages the game opens in the player's browser. Each returns whether a page
// was handed to the browser; a page whose host is not configured (OnlineHosts.h) is
// silently not opened.

// The publisher's exit page ("goto.php?game=petalune_free").
bool openGotoPage();

// The publisher's page for machines the game cannot run on ("cantrun.php?game=...").
bool openCantRunPage();

// The store's search for the publisher's games ("store/search?q=pub:CobaltHeronSoft").
bool openStorePage();

// The way out of the program: the exit page opens after every normal end when the
// game did not run from a "resources" folder (the installed layout).
bool openExitPage(bool ranFromResources);

// The menu commands "url_store", "url_site" and "url," followed by an address. False for
// any other command, and when nothing was opened.
bool openLinkForMenuCommand(std::string_view command);

// False for a link command whose host this build or run has no address for: menus do
// not show a button that leads nowhere. True for every other command.
bool menuCommandLeadsSomewhere(std::string_view command);
