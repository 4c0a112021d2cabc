#pragma once

#include <string>
#include <string_view>

// text with its first "%s" replaced by first and its second by second; everything else,
// other "%" sequences included, stays as written. Configuration texts are never used
// as printf formats.
std::string fillTwoPlaceholders(std::string_view text, std::string_view first, std::string_view second);

// Asks the player, in their language ([localization] "new_version_title" and
// "new_version"), whether to update from installedVersion to newerVersion. Yes ends
// the director, so the game leaves its loop; the way out then opens the exit page when
// it is due (openExitPage). No changes nothing.
void showUpdateOffer(const std::string& newerVersion, const std::string& installedVersion);
