#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace petalune::test {

// A tiny HTTP server on 127.0.0.1 with an ephemeral port, on a thread of its own. It
// records every request and gives each the same answer, or, when silent, reads the
// request and never answers (the connection stays open until the server ends).
class LoopbackHttpServer {
public:
    struct Request {
        std::string method;
        std::string target;  // path and query, "/version.php?game=..."
        std::string body;
    };

    static constexpr int kNeverAnswer = 0;

    explicit LoopbackHttpServer(int status = kNeverAnswer, std::string body = {});
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int port() const { return m_port; }
    // "http://127.0.0.1:<port>"
    std::string address() const;

    std::vector<Request> requests() const;
    // Blocks until at least count requests have arrived; false after half a minute.
    bool waitForRequests(std::size_t count) const;

private:
    void serve();
    void handle(int connection);

    int m_status;
    std::string m_body;
    int m_listener = -1;
    int m_port = 0;
    int m_wake[2] = {-1, -1};
    std::vector<int> m_heldConnections;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_arrived;
    std::vector<Request> m_requests;
    std::thread m_thread;
};

// A loopback port nobody listens on: connections to it are refused.
int unusedLoopbackPort();

}  // namespace petalune::test
