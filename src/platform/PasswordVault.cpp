// SPDX-License-Identifier: GPL-3.0-or-later
#include "PasswordVault.h"

#include "foundation/Log.h"

#include <libsecret/secret.h>

namespace florelle {

namespace {

const SecretSchema* accountSchema() {
    static const SecretSchema schema = {"org.florelle.Florelle.CalendarAccount",
                                        SECRET_SCHEMA_NONE,
                                        {{"server", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                         {"user", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                         {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
                                        0,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr};
    return &schema;
}

// Logs a failure of the keyring, which is then treated as absent.
void logFailure(const char* what, GError* error) {
    if (error) {
        Log::write(std::string("SecretServiceVault: cannot ") + what + ": " + error->message);
        g_error_free(error);
    }
}

} // namespace

std::optional<std::string> SecretServiceVault::password(const std::string& server,
                                                        const std::string& user) {
    GError* error = nullptr;
    gchar* found = secret_password_lookup_sync(accountSchema(), nullptr, &error, "server",
                                               server.c_str(), "user", user.c_str(), nullptr);
    logFailure("look up a password", error);
    if (!found) {
        return std::nullopt;
    }
    std::string password = found;
    secret_password_free(found);
    return password;
}

bool SecretServiceVault::keep(const std::string& server, const std::string& user,
                              const std::string& password) {
    GError* error = nullptr;
    std::string label = "Florelle calendar account " + user;
    gboolean kept = secret_password_store_sync(
        accountSchema(), SECRET_COLLECTION_DEFAULT, label.c_str(), password.c_str(), nullptr,
        &error, "server", server.c_str(), "user", user.c_str(), nullptr);
    logFailure("keep a password", error);
    return kept;
}

} // namespace florelle
