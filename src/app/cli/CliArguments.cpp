// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliArguments.h"

#include "CliErrors.h"
#include "QuotedInput.h"

namespace florelle::cli {

namespace {

const std::set<std::string> valueOptions = {
    "data-dir", "now",       "format",  "from",   "to",          "kind",
    "months",   "mood",      "symptom", "weight", "temperature", "intimate",
    "note",     "note-file", "clear",   "server", "user"};
// Options every command takes.
const std::set<std::string> commonOptions = {"data-dir", "now"};
const std::set<std::string> flagOptions = {"json", "help",    "pdf",
                                           "csv",  "dry-run", "password-stdin"};

} // namespace

CliArguments::CliArguments(const std::vector<std::string>& arguments) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-h") {
            flags_.insert("help");
            continue;
        }
        if (argument.empty()) {
            // An empty variable in a script would otherwise pass for a left-out word.
            throw UsageError("an empty argument" + (words_.empty()
                                                        ? std::string()
                                                        : " after " + quotedInput(words_.back())));
        }
        if (!argument.starts_with("--") || argument == "--") {
            words_.push_back(argument);
            continue;
        }
        std::string name = argument.substr(2);
        std::optional<std::string> value;
        if (auto equals = name.find('='); equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        if (flagOptions.count(name) && !value) {
            flags_.insert(name);
        } else if (valueOptions.count(name)) {
            if (!value) {
                if (i + 1 >= arguments.size()) {
                    throw UsageError("--" + name + " needs a value");
                }
                value = arguments[++i];
            }
            if (value->empty()) {
                throw UsageError("--" + name + " needs a value, not an empty one");
            }
            options_[name].push_back(*value);
        } else {
            throw UsageError("unknown option " + quotedInput(argument));
        }
    }
}

std::optional<std::string> CliArguments::option(const std::string& name) const {
    auto found = options_.find(name);
    return found == options_.end() ? std::nullopt : std::optional(found->second.back());
}

std::vector<std::string> CliArguments::values(const std::string& name) const {
    auto found = options_.find(name);
    return found == options_.end() ? std::vector<std::string>() : found->second;
}

void CliArguments::allowOnly(const std::set<std::string>& allowed,
                             const std::string& command) const {
    for (const auto& name : flags_) {
        if (name != "help" && !allowed.count(name)) {
            throw UsageError("'" + command + "' does not take --" + name);
        }
    }
    for (const auto& [name, value] : options_) {
        if (!commonOptions.count(name) && !allowed.count(name)) {
            throw UsageError("'" + command + "' does not take --" + name);
        }
    }
}

void CliArguments::allowWords(size_t count, const std::string& command) const {
    if (words_.size() > count) {
        throw UsageError("'" + command + "' does not expect " + quotedInput(words_[count]));
    }
}

} // namespace florelle::cli
