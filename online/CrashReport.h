#pragma once

#include <string>

// On abort, floating-point error, illegal instruction or segmentation fault, writes the
// signal's name, this build's version and a stack trace to crashReportPath() and to
// standard error, then lets the signal end the process as it would have. Stack
// overflows on the calling thread are reported too (the handler has a stack of its
// own there). Call once, early in main(); false when the handlers could not be set.
bool installCrashReport();

// "crash_report.txt" in the writable folder, fixed when the handlers are installed.
std::string crashReportPath();
