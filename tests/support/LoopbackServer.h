#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace florelle::testing {

// A tiny HTTP server on 127.0.0.1 for tests, on a thread of its own. It
// answers every request with the one response it was given, or, when
// silent, accepts connections and never answers. It listens on a free port,
// or on the one asked for (such as a closedPort() that a test opens later).
class LoopbackServer {
public:
    struct Response {
        int status = 200;
        std::string contentType = "text/html; charset=utf-8";
        std::string body;
    };

    explicit LoopbackServer(Response response, bool silent = false, int port = 0);
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
    void answer(int connection);

    Response response_;
    bool silent_;
    int listener_ = -1;
    int wake_[2] = {-1, -1};
    int port_ = 0;
    std::atomic<int> requests_ = 0;
    std::thread thread_;
};

} // namespace florelle::testing
