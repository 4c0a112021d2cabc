#include "online/CurlTransfer.h"

namespace {

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

bool prepareTransfer(CURL* handle, const std::string& address, std::chrono::milliseconds timeout,
                     AnswerBody* body, std::atomic<bool>* cancel) {
    bool ok = curl_easy_setopt(handle, CURLOPT_URL, address.c_str()) == CURLE_OK;
    ok = ok && curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK;
    ok = ok && curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L) == CURLE_OK;
    ok = ok && curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.count())) == CURLE_OK;
    ok = ok && curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, appendBody) == CURLE_OK;
    ok = ok && curl_easy_setopt(handle, CURLOPT_WRITEDATA, body) == CURLE_OK;
    if (cancel) {
        // The progress callback is only a cancel check; no meter is ever shown.
        ok = ok && curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, abortWhenCancelled) == CURLE_OK;
        ok = ok && curl_easy_setopt(handle, CURLOPT_XFERINFODATA, cancel) == CURLE_OK;
        ok = ok && curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L) == CURLE_OK;
    }
    return ok;
}

long performTransfer(CURL* handle) {
    if (curl_easy_perform(handle) != CURLE_OK) return 0;
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    return status;
}
