#include "online/AnalyticsClient.h"

#include <cerrno>
#include <cstring>

#include "online/InstalledVersion.h"

namespace {

// The tracker answers with a short JSON object; anything far longer is not read.
constexpr std::size_t kMaxAnswerBytes = 64 * 1024;

std::string escapedForLog(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\t':
                escaped += "\\t";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\r':
                escaped += "\\r";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string formField(CURL* handle, const char* name, const std::string& value) {
    char* escaped = curl().easyEscape(handle, value.c_str(), static_cast<int>(value.size()));
    std::string field = std::string(name) + "=" + (escaped ? escaped : "");
    curl().free(escaped);
    return field;
}

}  // namespace

bool AnalyticsClient::start(Settings settings) {
    if (m_started) return false;
    m_started = true;
    m_settings = std::move(settings);
    if (!m_settings.endpoint.empty()) {
        m_curl = std::make_unique<CurlGlobal>();
        m_handle = m_curl->ok() ? curl().easyInit() : nullptr;
        if (!m_handle) {
            std::fprintf(stderr, "Analytics: libcurl is unusable; no events are sent\n");
            m_settings.endpoint.clear();
        }
    }
    if (m_settings.endpoint.empty() && m_settings.logPath.empty()) return true;
    m_worker = std::thread(&AnalyticsClient::run, this);
    return true;
}

void AnalyticsClient::track(std::string kind, std::string value) {
    if (!m_worker.joinable()) return;
    {
        std::lock_guard lock(m_mutex);
        if (m_waiting.size() >= kMaxWaiting) return;
        m_waiting.push_back({std::move(kind), std::move(value)});
    }
    m_wake.notify_one();
}

void AnalyticsClient::flush() {
    if (!m_worker.joinable()) return;
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_waiting.empty() && !m_busy; });
}

void AnalyticsClient::stop() {
    if (m_worker.joinable()) {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
            m_cancel = true;
        }
        m_wake.notify_one();
        m_worker.join();
    }
    if (m_handle) curl().easyCleanup(m_handle);
    if (m_log) std::fclose(m_log);
    m_handle = nullptr;
    m_log = nullptr;
    m_curl.reset();
    m_stopping = false;
    m_cancel = false;
    m_reportedFailure = false;
    m_started = false;
}

void AnalyticsClient::run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_waiting.empty(); });
        if (m_waiting.empty()) return;
        Event event = std::move(m_waiting.front());
        m_waiting.pop_front();
        m_busy = true;
        bool send = !m_stopping;
        lock.unlock();
        deliver(event, send);
        lock.lock();
        m_busy = false;
        if (m_waiting.empty()) m_idle.notify_all();
    }
}

void AnalyticsClient::deliver(const Event& event, bool send) {
    if (!m_settings.logPath.empty()) log(event);
    if (send && m_handle) post(event);
}

void AnalyticsClient::log(const Event& event) {
    if (!m_log) {
        m_log = std::fopen(m_settings.logPath.c_str(), "ae");
        if (!m_log) {
            std::fprintf(stderr, "Analytics: cannot write the log %s: %s\n", m_settings.logPath.c_str(),
                         std::strerror(errno));
            m_settings.logPath.clear();
            return;
        }
    }
    std::string line = escapedForLog(event.kind) + "\t" + escapedForLog(event.value) + "\n";
    std::fwrite(line.data(), 1, line.size(), m_log);
    std::fflush(m_log);
}

void AnalyticsClient::post(const Event& event) {
    std::string form =
        formField(m_handle, "game", std::to_string(m_settings.gameId)) + "&" +
        formField(m_handle, "key", m_settings.key) + "&" + formField(m_handle, "system", "Linux") + "&" +
        formField(m_handle, "version", installedVersionName()) + "&" +
        formField(m_handle, "kind", event.kind) + "&" + formField(m_handle, "value", event.value);
    AnswerBody answer(kMaxAnswerBytes);
    long status = 0;
    if (prepareTransfer(m_handle, m_settings.endpoint, m_settings.timeout, &answer, &m_cancel) &&
        curl().easySetopt(m_handle, CURLOPT_COPYPOSTFIELDS, form.c_str()) == CURLE_OK) {
        status = performTransfer(m_handle);
    }
    if ((status < 200 || status > 299) && !m_reportedFailure && !m_cancel) {
        // One line per run: a missing network must not flood the player's terminal.
        std::fprintf(stderr,
                     "Analytics: %s did not take an event (status %ld); later failures are not reported\n",
                     m_settings.endpoint.c_str(), status);
        m_reportedFailure = true;
    }
}
