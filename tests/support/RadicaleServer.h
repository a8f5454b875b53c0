// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SpawnedServer.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace florelle::testing {

// A Radicale CalDAV server of the test's own on 127.0.0.1, on a free port,
// with its own configuration, storage and htpasswd file, stopped with the
// object. `isAvailable` is false where Radicale is not installed.
class RadicaleServer {
public:
    static constexpr const char* program = "/usr/bin/radicale";

    RadicaleServer();
    RadicaleServer(const RadicaleServer&) = delete;
    RadicaleServer& operator=(const RadicaleServer&) = delete;
    ~RadicaleServer();

    static bool isInstalled();
    // Whether it started and takes connections.
    bool isReady() const { return server_ && server_->isRunning() && ready_; }
    // The server's root, such as "http://127.0.0.1:40123".
    std::string url(const std::string& path = "") const;
    // An account that can log in from now on.
    void addUser(const std::string& user, const std::string& password);
    void stop();
    // The processor time the server has used so far, in seconds.
    double processorSeconds() const;

    struct Answer {
        long status = 0;
        std::string body;
    };
    // One request as any HTTP client would send it, with Basic login.
    Answer request(const std::string& method, const std::string& url, const std::string& user,
                   const std::string& password, const std::string& body = {},
                   const std::vector<std::string>& headers = {}) const;

private:
    std::filesystem::path folder_;
    int port_ = 0;
    std::unique_ptr<SpawnedServer> server_;
    bool ready_ = false;
};

} // namespace florelle::testing
