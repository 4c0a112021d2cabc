#include <cstdio>

#include "tools/petalune-tool/IniCommands.h"
#include "tools/petalune-tool/SaveDumpCommand.h"
#include "tools/petalune-tool/SavedGameDecoder.h"
#include "tools/petalune-tool/ToolFile.h"

int runSaveDump(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        reportError("save-dump takes one FILE");
        return kExitUsage;
    }
    std::optional<std::string> bytes = readToolFile(args[0]);
    if (!bytes) {
        reportError("cannot read " + args[0]);
        return kExitUsage;
    }
    SavedGameDump dump = decodeSavedGame(*bytes);
    std::printf("%s\n", dump.json.c_str());
    if (dump.complete) return kExitOk;
    reportError(args[0] + " is damaged; see \"unreadable_from\"");
    return kExitNoResult;
}
