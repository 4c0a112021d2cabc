#include "online/CurlTransfer.h"

#include <dlfcn.h>

#include <cstdio>
#include <optional>

namespace {

// The library stays open for the rest of the run: TLS libraries do not unload cleanly.
std::optional<CurlFunctions> openCurl() {
    void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        std::fprintf(stderr, "Online services are off: %s\n", dlerror());
        return std::nullopt;
    }
    auto find = [library](const char* name) { return dlsym(library, name); };
    CurlFunctions functions{
        reinterpret_cast<decltype(CurlFunctions::globalInit)>(find("curl_global_init")),
        reinterpret_cast<decltype(CurlFunctions::globalCleanup)>(find("curl_global_cleanup")),
        reinterpret_cast<decltype(CurlFunctions::easyInit)>(find("curl_easy_init")),
        reinterpret_cast<decltype(CurlFunctions::easyCleanup)>(find("curl_easy_cleanup")),
        reinterpret_cast<decltype(CurlFunctions::easySetopt)>(find("curl_easy_setopt")),
        reinterpret_cast<decltype(CurlFunctions::easyPerform)>(find("curl_easy_perform")),
        reinterpret_cast<decltype(CurlFunctions::easyGetinfo)>(find("curl_easy_getinfo")),
        reinterpret_cast<decltype(CurlFunctions::easyEscape)>(find("curl_easy_escape")),
        reinterpret_cast<decltype(CurlFunctions::free)>(find("curl_free")),
    };
    bool complete = functions.globalInit && functions.globalCleanup && functions.easyInit &&
                    functions.easyCleanup && functions.easySetopt && functions.easyPerform &&
                    functions.easyGetinfo && functions.easyEscape && functions.free;
    if (!complete) {
        std::fprintf(stderr, "Online services are off: libcurl.so.4 lacks a function the game calls\n");
        return std::nullopt;
    }
    return functions;
}

const std::optional<CurlFunctions>& loadedCurl() {
    static const std::optional<CurlFunctions> functions = openCurl();
    return functions;
}

size_t appendBody(char* data, size_t size, size_t count, void* sink) {
    auto* body = static_cast<AnswerBody*>(sink);
    size_t bytes = size * count;
    if (bytes > body->limit - body->text.size()) return 0;  // libcurl ends the transfer
    body->text.append(data, bytes);
    return bytes;
}

int abortWhenCancelled(void* cancel, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<std::atomic<bool>*>(cancel)->load(std::memory_order_relaxed) ? 1 : 0;
}

}  // namespace

CurlGlobal::CurlGlobal() : m_ok(loadedCurl() && curl().globalInit(CURL_GLOBAL_DEFAULT) == CURLE_OK) {}

CurlGlobal::~CurlGlobal() {
    if (m_ok) curl().globalCleanup();
}

const CurlFunctions& curl() {
    return *loadedCurl();
}

bool prepareTransfer(CURL* handle, const std::string& address, std::chrono::milliseconds timeout,
                     AnswerBody* body, std::atomic<bool>* cancel) {
    bool ok = curl().easySetopt(handle, CURLOPT_URL, address.c_str()) == CURLE_OK;
    ok = ok && curl().easySetopt(handle, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK;
    ok = ok && curl().easySetopt(handle, CURLOPT_NOSIGNAL, 1L) == CURLE_OK;
    ok = ok && curl().easySetopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.count())) == CURLE_OK;
    ok = ok && curl().easySetopt(handle, CURLOPT_WRITEFUNCTION, appendBody) == CURLE_OK;
    ok = ok && curl().easySetopt(handle, CURLOPT_WRITEDATA, body) == CURLE_OK;
    if (cancel) {
        // The progress callback is only a cancel check; no meter is ever shown.
        ok = ok && curl().easySetopt(handle, CURLOPT_XFERINFOFUNCTION, abortWhenCancelled) == CURLE_OK;
        ok = ok && curl().easySetopt(handle, CURLOPT_XFERINFODATA, cancel) == CURLE_OK;
        ok = ok && curl().easySetopt(handle, CURLOPT_NOPROGRESS, 0L) == CURLE_OK;
    }
    return ok;
}

long performTransfer(CURL* handle) {
    if (curl().easyPerform(handle) != CURLE_OK) return 0;
    long status = 0;
    curl().easyGetinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    return status;
}
