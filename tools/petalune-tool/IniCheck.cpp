#include <cstdio>

#include "config/IniParser.h"
#include "config/IniStore.h"
#include "tools/petalune-tool/IniCommands.h"
#include "tools/petalune-tool/ToolFile.h"

int runIniCheck(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        reportError("ini-check takes one FILE");
        return kExitUsage;
    }
    const std::string& path = args[0];
    auto text = readToolFile(path);
    if (!text) {
        reportError("cannot read " + path);
        return kExitUsage;
    }
    IniStore scratch;
    int badLine = scratch.parseBuffer(text->data(), text->size());
    if (badLine == 0) return kExitOk;
    std::printf("%s:%d: malformed line\n", path.c_str(), badLine);
    return kExitNoResult;
}
