#include "core/Check.h"

#include <cstdio>
#include <cstdlib>

namespace core {

void checkFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

}  // namespace core
