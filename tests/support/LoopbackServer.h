// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace florelle::testing {

// A tiny HTTP server on 127.0.0.1 for tests, on a thread of its own. It
// answers every request with the one response it was given, or, when
// silent, accepts connections and never answers; or it asks a handler for
// each answer. It listens on a free port, or on the one asked for (such as
// a closedPort() that a test opens later).
class LoopbackServer {
public:
    struct Response {
        int status = 200;
        std::string contentType = "text/html; charset=utf-8";
        std::string body;
    };
    struct Request {
        std::string method;
        // The path with its query.
        std::string target;
        std::string head;
        std::string body;
        // A header's value, by its name in any case; "" when absent.
        std::string header(const std::string& name) const;
    };
    struct Answer {
        int status = 200;
        std::string body;
        // Whole header lines, such as "Location: /elsewhere".
        std::vector<std::string> headers;
    };
    // Called on the server's thread; std::nullopt leaves the request unanswered.
    using Handler = std::function<std::optional<Answer>(const Request&)>;

    explicit LoopbackServer(Response response, bool silent = false, int port = 0);
    explicit LoopbackServer(Handler handler);
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;
    ~LoopbackServer();

    int port() const { return port_; }
    std::string url(const std::string& path = "/") const;
    int requests() const { return requests_; }

    // A port on 127.0.0.1 that nothing listens on.
    static int closedPort();

private:
    void serve();
    // Whether the connection was answered (and may be closed).
    bool answer(int connection);

    Handler handler_;
    int listener_ = -1;
    int wake_[2] = {-1, -1};
    int port_ = 0;
    std::atomic<int> requests_ = 0;
    std::thread thread_;
};

} // namespace florelle::testing
