#pragma once

// A programmer's mistake: checked in every build (unlike assert, which NDEBUG turns off in
// the release and test builds) and ending the program with one line on standard error.
#define PETALUNE_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : ::core::checkFailed(#condition, __FILE__, __LINE__))

namespace core {

[[noreturn]] void checkFailed(const char* condition, const char* file, int line);

}  // namespace core
