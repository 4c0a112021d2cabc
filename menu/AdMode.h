#pragma once

// The advertising layout (start option "-ad"): scenes keep the lowest tenth of the
// window free and menus show their "banner_click" items. Off unless the application
// turns it on at start.
bool adMode();
void setAdMode(bool on);
