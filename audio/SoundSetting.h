#pragma once

// The player's sound on/off choice, kept as one byte (non-zero: on) in the file "audio" of
// the writable folder. Without that file sound is on.
bool isSoundOn();

// Applies at once, for the next sound played; a failed write is reported and the choice
// still holds until the game ends.
void setSoundOn(bool on);

// Forgets the remembered choice so the next isSoundOn() reads the file again (after the
// writable folder has changed).
void forgetSoundSetting();
