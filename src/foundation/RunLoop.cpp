// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunLoop.h"

#include "Clock.h"
#include "Log.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <memory>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace florelle {

namespace {

pid_t callingThread() {
    return ::gettid();
}

bool onMainThread() {
    return ::gettid() == ::getpid();
}

} // namespace

RunLoop::RunLoop(pid_t thread) : thread_(thread), wake_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    if (!wake_.isValid()) {
        Log::write("RunLoop: cannot create its wake-up descriptor");
    }
}

RunLoop::~RunLoop() = default;

RunLoop& RunLoop::main() {
    static RunLoop* loop = new RunLoop(::getpid());
    return *loop;
}

RunLoop& RunLoop::current() {
    if (onMainThread()) {
        return main();
    }
    thread_local std::unique_ptr<RunLoop> loop(new RunLoop(callingThread()));
    return *loop;
}

bool RunLoop::isCurrent() const {
    return callingThread() == thread_;
}

void RunLoop::post(std::function<void()> task) {
    {
        std::lock_guard lock(tasksMutex_);
        tasks_.push_back(std::move(task));
    }
    wakeUp();
}

void RunLoop::wakeUp() {
    std::uint64_t one = 1;
    // A full counter already means a pending wake-up, so a failed write loses nothing.
    [[maybe_unused]] auto written = ::write(wake_.get(), &one, sizeof one);
}

void RunLoop::stop() {
    stopRequested_ = true;
    wakeUp();
}

void RunLoop::run() {
    while (!stopRequested_) {
        runRound(true, std::nullopt, true);
    }
    stopRequested_ = false;
}

bool RunLoop::runUntil(const std::function<bool()>& done, std::optional<Date> deadline) {
    while (!done()) {
        if (stopRequested_) {
            stopRequested_ = false;
            return false;
        }
        if (deadline && Clock::current()->now() >= *deadline) {
            return false;
        }
        runRound(true, deadline, true);
    }
    return true;
}

void RunLoop::runOnce(bool mayWait) {
    runRound(mayWait, std::nullopt, false);
}

void RunLoop::setNestedRunPump(std::function<void()> pump, double interval) {
    pump_ = std::move(pump);
    pumpMilliseconds_ = std::max(0, static_cast<int>(std::lround(interval * 1000)));
}

void RunLoop::runRound(bool mayWait, std::optional<Date> deadline, bool nested) {
    bool pumps = nested && pump_ && !pumping_;
    int timeout = 0;
    if (mayWait && !stopRequested_ && !hasPostedTasks()) {
        // A clock set back since the last round must not stretch this wait.
        followClockJumps(Clock::current()->now());
        timeout = waitMilliseconds(deadline);
        if (pumps && (timeout < 0 || timeout > pumpMilliseconds_)) {
            timeout = pumpMilliseconds_;
        }
    }
    poll(timeout);
    runPostedTasks();
    fireDueTimers();
    if (pumps) {
        servePump();
    }
}

void RunLoop::servePump() {
    pumping_ = true;
    // A copy: the pump may replace itself.
    auto pump = pump_;
    pump();
    pumping_ = false;
}

bool RunLoop::hasPostedTasks() const {
    std::lock_guard lock(tasksMutex_);
    return !tasks_.empty();
}

void RunLoop::runPostedTasks() {
    std::deque<std::function<void()>> batch;
    {
        std::lock_guard lock(tasksMutex_);
        batch.swap(tasks_);
    }
    for (auto& task : batch) {
        task();
    }
}

void RunLoop::followClockJumps(Date now) {
    if (lastNow_ && now < *lastNow_) {
        double shift = now.secondsSince(*lastNow_);
        for (auto& [id, timer] : timers_) {
            timer.fireDate = timer.fireDate.addingSeconds(shift);
        }
    }
    lastNow_ = now;
}

void RunLoop::fireDueTimers() {
    Date now = Clock::current()->now();
    followClockJumps(now);

    std::vector<std::pair<Date, Id>> due;
    for (const auto& [id, timer] : timers_) {
        if (timer.fireDate <= now) {
            due.emplace_back(timer.fireDate, id);
        }
    }
    std::sort(due.begin(), due.end());

    for (const auto& [fireDate, id] : due) {
        auto found = timers_.find(id);
        // An earlier action may have removed or moved this timer.
        if (found == timers_.end() || found->second.fireDate > now) {
            continue;
        }
        TimerEntry& timer = found->second;
        std::function<void()> action = timer.action;
        if (timer.repeats) {
            // Fires missed while the clock jumped are skipped, not caught up in a burst.
            double missed = std::floor(now.secondsSince(timer.fireDate) / timer.interval);
            timer.fireDate = timer.fireDate.addingSeconds((missed + 1) * timer.interval);
        } else {
            timers_.erase(found);
        }
        action();
    }
}

std::optional<Date> RunLoop::nextTimerFireDate() const {
    std::optional<Date> next;
    for (const auto& [id, timer] : timers_) {
        if (!next || timer.fireDate < *next) {
            next = timer.fireDate;
        }
    }
    return next;
}

int RunLoop::waitMilliseconds(std::optional<Date> deadline) const {
    std::optional<Date> next = nextTimerFireDate();
    if (deadline && (!next || *deadline < *next)) {
        next = deadline;
    }
    if (!next) {
        return -1;
    }
    double seconds = next->secondsSince(Clock::current()->now());
    if (seconds <= 0) {
        return 0;
    }
    return static_cast<int>(std::min(std::ceil(seconds * 1000), 2147483647.0));
}

std::vector<pollfd> RunLoop::watchedDescriptors() const {
    std::vector<pollfd> fds;
    fds.push_back({wake_.get(), POLLIN, 0});
    for (const auto& [id, source] : sources_) {
        fds.push_back({source.fd, source.events, 0});
    }
    return fds;
}

void RunLoop::poll(int timeoutMilliseconds) {
    std::vector<pollfd> fds = watchedDescriptors();
    std::vector<Id> ids;
    for (const auto& [id, source] : sources_) {
        ids.push_back(id);
    }
    int ready = ::poll(fds.data(), fds.size(), timeoutMilliseconds);
    if (ready <= 0) {
        if (ready < 0 && errno != EINTR) {
            Log::write("RunLoop: poll failed");
        }
        return;
    }
    if (fds[0].revents != 0) {
        std::uint64_t count = 0;
        [[maybe_unused]] auto read = ::read(wake_.get(), &count, sizeof count);
    }
    for (std::size_t index = 1; index < fds.size(); ++index) {
        if (fds[index].revents == 0) {
            continue;
        }
        auto found = sources_.find(ids[index - 1]);
        // An earlier handler may have removed this source.
        if (found == sources_.end()) {
            continue;
        }
        auto handler = found->second.handler;
        handler(fds[index].revents);
    }
}

RunLoop::Id RunLoop::addTimer(Date fireDate, double interval, bool repeats,
                              std::function<void()> action) {
    // Pending timers must follow a jump before a timer of the new timeline joins them.
    followClockJumps(Clock::current()->now());
    Id id = nextId_++;
    timers_.emplace(id, TimerEntry{fireDate, repeats ? std::max(interval, 0.0001) : interval,
                                   repeats, std::move(action)});
    return id;
}

void RunLoop::removeTimer(Id id) {
    timers_.erase(id);
}

bool RunLoop::hasTimer(Id id) const {
    return timers_.contains(id);
}

std::optional<Date> RunLoop::timerFireDate(Id id) const {
    auto found = timers_.find(id);
    if (found == timers_.end()) {
        return std::nullopt;
    }
    return found->second.fireDate;
}

void RunLoop::setTimerFireDate(Id id, Date fireDate) {
    followClockJumps(Clock::current()->now());
    auto found = timers_.find(id);
    if (found != timers_.end()) {
        found->second.fireDate = fireDate;
    }
}

RunLoop::Id RunLoop::addSource(int fd, short events, std::function<void(short)> handler) {
    Id id = nextId_++;
    sources_.emplace(id, SourceEntry{fd, events, std::move(handler)});
    return id;
}

void RunLoop::removeSource(Id id) {
    sources_.erase(id);
}

} // namespace florelle
