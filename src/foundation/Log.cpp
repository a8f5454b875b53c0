// SPDX-License-Identifier: GPL-3.0-or-later
#include "Log.h"

#include "Clock.h"
#include "Format.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <string>
#include <unistd.h>

namespace florelle {

namespace {

std::mutex logMutex;
Log::Sink logSink;

std::string timeStamp() {
    double seconds = Clock::current()->now().timeIntervalSince1970();
    double whole = std::floor(seconds);
    auto time = static_cast<time_t>(whole);
    std::tm parts{};
    gmtime_r(&time, &parts);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &parts);
    int millis = static_cast<int>((seconds - whole) * 1000);
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%s.%03dZ", buffer, millis);
    return stamp;
}

} // namespace

void Log::write(std::string_view message) {
    while (message.ends_with('\n')) {
        message.remove_suffix(1);
    }
    std::lock_guard lock(logMutex);
    if (logSink) {
        logSink(message);
        return;
    }
    std::string line = format("%@ florelle[%d] %@\n", timeStamp(), getpid(), message);
    std::fwrite(line.data(), 1, line.size(), stderr);
}

void Log::setSink(Sink sink) {
    std::lock_guard lock(logMutex);
    logSink = std::move(sink);
}

} // namespace florelle
