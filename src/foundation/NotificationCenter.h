// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace florelle {

// A notice that something happened: a name and, optionally, the object it
// concerns (compared by address only).
struct Notification {
    std::string name;
    const void* object = nullptr;
};

// Delivers named notifications to the observers registered for them, at once
// and on the posting thread: the user interface posts and observes on the
// main thread only. Observers may be added or removed while a notification is
// being delivered; one removed during delivery is not called any more.
class NotificationCenter {
public:
    // Posted when local midnight passed, the clock jumped or the time zone
    // (or its offset) changed; see SignificantTimeChangeWatcher.
    static constexpr const char* significantTimeChangeNotification =
        "SignificantTimeChangeNotification";

    // Keeps an observer registered while it lives; destroying or resetting it
    // removes the observer, so an owner's members unregister with the owner.
    class Observation {
    public:
        Observation() = default;
        Observation(const Observation&) = delete;
        Observation& operator=(const Observation&) = delete;
        Observation(Observation&& other) noexcept;
        Observation& operator=(Observation&& other) noexcept;
        ~Observation();
        void reset();

    private:
        friend class NotificationCenter;
        Observation(NotificationCenter* center, std::uint64_t id) : center_(center), id_(id) {}
        NotificationCenter* center_ = nullptr;
        std::uint64_t id_ = 0;
    };

    using Handler = std::function<void(const Notification&)>;

    NotificationCenter() = default;
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    static NotificationCenter& defaultCenter();

    // Observes the notifications of that name; with an object, only those
    // posted for that object.
    [[nodiscard]] Observation addObserver(std::string name, Handler handler,
                                          const void* object = nullptr);
    void post(const std::string& name, const void* object = nullptr);
    std::size_t observerCount(const std::string& name) const;

private:
    struct Entry {
        std::string name;
        const void* object;
        Handler handler;
    };

    void remove(std::uint64_t id);

    std::uint64_t nextId_ = 1;
    std::map<std::uint64_t, Entry> entries_;
};

} // namespace florelle
