#include "menu/AdMode.h"

#include "core/ProcessSettings.h"

bool adMode() {
    return processSettings().adMode;
}

void setAdMode(bool on) {
    processSettings().adMode = on;
}
