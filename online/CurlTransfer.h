#pragma once

#include <curl/curl.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>

// libcurl's functions. The library is opened on first use, not when the game starts: a run
// without a publisher host never loads it and the two dozen libraries it needs.
struct CurlFunctions {
    CURLcode (*globalInit)(long flags);
    void (*globalCleanup)();
    CURL* (*easyInit)();
    void (*easyCleanup)(CURL* handle);
    CURLcode (*easySetopt)(CURL* handle, CURLoption option, ...);
    CURLcode (*easyPerform)(CURL* handle);
    CURLcode (*easyGetinfo)(CURL* handle, CURLINFO info, ...);
    char* (*easyEscape)(CURL* handle, const char* text, int length);
    void (*free)(void* memory);
};

// libcurl's global state, alive while an instance is; libcurl counts the calls.
// Made and dropped on the main thread, never by a worker. Opens the library first; ok()
// is false (after one line on standard error) when it cannot be opened.
class CurlGlobal {
public:
    CurlGlobal();
    ~CurlGlobal();
    CurlGlobal(const CurlGlobal&) = delete;
    CurlGlobal& operator=(const CurlGlobal&) = delete;
    bool ok() const { return m_ok; }

private:
    bool m_ok;
};

// The functions of the opened library. Only while a CurlGlobal is ok.
const CurlFunctions& curl();

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
