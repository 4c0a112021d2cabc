#include "tests/online/LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

namespace petalune::test {

namespace {

sockaddr_in loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    return address;
}

int boundLoopbackSocket(int& port) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof(address);
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        std::abort();
    }
    port = ntohs(address.sin_port);
    return fd;
}

// Waits for fd to become readable; false when the wake pipe fired first.
bool readable(int fd, int wake) {
    pollfd fds[2] = {{fd, POLLIN, 0}, {wake, POLLIN, 0}};
    while (poll(fds, 2, -1) < 0) {
    }
    return !(fds[1].revents & POLLIN);
}

std::size_t contentLength(const std::string& head) {
    constexpr std::string_view kHeader = "\r\nContent-Length:";
    std::size_t at = head.find(kHeader);
    return at == std::string::npos ? 0 : std::strtoul(head.c_str() + at + kHeader.size(), nullptr, 10);
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer(int status, std::string body) : m_status(status), m_body(std::move(body)) {
    m_listener = boundLoopbackSocket(m_port);
    if (listen(m_listener, 8) != 0 || pipe2(m_wake, O_CLOEXEC) != 0) std::abort();
    m_thread = std::thread(&LoopbackHttpServer::serve, this);
}

LoopbackHttpServer::~LoopbackHttpServer() {
    char stop = 1;
    [[maybe_unused]] ssize_t written = write(m_wake[1], &stop, 1);
    m_thread.join();
    for (int connection : m_heldConnections) close(connection);
    close(m_listener);
    close(m_wake[0]);
    close(m_wake[1]);
}

std::string LoopbackHttpServer::address() const { return "http://127.0.0.1:" + std::to_string(m_port); }

std::vector<LoopbackHttpServer::Request> LoopbackHttpServer::requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

bool LoopbackHttpServer::waitForRequests(std::size_t count) const {
    std::unique_lock lock(m_mutex);
    return m_arrived.wait_for(lock, std::chrono::seconds(30), [&] { return m_requests.size() >= count; });
}

void LoopbackHttpServer::serve() {
    while (readable(m_listener, m_wake[0])) {
        int connection = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection >= 0) handle(connection);
    }
}

void LoopbackHttpServer::handle(int connection) {
    std::string received;
    std::size_t headEnd = std::string::npos;
    char buffer[4096];
    while (headEnd == std::string::npos || received.size() < headEnd + 4 + contentLength(received)) {
        if (!readable(connection, m_wake[0])) break;
        ssize_t count = read(connection, buffer, sizeof(buffer));
        if (count <= 0) break;
        received.append(buffer, static_cast<std::size_t>(count));
        headEnd = received.find("\r\n\r\n");
    }
    if (headEnd == std::string::npos) {
        close(connection);
        return;
    }
    std::size_t methodEnd = received.find(' ');
    std::size_t targetEnd = received.find(' ', methodEnd + 1);
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back({received.substr(0, methodEnd), received.substr(methodEnd + 1, targetEnd - methodEnd - 1),
                              received.substr(headEnd + 4)});
    }
    m_arrived.notify_all();
    if (m_status == kNeverAnswer) {
        m_heldConnections.push_back(connection);
        return;
    }
    std::string answer = "HTTP/1.1 " + std::to_string(m_status) + " Status\r\nContent-Length: " +
                         std::to_string(m_body.size()) + "\r\nConnection: close\r\n\r\n" + m_body;
    // A client may hang up before a long answer is through: no SIGPIPE for that.
    [[maybe_unused]] ssize_t written = send(connection, answer.data(), answer.size(), MSG_NOSIGNAL);
    close(connection);
}

int unusedLoopbackPort() {
    int port = 0;
    close(boundLoopbackSocket(port));
    return port;
}

}  // namespace petalune::test
