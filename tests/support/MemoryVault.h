// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/PasswordVault.h"

#include <map>
#include <utility>

namespace florelle::testing {

// A password vault in memory, or one that cannot be reached (as where no
// Secret Service runs).
class MemoryVault : public PasswordVault {
public:
    explicit MemoryVault(bool reachable = true) : reachable_(reachable) {}
    std::optional<std::string> password(const std::string& server,
                                        const std::string& user) override {
        auto found = kept.find({server, user});
        return found == kept.end() ? std::nullopt : std::optional(found->second);
    }
    bool keep(const std::string& server, const std::string& user,
              const std::string& password) override {
        if (reachable_) {
            kept[{server, user}] = password;
        }
        return reachable_;
    }
    std::map<std::pair<std::string, std::string>, std::string> kept;

private:
    bool reachable_;
};

} // namespace florelle::testing
