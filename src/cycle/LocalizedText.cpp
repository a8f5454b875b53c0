// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalizedText.h"

#include "foundation/Format.h"
#include "foundation/Strings.h"

namespace florelle {

LocalizedText::LocalizedText(std::string pattern, std::vector<Argument> arguments)
    : pattern_(std::move(pattern)), arguments_(std::move(arguments)) {}

LocalizedText LocalizedText::key(std::string key) {
    return LocalizedText("%@", {std::move(key)});
}

LocalizedText LocalizedText::counted(std::string key, int count) {
    return LocalizedText("%@", {CountedKey{std::move(key), count}});
}

LocalizedText LocalizedText::number(int value) {
    return LocalizedText("%d", {value});
}

std::string LocalizedText::resolve() const {
    return resolve([](std::string_view key, std::optional<int> count) {
        return count ? Strings::localizedCount(key, *count) : Strings::localized(key);
    });
}

std::string LocalizedText::resolve(const Lookup& lookup) const {
    // The looked-up texts must outlive the format arguments that view them.
    std::vector<std::string> texts;
    texts.reserve(arguments_.size());
    std::vector<FormatArg> args;
    for (const auto& argument : arguments_) {
        if (const auto* key = std::get_if<std::string>(&argument)) {
            texts.push_back(lookup(*key, std::nullopt));
            args.emplace_back(std::string_view(texts.back()));
        } else if (const auto* counted = std::get_if<CountedKey>(&argument)) {
            texts.push_back(lookup(counted->key, counted->count));
            args.emplace_back(std::string_view(texts.back()));
        } else {
            args.emplace_back(std::get<int>(argument));
        }
    }
    return formatWithArgs(pattern_, args);
}

} // namespace florelle
