// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeNetwork.h"

#include <vector>

namespace florelle::testing {

class FakeNetwork::Source : public NetworkFlagsSource,
                            public std::enable_shared_from_this<FakeNetwork::Source> {
public:
    using Key = std::pair<int, std::array<std::uint8_t, 16>>;

    std::optional<NetworkFlags> flagsFor(const NetworkTarget& target) override {
        std::lock_guard lock(mutex_);
        auto special = perTarget_.find(Key(target.family(), target.bytes()));
        return special != perTarget_.end() ? special->second : flags_;
    }

    std::unique_ptr<Subscription> subscribe(std::function<void()> changed) override {
        std::lock_guard lock(mutex_);
        int id = nextId_++;
        handlers_[id] = std::move(changed);
        return std::make_unique<Handle>(weak_from_this(), id);
    }

    void set(std::optional<NetworkFlags> flags) {
        std::lock_guard lock(mutex_);
        flags_ = flags;
    }

    void setFor(const NetworkTarget& target, std::optional<NetworkFlags> flags) {
        std::lock_guard lock(mutex_);
        perTarget_[Key(target.family(), target.bytes())] = flags;
    }

    void announce() {
        std::vector<std::function<void()>> handlers;
        {
            std::lock_guard lock(mutex_);
            for (const auto& [id, handler] : handlers_) {
                handlers.push_back(handler);
            }
        }
        for (const auto& handler : handlers) {
            handler();
        }
    }

    int count() const {
        std::lock_guard lock(mutex_);
        return static_cast<int>(handlers_.size());
    }

private:
    class Handle : public Subscription {
    public:
        Handle(std::weak_ptr<Source> source, int id) : source_(std::move(source)), id_(id) {}
        ~Handle() override {
            if (auto source = source_.lock()) {
                std::lock_guard lock(source->mutex_);
                source->handlers_.erase(id_);
            }
        }

    private:
        std::weak_ptr<Source> source_;
        int id_;
    };

    mutable std::mutex mutex_;
    std::optional<NetworkFlags> flags_ = online;
    std::map<Key, std::optional<NetworkFlags>> perTarget_;
    std::map<int, std::function<void()>> handlers_;
    int nextId_ = 1;
};

FakeNetwork::FakeNetwork() : source_(std::make_shared<Source>()) {
    NetworkFlagsSource::setCurrent(source_);
}

FakeNetwork::~FakeNetwork() {
    NetworkFlagsSource::setCurrent(nullptr);
}

void FakeNetwork::setFlags(std::optional<NetworkFlags> flags) {
    source_->set(flags);
}

void FakeNetwork::setFlagsFor(const NetworkTarget& target, std::optional<NetworkFlags> flags) {
    source_->setFor(target, flags);
}

void FakeNetwork::announceChange() {
    source_->announce();
}

int FakeNetwork::subscriberCount() const {
    return source_->count();
}

} // namespace florelle::testing
