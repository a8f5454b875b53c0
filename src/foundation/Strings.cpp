// SPDX-License-Identifier: GPL-3.0-or-later
#include "Strings.h"

#include "Bundle.h"
#include "Log.h"
#include "MessageCatalog.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <mutex>
#include <stdexcept>

namespace florelle {

namespace {

constexpr std::string_view english = "en";
constexpr std::string_view domain = "florelle";

std::mutex stringsMutex;
std::optional<std::string> chosenLanguage;
// Keyed by file, so that a test pointing Bundle elsewhere reads that folder.
std::map<std::filesystem::path, std::optional<MessageCatalog>> catalogues;

std::string environmentSetting() {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* value = std::getenv(name); value && *value) {
            return value;
        }
    }
    return {};
}

const MessageCatalog* catalogueFor(const std::string& language) {
    auto file = Bundle::resourceDirectory() / "locale" / language / "LC_MESSAGES" /
                (std::string(domain) + ".mo");
    auto found = catalogues.find(file);
    if (found == catalogues.end()) {
        found = catalogues.emplace(file, MessageCatalog::load(file)).first;
    }
    return found->second ? &*found->second : nullptr;
}

// Plural rules count without sign: "−2 days" reads like "2 days".
unsigned long magnitude(long long count) {
    return count < 0 ? 0UL - static_cast<unsigned long>(count) : static_cast<unsigned long>(count);
}

std::vector<std::string> languagesLocked() {
    auto languages = Strings::candidatesFor(chosenLanguage.value_or(environmentSetting()));
    if (std::find(languages.begin(), languages.end(), english) == languages.end()) {
        languages.emplace_back(english);
    }
    return languages;
}

// The text in the first language that has one (in the form a count takes,
// when there is a count); English is always the last.
std::optional<std::string> lookupLocked(std::string_view key,
                                        const std::vector<std::string>& languages,
                                        std::optional<long long> count = std::nullopt) {
    for (const auto& language : languages) {
        if (auto* catalogue = catalogueFor(language)) {
            auto* text =
                count ? catalogue->findCounted(key, magnitude(*count)) : catalogue->find(key);
            if (text) {
                return *text;
            }
        }
    }
    return std::nullopt;
}

// The pattern in the user's language, filled; English's when the
// translation's conversions do not fit the arguments.
std::string formatLocalized(std::string_view key, std::optional<long long> count,
                            const std::vector<FormatArg>& args) {
    std::string pattern;
    std::string englishPattern;
    {
        std::lock_guard lock(stringsMutex);
        pattern = lookupLocked(key, languagesLocked(), count).value_or(std::string(key));
        englishPattern =
            lookupLocked(key, {std::string(english)}, count).value_or(std::string(key));
    }
    try {
        return formatWithArgs(pattern, args);
    } catch (const std::invalid_argument&) {
        Log::write("The text of '" + std::string(key) + "' does not fit its arguments");
    }
    return formatWithArgs(englishPattern, args);
}

} // namespace

std::vector<std::string> Strings::candidatesFor(std::string_view setting) {
    std::vector<std::string> result;
    auto add = [&result](std::string name) {
        if (!name.empty() && std::find(result.begin(), result.end(), name) == result.end()) {
            result.push_back(std::move(name));
        }
    };
    while (!setting.empty()) {
        auto colon = setting.find(':');
        auto entry = setting.substr(0, colon);
        setting = colon == std::string_view::npos ? std::string_view{} : setting.substr(colon + 1);
        // "de_AT.UTF-8@euro": the codeset and the modifier do not choose a catalogue.
        entry = entry.substr(0, entry.find_first_of(".@"));
        if (entry == "C" || entry == "POSIX") {
            add(std::string(english));
            continue;
        }
        add(std::string(entry));
        add(std::string(entry.substr(0, entry.find('_'))));
    }
    return result;
}

std::vector<std::string> Strings::languages() {
    std::lock_guard lock(stringsMutex);
    return languagesLocked();
}

std::string Strings::localized(std::string_view key) {
    std::lock_guard lock(stringsMutex);
    return lookupLocked(key, languagesLocked()).value_or(std::string(key));
}

std::string Strings::localizedFormatWithArgs(std::string_view key,
                                             const std::vector<FormatArg>& args) {
    return formatLocalized(key, std::nullopt, args);
}

std::string Strings::localizedCount(std::string_view key, long long count) {
    std::lock_guard lock(stringsMutex);
    return lookupLocked(key, languagesLocked(), count).value_or(std::string(key));
}

std::string Strings::localizedCountFormatWithArgs(std::string_view key, long long count,
                                                  const std::vector<FormatArg>& args) {
    return formatLocalized(key, count, args);
}

void Strings::setLanguage(std::optional<std::string> language) {
    std::lock_guard lock(stringsMutex);
    chosenLanguage = std::move(language);
}

void Strings::reload() {
    std::lock_guard lock(stringsMutex);
    catalogues.clear();
}

} // namespace florelle
