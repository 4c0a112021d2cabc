#pragma once

#include <curl/curl.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>

// libcurl's global state, alive while an instance is; libcurl counts the calls.
// Made and dropped on the main thread, never by a worker.
class CurlGlobal {
public:
    CurlGlobal() : m_ok(curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK) {}
    ~CurlGlobal() {
        if (m_ok) curl_global_cleanup();
    }
    CurlGlobal(const CurlGlobal&) = delete;
    CurlGlobal& operator=(const CurlGlobal&) = delete;
    bool ok() const { return m_ok; }

private:
    bool m_ok;
};

// The body of an answer. Answers the game expects are short texts: one that grows past the
// limit fails the transfer rather than the memory.
struct AnswerBody {
    explicit AnswerBody(std::size_t maxBytes) : limit(maxBytes) {}
    std::size_t limit;
    std::string text;
};

// Options every transfer of the game shares: http and https only, no redirects, no
// signals (it runs on a worker), the time-out for the whole transfer, the body appended
// to *body. Setting *cancel aborts the transfer within about a second.
bool prepareTransfer(CURL* handle, const std::string& address, std::chrono::milliseconds timeout,
                     AnswerBody* body, std::atomic<bool>* cancel);

// Performs a prepared transfer; the HTTP status, or 0 when the transfer failed.
long performTransfer(CURL* handle);
