#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace florelle::testing {

// A server program of the test's own, started with its arguments and stopped
// with the object. Such servers tell where to reach them in one line written
// to descriptor 3; that line is empty where the program is not installed or
// could not start.
class SpawnedServer {
public:
    SpawnedServer(const std::string& program, const std::vector<std::string>& arguments);
    SpawnedServer(const SpawnedServer&) = delete;
    SpawnedServer& operator=(const SpawnedServer&) = delete;
    ~SpawnedServer();
    const std::string& firstLine() const { return firstLine_; }

private:
    pid_t pid_ = -1;
    std::string firstLine_;
};

} // namespace florelle::testing
