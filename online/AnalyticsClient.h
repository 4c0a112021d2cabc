#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "online/CurlTransfer.h"

// Reports events (a kind and a value, such as "view" / "menu_main") from a worker thread
// of its own, so the game never waits for the network. Each event is posted to the
// endpoint as a form (game, key, system, version, kind, value) and, when a log file is
// set, appended to it as one line "kind<TAB>value" (tabs, line breaks and backslashes
// escaped). Without an endpoint nothing goes over the network; without both the events
// are dropped.
class AnalyticsClient {
public:
    struct Settings {
        std::uint32_t gameId = 0;
        std::string key;
        std::string endpoint;  // full address the events are posted to; "" sends nothing
        std::string logPath;   // "" keeps no log
        std::chrono::milliseconds timeout{10000};
    };

    // Events beyond this many waiting are dropped, so a slow network cannot grow memory.
    static constexpr std::size_t kMaxWaiting = 256;

    AnalyticsClient() = default;
    AnalyticsClient(const AnalyticsClient&) = delete;
    AnalyticsClient& operator=(const AnalyticsClient&) = delete;
    ~AnalyticsClient() { stop(); }

    // False when already started.
    bool start(Settings settings);

    // Hands the event to the worker and returns at once.
    void track(std::string kind, std::string value);

    // Waits until every event handed over so far has been delivered or has failed.
    void flush();

    // Logs what is still waiting without sending it, abandons a transfer in flight and
    // joins the worker. The client can be started again afterwards.
    void stop();

private:
    struct Event {
        std::string kind;
        std::string value;
    };

    void run();
    void deliver(const Event& event, bool send);
    void post(const Event& event);
    void log(const Event& event);

    Settings m_settings;
    bool m_started = false;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<Event> m_waiting;
    bool m_busy = false;
    bool m_stopping = false;
    std::atomic<bool> m_cancel{false};

    // The worker's own.
    CURL* m_handle = nullptr;
    std::FILE* m_log = nullptr;
    bool m_reportedFailure = false;

    std::unique_ptr<CurlGlobal> m_curl;
    std::thread m_worker;
};
