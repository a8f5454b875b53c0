// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CurlHandles.h"
#include "foundation/FileDescriptorSource.h"
#include "foundation/Timer.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace florelle {

// What to ask of a server: a GET of the address unless told otherwise.
struct HttpRequest {
    std::string url;
    std::string method = "GET";
    // Sent when not empty, with its content type.
    std::string body;
    std::string contentType;
    std::vector<std::string> headers;
    // Basic authorisation; libcurl keeps it from other hosts a redirect leads to.
    std::string user;
    std::string password;
    // The schemes the address and its redirects may have.
    std::string protocols = "http,https";
};

// One HTTP(S) request on the current thread's run loop: libcurl's sockets are
// watched as run-loop sources and its timers are run-loop timers, so the
// loop never blocks on the network. The completion comes once, from the run
// loop, unless the fetch is destroyed first (which cancels it).
//
// TLS peers are always verified. Only http and https are fetched, redirects are followed up to five
// times, and a body longer than maximumBytes is cut there (`truncated`). The time- out runs on the
// program's clock and covers the whole transfer.
class HttpFetch {
public:
    struct Result {
        // False when no answer came; `error` then says why.
        bool answered = false;
        std::string error;
        long status = 0;
        std::string contentType;
        std::string body;
        bool truncated = false;
        // No answer came within the time-out.
        bool timedOut = false;
    };
    using Completion = std::function<void(Result)>;

    HttpFetch(const std::string& url, double timeout, std::size_t maximumBytes,
              Completion completion);
    HttpFetch(const HttpRequest& request, double timeout, std::size_t maximumBytes,
              Completion completion);
    HttpFetch(const HttpFetch&) = delete;
    HttpFetch& operator=(const HttpFetch&) = delete;
    ~HttpFetch();

    bool isRunning() const { return running_; }

private:
    static int onSocket(CURL* easy, curl_socket_t socket, int what, void* self, void*);
    static int onTimer(CURLM* multi, long milliseconds, void* self);
    static std::size_t onWrite(char* data, std::size_t size, std::size_t count, void* self);

    void act(curl_socket_t socket, int flags);
    void checkDone();
    void finish(Result result);
    // Stops the transfer and every watch on its sockets.
    void detach();

    CurlMulti multi_;
    CurlSlist headers_;
    CurlEasy easy_;
    char errorBuffer_[CURL_ERROR_SIZE] = {};
    std::map<curl_socket_t, std::unique_ptr<FileDescriptorSource>> sources_;
    Timer curlTimer_;
    Timer deadline_;
    double timeout_;
    std::size_t maximumBytes_;
    Result result_;
    Completion completion_;
    bool running_ = true;
    bool attached_ = false;
    // Lives as long as the fetch, so a posted completion knows whether it may run.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace florelle
