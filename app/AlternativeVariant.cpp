#include "app/AlternativeVariant.h"

#include "core/ProcessSettings.h"

bool alternativeVariant() {
    return processSettings().alternativeVariant;
}

void setAlternativeVariant(bool on) {
    processSettings().alternativeVariant = on;
}
