#include "menu/AdMode.h"

namespace {
bool s_adMode = false;
}

bool adMode() {
    return s_adMode;
}

void setAdMode(bool on) {
    s_adMode = on;
}
