// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoopbackServer.h"

#include <arpa/inet.h>
#include <cctype>
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

LoopbackServer::LoopbackServer(Response response, bool silent, int port) : port_(port) {
    handler_ = [response = std::move(response), silent](const Request&) -> std::optional<Answer> {
        if (silent) {
            return std::nullopt;
        }
        return Answer{response.status, response.body, {"Content-Type: " + response.contentType}};
    };
    listener_ = boundSocket(port_);
    ::listen(listener_, 8);
    [[maybe_unused]] int made = ::pipe(wake_);
    thread_ = std::thread([this] { serve(); });
}

LoopbackServer::LoopbackServer(Handler handler) : handler_(std::move(handler)) {
    listener_ = boundSocket(port_);
    ::listen(listener_, 16);
    [[maybe_unused]] int made = ::pipe(wake_);
    thread_ = std::thread([this] { serve(); });
}

std::string LoopbackServer::Request::header(const std::string& name) const {
    auto lowered = [](std::string text) {
        for (char& c : text) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return text;
    };
    std::string wanted = "\r\n" + lowered(name) + ":";
    auto at = lowered(head).find(wanted);
    if (at == std::string::npos) {
        return {};
    }
    at += wanted.size();
    std::string value = head.substr(at, head.find("\r\n", at) - at);
    auto first = value.find_first_not_of(' ');
    return first == std::string::npos ? "" : value.substr(first);
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
        if (answer(connection)) {
            ::close(connection);
        } else {
            open.push_back(connection);
        }
    }
    for (int connection : open) {
        ::close(connection);
    }
}

bool LoopbackServer::answer(int connection) {
    std::string received;
    char buffer[16384];
    std::size_t headEnd;
    while ((headEnd = received.find("\r\n\r\n")) == std::string::npos) {
        auto got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) {
            return true;
        }
        received.append(buffer, static_cast<std::size_t>(got));
    }
    Request request;
    request.head = received.substr(0, headEnd);
    request.body = received.substr(headEnd + 4);
    std::string length = request.header("Content-Length");
    while (!length.empty() && request.body.size() < std::stoul(length)) {
        auto got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) {
            return true;
        }
        request.body.append(buffer, static_cast<std::size_t>(got));
    }
    std::size_t methodEnd = request.head.find(' ');
    request.method = request.head.substr(0, methodEnd);
    request.target =
        request.head.substr(methodEnd + 1, request.head.find(' ', methodEnd + 1) - methodEnd - 1);
    std::optional<Answer> answer = handler_(request);
    if (!answer) {
        return false;
    }
    std::string reply =
        "HTTP/1.1 " + std::to_string(answer->status) + " " + reason(answer->status) + "\r\n";
    for (const auto& header : answer->headers) {
        reply += header + "\r\n";
    }
    reply += "Content-Length: " + std::to_string(answer->body.size()) +
             "\r\nConnection: close\r\n\r\n" + answer->body;
    std::size_t sent = 0;
    while (sent < reply.size()) {
        // The client may hang up early (a page it cuts short): no SIGPIPE for that.
        auto wrote = ::send(connection, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
        if (wrote <= 0) {
            break;
        }
        sent += static_cast<std::size_t>(wrote);
    }
    return true;
}

} // namespace florelle::testing
