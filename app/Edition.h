#pragma once

#include <string>
#include <string_view>

// An edition is the game with one more configuration file read after game.ini: edition NAME
// reads "edition_NAME.ini" from the archive (or the data folder), on every reload too. The
// default edition, "collapse", is game.ini alone.
constexpr const char* kDefaultEdition = "collapse";

// The file an edition adds, or "" for the default edition.
std::string editionFileName(std::string_view name);

// Makes the shared configuration load the edition and reloads it. On failure the
// configuration is left as it was and the result says why in one line.
std::string selectEdition(std::string_view name);

// The edition selected last; the default edition before any.
const std::string& currentEdition();

// The window title: [edition] title (with language variants), "Petalune" without one.
std::string editionTitle();
