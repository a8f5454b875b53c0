// SPDX-License-Identifier: GPL-3.0-or-later
#include "NotificationCenter.h"

#include <utility>
#include <vector>

namespace florelle {

NotificationCenter::Observation::Observation(Observation&& other) noexcept
    : center_(std::exchange(other.center_, nullptr)), id_(std::exchange(other.id_, 0)) {}

NotificationCenter::Observation&
NotificationCenter::Observation::operator=(Observation&& other) noexcept {
    if (this != &other) {
        reset();
        center_ = std::exchange(other.center_, nullptr);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

NotificationCenter::Observation::~Observation() {
    reset();
}

void NotificationCenter::Observation::reset() {
    if (center_) {
        center_->remove(id_);
        center_ = nullptr;
    }
}

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter* center = new NotificationCenter;
    return *center;
}

NotificationCenter::Observation NotificationCenter::addObserver(std::string name, Handler handler,
                                                                const void* object) {
    std::uint64_t id = nextId_++;
    entries_.emplace(id, Entry{std::move(name), object, std::move(handler)});
    return Observation(this, id);
}

void NotificationCenter::post(const std::string& name, const void* object) {
    std::vector<std::uint64_t> matching;
    for (const auto& [id, entry] : entries_) {
        if (entry.name == name && (!entry.object || entry.object == object)) {
            matching.push_back(id);
        }
    }
    Notification notification{name, object};
    for (auto id : matching) {
        auto found = entries_.find(id);
        if (found == entries_.end()) {
            continue;
        }
        Handler handler = found->second.handler;
        handler(notification);
    }
}

std::size_t NotificationCenter::observerCount(const std::string& name) const {
    std::size_t count = 0;
    for (const auto& [id, entry] : entries_) {
        count += entry.name == name ? 1 : 0;
    }
    return count;
}

void NotificationCenter::remove(std::uint64_t id) {
    entries_.erase(id);
}

} // namespace florelle
