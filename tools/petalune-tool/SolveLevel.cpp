#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "config/IniStore.h"
#include "tools/petalune-tool/IniCommands.h"
#include "tools/petalune-tool/SolveLevelCommand.h"
#include "tools/petalune-tool/ToolFile.h"
#include "variants/twisted/model/TwistedLevelFile.h"
#include "variants/twisted/model/TwistedSolver.h"

namespace {

constexpr const char* kDefaultIni = "assets/edition_puzzle.ini";
constexpr std::size_t kDefaultMaxStates = 3000000;

struct SolveRequest {
    bool alternativeRules = true;
    bool all = false;
    std::string ini = kDefaultIni;
    std::string target;
    std::size_t maxStates = kDefaultMaxStates;
};

std::optional<SolveRequest> parseRequest(const std::vector<std::string>& args, std::string& error) {
    SolveRequest request;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool hasValue = i + 1 < args.size();
        if (arg == "--original") {
            request.alternativeRules = false;
        } else if (arg == "--all") {
            request.all = true;
        } else if (arg == "--ini" && hasValue) {
            request.ini = args[++i];
        } else if (arg == "--max-states" && hasValue) {
            long long states = std::atoll(args[++i].c_str());
            if (states <= 0) {
                error = "--max-states needs a positive number";
                return std::nullopt;
            }
            request.maxStates = static_cast<std::size_t>(states);
        } else if (arg.starts_with("--")) {
            error = "unknown or incomplete option " + arg;
            return std::nullopt;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != (request.all ? 0u : 1u)) {
        error = "solve-level takes [--original] [--ini FILE] [--max-states N] NAME|FILE, or --all";
        return std::nullopt;
    }
    if (!request.all) request.target = positional.front();
    return request;
}

bool loadStore(const std::string& path, IniStore& store) {
    std::optional<std::string> text = readToolFile(path);
    if (!text) return false;
    store.parseBuffer(text->data(), text->size());
    return true;
}

// The level sections of the store in the order of their numbers.
std::vector<std::string> levelSections(const IniStore& store) {
    std::vector<std::string> names;
    for (const auto& [name, section] : store.sections())
        if (isSafeLevelName(name) && name.size() > 5) names.push_back(name);
    std::ranges::sort(names, [](const std::string& a, const std::string& b) {
        return std::atol(a.c_str() + 5) < std::atol(b.c_str() + 5);
    });
    return names;
}

const char* directionName(const TwistedMove& move) {
    if (move.toColumn > move.column) return "right";
    if (move.toColumn < move.column) return "left";
    return move.toRow > move.row ? "up" : "down";
}

// One line of outcome, then the moves; true when solved.
bool solveAndReport(const std::string& name, const TwistedLevel& level, const SolveRequest& request,
                    bool listMoves) {
    auto started = std::chrono::steady_clock::now();
    TwistedSolution solution = solveTwistedLevel(level, request.alternativeRules, request.maxStates);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const char* budget = level.maxMoves < 999 ? " within its move limit" : "";
    switch (solution.result) {
        case TwistedSolution::Result::Solved:
            std::printf("%s: solved in %zu moves, %zu states searched, %.2f s\n", name.c_str(),
                        solution.moves.size(), solution.statesSearched, seconds);
            break;
        case TwistedSolution::Result::NoSolution:
            std::printf("%s: no solution%s, %zu states searched, %.2f s\n", name.c_str(), budget,
                        solution.statesSearched, seconds);
            return false;
        case TwistedSolution::Result::GaveUp:
            std::printf("%s: undecided, the search stopped after %zu states, %.2f s\n", name.c_str(),
                        solution.statesSearched, seconds);
            return false;
    }
    if (!listMoves) return true;
    int number = 0;
    for (const TwistedMove& move : solution.moves)
        std::printf("%3d. column %d, row %d: %s\n", ++number, move.column, move.row, directionName(move));
    return true;
}

}  // namespace

int runSolveLevel(const std::vector<std::string>& args) {
    std::string error;
    std::optional<SolveRequest> request = parseRequest(args, error);
    if (!request) {
        reportError(error);
        return kExitUsage;
    }
    IniStore store;
    std::string name = request->target;
    bool isFile = !request->all && std::filesystem::is_regular_file(request->target);
    std::string source = isFile ? request->target : request->ini;
    if (!loadStore(source, store)) {
        reportError("cannot read " + source);
        return kExitUsage;
    }
    std::vector<std::string> names = levelSections(store);
    if (isFile) {
        // A level file the editor wrote holds the section named after the file.
        std::string stem = std::filesystem::path(request->target).filename().string();
        if (store.findSection(stem))
            name = stem;
        else if (!names.empty())
            name = names.front();
        else
            name.clear();
    }
    if (request->all) {
        bool allSolved = !names.empty();
        for (const std::string& each : names)
            allSolved = solveAndReport(each, readTwistedLevel(store, each), *request, false) && allSolved;
        return allSolved ? kExitOk : kExitNoResult;
    }
    if (name.empty() || !store.findSection(name)) {
        reportError("no level " + request->target + " in " + source);
        return kExitUsage;
    }
    return solveAndReport(name, readTwistedLevel(store, name), *request, true) ? kExitOk : kExitNoResult;
}
