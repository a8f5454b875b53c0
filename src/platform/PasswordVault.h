// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace florelle {

// Where the program keeps the passwords of online accounts.
class PasswordVault {
public:
    virtual ~PasswordVault() = default;
    // The password kept for the user on that server; std::nullopt when none
    // is kept or the vault cannot be reached.
    virtual std::optional<std::string> password(const std::string& server,
                                                const std::string& user) = 0;
    // Whether the password is now kept; false where the vault cannot be reached.
    virtual bool keep(const std::string& server, const std::string& user,
                      const std::string& password) = 0;
};

// The desktop's Secret Service (its keyring), through libsecret. Where no
// Secret Service runs, nothing is kept and nothing is found. Each call waits
// for the keyring's answer.
class SecretServiceVault : public PasswordVault {
public:
    std::optional<std::string> password(const std::string& server,
                                        const std::string& user) override;
    bool keep(const std::string& server, const std::string& user,
              const std::string& password) override;
};

} // namespace florelle
