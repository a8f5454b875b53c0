// SPDX-License-Identifier: GPL-3.0-or-later
#include "HttpFetch.h"

#include "foundation/RunLoop.h"

#include <cmath>
#include <mutex>
#include <poll.h>

namespace florelle {

namespace {

constexpr long maximumRedirects = 5;

void initialiseCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string describeSeconds(double seconds) {
    double whole = std::round(seconds);
    if (std::abs(seconds - whole) < 1e-9) {
        return std::to_string(static_cast<long>(whole));
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", seconds);
    return text;
}

HttpRequest getRequest(const std::string& url) {
    HttpRequest request;
    request.url = url;
    return request;
}

} // namespace

HttpFetch::HttpFetch(const std::string& url, double timeout, std::size_t maximumBytes,
                     Completion completion)
    : HttpFetch(getRequest(url), timeout, maximumBytes, std::move(completion)) {}

HttpFetch::HttpFetch(const HttpRequest& request, double timeout, std::size_t maximumBytes,
                     Completion completion)
    : timeout_(timeout), maximumBytes_(maximumBytes), completion_(std::move(completion)) {
    initialiseCurl();
    multi_.reset(curl_multi_init());
    easy_.reset(curl_easy_init());
    if (!multi_ || !easy_) {
        finish(Result{false, "The network library could not start.", 0, {}, {}, false, false});
        return;
    }
    CURL* easy = easy_.get();
    curl_easy_setopt(easy, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, request.protocols.c_str());
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, request.protocols.c_str());
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    if (request.method == "POST" || !request.body.empty()) {
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE, static_cast<long>(request.body.size()));
        curl_easy_setopt(easy, CURLOPT_COPYPOSTFIELDS, request.body.c_str());
        // A redirected request keeps its method and body.
        curl_easy_setopt(easy, CURLOPT_POSTREDIR, CURL_REDIR_POST_ALL);
    }
    if (request.method != "GET" && request.method != "POST") {
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.method.c_str());
    }
    auto headers = request.headers;
    if (!request.contentType.empty()) {
        headers.push_back("Content-Type: " + request.contentType);
    }
    for (const auto& header : headers) {
        if (curl_slist* longer = curl_slist_append(headers_.get(), header.c_str())) {
            headers_.release();
            headers_.reset(longer);
        }
    }
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers_.get());
    if (!request.user.empty()) {
        curl_easy_setopt(easy, CURLOPT_HTTPAUTH, CURLAUTH_BASIC);
        curl_easy_setopt(easy, CURLOPT_USERNAME, request.user.c_str());
        curl_easy_setopt(easy, CURLOPT_PASSWORD, request.password.c_str());
    }
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, maximumRedirects);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &HttpFetch::onWrite);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer_);
    curl_multi_setopt(multi_.get(), CURLMOPT_SOCKETFUNCTION, &HttpFetch::onSocket);
    curl_multi_setopt(multi_.get(), CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(multi_.get(), CURLMOPT_TIMERFUNCTION, &HttpFetch::onTimer);
    curl_multi_setopt(multi_.get(), CURLMOPT_TIMERDATA, this);

    deadline_ = Timer(timeout_, false, [this] {
        finish(Result{false,
                      "The page did not answer within " + describeSeconds(timeout_) + " seconds.",
                      0,
                      {},
                      {},
                      false,
                      true});
    });
    attached_ = curl_multi_add_handle(multi_.get(), easy) == CURLM_OK;
    if (!attached_) {
        finish(Result{false, "The page could not be requested.", 0, {}, {}, false, false});
    }
}

HttpFetch::~HttpFetch() {
    detach();
}

int HttpFetch::onSocket(CURL*, curl_socket_t socket, int what, void* self, void*) {
    auto* fetch = static_cast<HttpFetch*>(self);
    if (what == CURL_POLL_REMOVE) {
        fetch->sources_.erase(socket);
        return 0;
    }
    short events = 0;
    if (what == CURL_POLL_IN || what == CURL_POLL_INOUT) {
        events |= POLLIN;
    }
    if (what == CURL_POLL_OUT || what == CURL_POLL_INOUT) {
        events |= POLLOUT;
    }
    fetch->sources_[socket] =
        std::make_unique<FileDescriptorSource>(socket, events, [fetch, socket](short revents) {
            int flags = 0;
            if (revents & POLLIN) {
                flags |= CURL_CSELECT_IN;
            }
            if (revents & POLLOUT) {
                flags |= CURL_CSELECT_OUT;
            }
            if (revents & (POLLERR | POLLHUP | POLLNVAL)) {
                flags |= CURL_CSELECT_ERR;
            }
            fetch->act(socket, flags);
        });
    return 0;
}

int HttpFetch::onTimer(CURLM*, long milliseconds, void* self) {
    auto* fetch = static_cast<HttpFetch*>(self);
    if (milliseconds < 0) {
        fetch->curlTimer_.invalidate();
        return 0;
    }
    // Never act from inside libcurl's own call: a zero wait comes back through the loop.
    fetch->curlTimer_ =
        Timer(milliseconds / 1000.0, false, [fetch] { fetch->act(CURL_SOCKET_TIMEOUT, 0); });
    return 0;
}

std::size_t HttpFetch::onWrite(char* data, std::size_t size, std::size_t count, void* self) {
    auto* fetch = static_cast<HttpFetch*>(self);
    std::size_t bytes = size * count;
    std::size_t room = fetch->maximumBytes_ - fetch->result_.body.size();
    if (bytes > room) {
        fetch->result_.body.append(data, room);
        fetch->result_.truncated = true;
        // Fewer bytes than given stops the transfer.
        return room;
    }
    fetch->result_.body.append(data, bytes);
    return bytes;
}

void HttpFetch::act(curl_socket_t socket, int flags) {
    if (!running_) {
        return;
    }
    int stillRunning = 0;
    curl_multi_socket_action(multi_.get(), socket, flags, &stillRunning);
    checkDone();
}

void HttpFetch::checkDone() {
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_.get(), &queued)) {
        if (message->msg != CURLMSG_DONE) {
            continue;
        }
        CURLcode code = message->data.result;
        Result result = std::move(result_);
        if (code == CURLE_OK || (code == CURLE_WRITE_ERROR && result.truncated)) {
            result.answered = true;
            curl_easy_getinfo(easy_.get(), CURLINFO_RESPONSE_CODE, &result.status);
            char* type = nullptr;
            curl_easy_getinfo(easy_.get(), CURLINFO_CONTENT_TYPE, &type);
            result.contentType = type ? type : "";
        } else {
            result.error = errorBuffer_[0] ? errorBuffer_ : curl_easy_strerror(code);
        }
        finish(std::move(result));
        return;
    }
}

void HttpFetch::detach() {
    if (attached_) {
        attached_ = false;
        curl_multi_remove_handle(multi_.get(), easy_.get());
    }
    sources_.clear();
    curlTimer_.invalidate();
}

void HttpFetch::finish(Result result) {
    if (!running_) {
        return;
    }
    running_ = false;
    deadline_.invalidate();
    detach();
    std::weak_ptr<bool> alive = alive_;
    auto completion = std::move(completion_);
    RunLoop::current().post([alive, completion, result = std::move(result)]() mutable {
        if (alive.lock() && completion) {
            completion(std::move(result));
        }
    });
}

} // namespace florelle
