#include "LoopbackServer.h"

#include <arpa/inet.h>
#include <cstdint>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace florelle::testing {

namespace {

// Binds to `port`, or to a free one when it is 0, and says which.
int boundSocket(int& port) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int reuse = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

const char* reason(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

} // namespace

LoopbackServer::LoopbackServer(Response response, bool silent, int port)
    : response_(std::move(response)), silent_(silent), port_(port) {
    listener_ = boundSocket(port_);
    ::listen(listener_, 8);
    [[maybe_unused]] int made = ::pipe(wake_);
    thread_ = std::thread([this] { serve(); });
}

LoopbackServer::~LoopbackServer() {
    [[maybe_unused]] auto written = ::write(wake_[1], "x", 1);
    thread_.join();
    ::close(listener_);
    ::close(wake_[0]);
    ::close(wake_[1]);
}

std::string LoopbackServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

int LoopbackServer::closedPort() {
    int port = 0;
    int fd = boundSocket(port);
    ::close(fd);
    return port;
}

void LoopbackServer::serve() {
    std::vector<int> open;
    while (true) {
        pollfd fds[2] = {{listener_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            continue;
        }
        if (fds[1].revents) {
            break;
        }
        int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) {
            continue;
        }
        ++requests_;
        if (silent_) {
            open.push_back(connection);
            continue;
        }
        answer(connection);
        ::close(connection);
    }
    for (int connection : open) {
        ::close(connection);
    }
}

void LoopbackServer::answer(int connection) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        auto got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) {
            return;
        }
        request.append(buffer, static_cast<std::size_t>(got));
    }
    std::string reply = "HTTP/1.1 " + std::to_string(response_.status) + " " +
                        reason(response_.status) + "\r\nContent-Type: " + response_.contentType +
                        "\r\nContent-Length: " + std::to_string(response_.body.size()) +
                        "\r\nConnection: close\r\n\r\n" + response_.body;
    std::size_t sent = 0;
    while (sent < reply.size()) {
        // The client may hang up early (a page it cuts short): no SIGPIPE for that.
        auto wrote = ::send(connection, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
        if (wrote <= 0) {
            return;
        }
        sent += static_cast<std::size_t>(wrote);
    }
}

} // namespace florelle::testing
