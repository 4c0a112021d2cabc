#include "app/AlternativeVariant.h"

namespace {
bool s_alternative = true;
}

bool alternativeVariant() {
    return s_alternative;
}

void setAlternativeVariant(bool on) {
    s_alternative = on;
}
