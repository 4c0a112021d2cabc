#pragma once

#include <string>

// The per-user folder that holds every file the game writes (sound setting, player
// name, highscores, saved games). It persists across reboots and is private (0700):
// $PETALUNE_DATA_DIR when set, else $XDG_DATA_HOME/cobaltheronsoft-petalune_free/,
// else ~/.local/share/cobaltheronsoft-petalune_free/. Always ends with '/'.
// Created when missing; failure to create is not reported here: later writes fail.
std::string tempFolderPath();

// Points the folder elsewhere for the rest of the run (command-line option, tests).
void setTempFolderOverride(const std::string& path);
