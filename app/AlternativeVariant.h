#pragma once

// Which rules the level puzzle plays by; true at start, flipped by the "toggle_variant"
// command, never saved.
bool alternativeVariant();
void setAlternativeVariant(bool on);
