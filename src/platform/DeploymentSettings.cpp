// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeploymentSettings.h"

#include "foundation/Format.h"
#include "foundation/Log.h"

#include <charconv>
#include <cstdlib>
#include <optional>

namespace florelle {

namespace {

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) {
        return std::nullopt;
    }
    return std::string(value);
}

} // namespace

std::string DeploymentSettings::forumAddress() {
    return environment("FLORELLE_FORUM_URL").value_or(defaultForumAddress);
}

std::string DeploymentSettings::reviewAddressTemplate() {
    return environment("FLORELLE_REVIEW_URL").value_or(defaultReviewAddressTemplate);
}

int DeploymentSettings::storeIdentifier() {
    auto text = environment("FLORELLE_STORE_ID");
    if (!text) {
        return defaultStoreIdentifier;
    }
    int value = 0;
    auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size()) {
        Log::write("Deployment: FLORELLE_STORE_ID is not a whole number: " + *text);
        return defaultStoreIdentifier;
    }
    return value;
}

std::string DeploymentSettings::reviewAddress() {
    std::string address = reviewAddressTemplate();
    std::string identifier = format("%d", storeIdentifier());
    const std::string placeholder = "APP_ID";
    for (auto at = address.find(placeholder); at != std::string::npos;
         at = address.find(placeholder, at + identifier.size())) {
        address.replace(at, placeholder.size(), identifier);
    }
    return address;
}

} // namespace florelle
