#pragma once

#include <string>

// The per-user folder that holds every file the game writes (sound setting, player
// name, highscores, saved games). It persists across reboots and is private (0700):
// $PETALUNE_DATA_DIR when set, else $XDG_DATA_HOME/cobaltheronsoft-petalune_free/,
// else ~/.local/share/cobaltheronsoft-petalune_free/. Always ends with '/'.
// Created when missing; failure to create is not reported here: later writes fail. The
// player's own folder is made 0700; a folder of another user (or no folder) is refused
// with a message, and so is a missing home: then the files go to a per-user runtime folder.
std::string tempFolderPath();

// Points the folder elsewhere for the rest of the run (command-line option, tests).
void setDataFolderOverride(const std::string& path);
