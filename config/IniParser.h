#pragma once

#include <cstddef>

class IniStore;

// Parses INI text (not necessarily zero-terminated) into the store, calling
// IniStore::setValue once per key line in file order. The caller resets the
// store's parser state first (IniStore::beginBuffer).
// Returns 0 when every line was understood, else the 1-based number of the first
// malformed line; malformed lines are skipped and parsing goes on.
int parseIniText(const char* text, std::size_t length, IniStore& store);
