#pragma once

#include <curl/curl.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "online/CurlTransfer.h"

// One question to the version endpoint per run: "is there a newer version than mine?"
// The request runs on a worker thread; the main thread polls for the answer once per
// frame. The worker alone touches the transfer and the answer until it publishes the
// answer through one release store; the poll reads the answer after an acquiring load.
class UpdateCheck {
public:
    struct Settings {
        std::string host;                      // base address of the endpoint; "" makes no request
        std::uint32_t installedVersion = 0;    // major << 16 | minor; 0 makes no request
        std::chrono::milliseconds delay{500};  // lets the launch finish before the request
        std::chrono::milliseconds timeout{15000};
        // Called on the worker once an answer waits for poll (the game wakes its loop).
        std::function<void()> answered;
    };

    UpdateCheck() = default;
    UpdateCheck(const UpdateCheck&) = delete;
    UpdateCheck& operator=(const UpdateCheck&) = delete;
    ~UpdateCheck() { stop(); }

    // Starts the request and returns at once; false when no request is made (no host,
    // no version, an address longer than 199 characters, libcurl unusable, or started
    // before).
    bool start(const Settings& settings);

    // True at most once: when the answer offers a newer version. Fills both texts as
    // "major.minor".
    bool poll(std::string& newerVersion, std::string& installedVersion);

    // Waits for the worker to finish its request (tests, and before a clean exit).
    void wait();

    // Abandons a request in flight and waits for the worker.
    void stop();

private:
    // The answer is "1" and a number; a few KB leave room for any server's extras.
    static constexpr std::size_t kMaxAnswerBytes = 4096;
    void run(CURL* handle, std::chrono::milliseconds delay, std::function<void()> answered);

    bool m_started = false;
    std::uint32_t m_installedVersion = 0;
    AnswerBody m_response{kMaxAnswerBytes};
    std::atomic<bool> m_answered{false};
    std::atomic<bool> m_cancel{false};
    std::mutex m_delayMutex;
    std::condition_variable m_delayWake;
    std::unique_ptr<CurlGlobal> m_curl;
    std::thread m_worker;
};

// The game's one check, with the endpoint from onlineHost(OnlineHost::Version) and this
// build's version; its answer wakes the window's event wait. startUpdateCheck runs once at
// launch (later calls do nothing); pollUpdateCheck is for the per-frame hook;
// stopUpdateCheck before the process ends.
void startUpdateCheck();
bool pollUpdateCheck(std::string& newerVersion, std::string& installedVersion);
void stopUpdateCheck();

// Waits for the game's check to finish (tests).
void waitForUpdateCheck();

// The delay before and the time-out of the game's request (tests shorten them).
void setUpdateCheckTiming(std::chrono::milliseconds delay, std::chrono::milliseconds timeout);
