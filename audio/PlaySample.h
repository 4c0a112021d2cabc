#pragma once

#include <string_view>

// Plays a sound reference ("name" or "priority,name", see SampleRef.h) when sound is on.
// Each name sounds at most once per frame: later requests for it in the same frame, whatever
// their priority, are ignored. Effects played here are read again after a configuration reload.
void playSample(std::string_view reference);

// Plays the reference that the [audio] section of the configuration holds under the given
// role, such as "menu_click" or "block_drop"; a role the configuration lacks is silent.
void playAudioSample(std::string_view role);

// Starts a new frame for playSample's once-per-frame rule; the application calls it at the
// start of every frame.
void resetSamplesPlayedThisFrame();
