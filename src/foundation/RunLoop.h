// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Date.h"
#include "FileDescriptor.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <poll.h>
#include <sys/types.h>
#include <vector>

namespace florelle {

// The event loop of one thread: it runs posted tasks, fires timers and
// serves file descriptors. Every thread has its own loop; the main thread's
// loop is the one the whole user interface runs on.
//
// Time is the time of Clock::current(), so a manual clock drives the timers.
// When the clock jumps backwards the pending timers move back with it, so a
// delay keeps its length; when it jumps forwards, what became due fires once.
//
// Only post(), stop() and wakeUp() may be called from other threads; all
// else belongs to the loop's own thread. Runs may nest: a handler can run the
// loop again to wait for something while timers and sources keep being served.
class RunLoop {
public:
    RunLoop(const RunLoop&) = delete;
    RunLoop& operator=(const RunLoop&) = delete;
    ~RunLoop();

    // The loop of the calling thread, made on first use.
    static RunLoop& current();
    // The loop of the process's main thread; reachable from any thread.
    static RunLoop& main();
    bool isCurrent() const;

    // Queues a task to run on this loop's thread, in the order posted.
    void post(std::function<void()> task);

    // Runs until stop() is called.
    void run();
    // Runs until done() holds, the deadline passes or stop() is called;
    // returns done(). done() is checked before each round.
    bool runUntil(const std::function<bool()>& done, std::optional<Date> deadline = std::nullopt);
    // One round: runs the posted tasks, the due timers and the ready sources.
    // With mayWait it first sleeps until something is due or ready.
    void runOnce(bool mayWait = false);
    // Makes the innermost run()/runUntil() return.
    void stop();
    // Interrupts a wait so the loop looks at its timers and tasks again.
    void wakeUp();

    // For loops that wait elsewhere (a window system's event queue): whether
    // posted tasks wait to run, and when the earliest timer is due.
    bool hasPendingTasks() const { return hasPostedTasks(); }
    std::optional<Date> nextTimerFireDate() const;
    // The descriptors such a wait must watch too: the loop's wake-up (a
    // task posted) and every source's, with the events they wait for.
    std::vector<pollfd> watchedDescriptors() const;
    // Such a loop gives its own round here, so that a run nested in one of
    // its handlers (a wait for the network) keeps taking the window's events
    // and drawing: each round of run() or runUntil() waits at most
    // `interval` seconds and then calls `pump` (never inside itself). An
    // empty pump stops it.
    void setNestedRunPump(std::function<void()> pump, double interval);

    // The registration interface behind Timer and FileDescriptorSource.
    using Id = std::uint64_t;
    Id addTimer(Date fireDate, double interval, bool repeats, std::function<void()> action);
    void removeTimer(Id id);
    bool hasTimer(Id id) const;
    std::optional<Date> timerFireDate(Id id) const;
    void setTimerFireDate(Id id, Date fireDate);

    Id addSource(int fd, short events, std::function<void(short revents)> handler);
    void removeSource(Id id);

private:
    explicit RunLoop(pid_t thread);

    struct TimerEntry {
        Date fireDate;
        double interval;
        bool repeats;
        std::function<void()> action;
    };
    struct SourceEntry {
        int fd;
        short events;
        std::function<void(short)> handler;
    };

    void runRound(bool mayWait, std::optional<Date> deadline, bool nested);
    void servePump();
    void runPostedTasks();
    void fireDueTimers();
    void followClockJumps(Date now);
    int waitMilliseconds(std::optional<Date> deadline) const;
    void poll(int timeoutMilliseconds);
    bool hasPostedTasks() const;

    pid_t thread_;
    FileDescriptor wake_;
    mutable std::mutex tasksMutex_;
    std::deque<std::function<void()>> tasks_;
    std::atomic<bool> stopRequested_ = false;
    std::optional<Date> lastNow_;
    std::function<void()> pump_;
    int pumpMilliseconds_ = 0;
    bool pumping_ = false;
    Id nextId_ = 1;
    std::map<Id, TimerEntry> timers_;
    std::map<Id, SourceEntry> sources_;
};

} // namespace florelle
