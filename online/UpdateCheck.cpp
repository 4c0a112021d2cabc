#include "online/UpdateCheck.h"

#include <cstdio>
#include <memory>
#include <optional>

#include "core/ProcessSettings.h"
#include "engine/platform/WindowEvents.h"
#include "online/InstalledVersion.h"
#include "online/OnlineHosts.h"
#include "online/VersionText.h"

namespace {

constexpr std::size_t kMaxAddressLength = 199;

std::string requestAddress(const std::string& host, std::uint32_t installedVersion) {
    // "have" is the decimal of the full 32-bit value: 1.2 is 65538.
    return addressBelow(host, "version.php?game=petalune_free&have=" + std::to_string(installedVersion));
}

}  // namespace

bool UpdateCheck::start(const Settings& settings) {
    if (m_started || settings.host.empty() || settings.installedVersion == 0) return false;
    std::string address = requestAddress(settings.host, settings.installedVersion);
    if (address.size() > kMaxAddressLength) {
        std::fprintf(stderr, "Update check skipped: the address %s is too long\n", address.c_str());
        return false;
    }
    auto global = std::make_unique<CurlGlobal>();
    if (!global->ok()) return false;
    CURL* handle = curl().easyInit();
    if (!handle) return false;
    if (!prepareTransfer(handle, address, settings.timeout, &m_response, &m_cancel)) {
        curl().easyCleanup(handle);
        return false;
    }
    m_started = true;
    m_installedVersion = settings.installedVersion;
    m_curl = std::move(global);
    m_worker = std::thread(&UpdateCheck::run, this, handle, settings.delay, settings.answered);
    return true;
}

void UpdateCheck::run(CURL* handle, std::chrono::milliseconds delay, std::function<void()> answered) {
    {
        std::unique_lock lock(m_delayMutex);
        m_delayWake.wait_for(lock, delay, [this] { return m_cancel.load(); });
    }
    long status = m_cancel.load() ? 0 : performTransfer(handle);
    curl().easyCleanup(handle);
    // Redirects are not followed; a 301 still counts as an answer.
    if (status != 200 && status != 301) return;
    m_answered.store(true, std::memory_order_release);
    if (answered) answered();
}

bool UpdateCheck::poll(std::string& newerVersion, std::string& installedVersion) {
    if (!m_answered.load(std::memory_order_acquire)) return false;
    m_answered.store(false, std::memory_order_relaxed);
    std::optional<std::uint32_t> offered = offeredVersion(m_response.text);
    if (!offered) return false;
    newerVersion = versionText(*offered);
    installedVersion = versionText(m_installedVersion);
    return true;
}

void UpdateCheck::wait() {
    if (m_worker.joinable()) m_worker.join();
    m_curl.reset();
}

void UpdateCheck::stop() {
    {
        std::lock_guard lock(m_delayMutex);
        m_cancel.store(true);
    }
    m_delayWake.notify_all();
    wait();
}

namespace {

// The run's one check, made on first use and made afresh by a process reset.
struct CheckState {
    UpdateCheck check;
    std::chrono::milliseconds delay{500};
    std::chrono::milliseconds timeout{15000};
};

std::unique_ptr<CheckState> s_state;

void resetCheckState() {
    if (s_state) s_state->check.stop();
    s_state.reset();
}

CheckState& state() {
    if (!s_state) {
        s_state = std::make_unique<CheckState>();
        registerProcessReset(resetCheckState);
    }
    return *s_state;
}

}  // namespace

void startUpdateCheck() {
    state().check.start({onlineHost(OnlineHost::Version), installedVersion(), state().delay, state().timeout,
                         cocos2d::wakeWindowEventWait});
}

bool pollUpdateCheck(std::string& newerVersion, std::string& installedVersion) {
    return state().check.poll(newerVersion, installedVersion);
}

void stopUpdateCheck() {
    state().check.stop();
}

void waitForUpdateCheck() {
    state().check.wait();
}

void setUpdateCheckTiming(std::chrono::milliseconds delay, std::chrono::milliseconds timeout) {
    state().delay = delay;
    state().timeout = timeout;
}
