#pragma once

// A crash log that stays on the machine: on abort, floating-point error, illegal instruction
// or segmentation fault, writes the signal's name, this build's version and a stack trace to
// "crash_report.txt" in the writable folder (as it is at this call) and to standard error,
// then lets the signal end the process as it would have. Stack overflows on the calling
// thread are reported too (the handler has a stack of its own there). Call once, early in
// main(), after any change of the writable folder; false when the handlers could not be set.
bool installCrashLog();
