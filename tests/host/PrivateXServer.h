#pragma once

#include <string>
#include <sys/types.h>

namespace florelle::testing {

// An X server of the test's own (Xvfb, with a screen as large as a phone's),
// gone with the object. The display (":N") is empty where it could not start.
class PrivateXServer {
public:
    PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;
    ~PrivateXServer();
    const std::string& display() const { return display_; }

private:
    pid_t server_ = -1;
    std::string display_;
};

} // namespace florelle::testing
