#include <cstdio>
#include <string>
#include <vector>

#include "tools/petalune-tool/IniCommands.h"
#include "tools/petalune-tool/SaveDumpCommand.h"
#include "tools/petalune-tool/SolveLevelCommand.h"

namespace {

constexpr const char* kHelp = R"(Usage: petalune-tool COMMAND ARGUMENTS

Commands:
  ini-check FILE
      Parses FILE as the game parses its configuration. Prints nothing and exits 0
      when every line is understood; otherwise prints "FILE:N: malformed line" for
      the first malformed line N and exits 1.

  ini-get [--lang CODE] FILE SECTION KEY [INDEX]
      Loads FILE as the game loads game.ini (files named in its [load_ini] section
      are read from FILE's folder) and prints the value the game reads for SECTION,
      KEY and INDEX (0 when omitted), language variants included. CODE is a language
      code such as en, de or zh ("none" for no language variants); without --lang
      the language comes from the locale, as in the game. Exits 1, printing nothing,
      when there is no value.

  save-dump FILE
      Prints a saved collapse game (save_game_orig, save_game_zen in the writable
      folder) as JSON: the marker byte, then every field in stored order. A damaged
      file prints what was readable with "complete": false, the field where reading
      stopped ("unreadable_from") and the reader's error, and exits 1.

  solve-level [--original] [--ini FILE] [--max-states N] NAME|FILE
  solve-level [--original] [--ini FILE] --all
      Searches a level of the level puzzle for a shortest winning sequence of moves
      and prints it, one move a line (column and row counted from 0 at the bottom
      left, and the direction). NAME is a level section of FILE given by --ini
      (default assets/edition_puzzle.ini); a FILE argument is a level file as the
      editor writes it. --all prints one line for every level of the --ini file.
      --original plays by the original rules; --max-states bounds the search
      (default 3000000). Exits 1 when no solution exists within the level's move
      limit or the search stops undecided.

  --help
      Shows this text.

An unreadable FILE or wrong arguments print one line on standard error and exit 2.
)";

}  // namespace

void reportError(const std::string& message) {
    std::fprintf(stderr, "petalune-tool: %s\n", message.c_str());
}

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& arg : args) {
        if (arg == "--help") {
            std::fputs(kHelp, stdout);
            return kExitOk;
        }
    }
    if (args.empty()) {
        reportError("missing command; see petalune-tool --help");
        return kExitUsage;
    }
    std::string command = args.front();
    args.erase(args.begin());
    if (command == "ini-check") return runIniCheck(args);
    if (command == "ini-get") return runIniGet(args);
    if (command == "save-dump") return runSaveDump(args);
    if (command == "solve-level") return runSolveLevel(args);
    reportError("unknown command " + command + "; see petalune-tool --help");
    return kExitUsage;
}
