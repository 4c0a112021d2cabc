#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>

#include "config/IniStore.h"
#include "config/LanguageSuffix.h"
#include "engine/platform/Locale.h"
#include "tools/petalune-tool/IniCommands.h"
#include "tools/petalune-tool/ToolFile.h"

namespace {

struct IniGetRequest {
    std::string languageSuffix;
    std::string file, section, key;
    std::int32_t index = 0;
};

bool parseIndex(const std::string& text, std::int32_t& index) {
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, index);
    return error == std::errc() && stop == end;
}

// The request, or an error message in `error`.
std::optional<IniGetRequest> parseRequest(const std::vector<std::string>& args, std::string& error) {
    IniGetRequest request;
    std::optional<std::string> language;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--lang") {
            if (i + 1 == args.size() || args[i + 1].empty()) {
                error = "--lang needs a language code (or none)";
                return std::nullopt;
            }
            language = args[++i];
        } else if (args[i].starts_with("--")) {
            error = "unknown option " + args[i];
            return std::nullopt;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() < 3 || positional.size() > 4) {
        error = "ini-get takes [--lang CODE] FILE SECTION KEY [INDEX]";
        return std::nullopt;
    }
    if (positional.size() == 4 && !parseIndex(positional[3], request.index)) {
        error = "INDEX must be a 32-bit integer, not " + positional[3];
        return std::nullopt;
    }
    request.file = positional[0];
    request.section = positional[1];
    request.key = positional[2];
    if (!language) {
        request.languageSuffix = languageSuffixForCode(cocos2d::preferredLanguageCode());
    } else if (*language != "none") {
        request.languageSuffix = languageSuffixForCode(*language);
    }
    return request;
}

}  // namespace

int runIniGet(const std::vector<std::string>& args) {
    std::string error;
    auto request = parseRequest(args, error);
    if (!request) {
        reportError(error);
        return kExitUsage;
    }
    if (!readToolFile(request->file)) {
        reportError("cannot read " + request->file);
        return kExitUsage;
    }
    IniStore store(request->languageSuffix);
    store.setRootFile(request->file);
    store.load();
    const char* value = store.getString(request->section, request->key, request->index, nullptr);
    if (!value) return kExitNoResult;
    std::fwrite(value, 1, std::strlen(value), stdout);
    std::fputc('\n', stdout);
    return kExitOk;
}
