// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace florelle::cli {

// The words and options of one command line. Options take the forms
// "--name value", "--name=value" and, for flags, "--name". Neither a word
// nor an option's value is ever empty. An option may be given more than
// once; option() gives the last value, values() all of them.
class CliArguments {
public:
    // Throws UsageError for an option that is not known, an empty word or an
    // option with an empty value.
    CliArguments(const std::vector<std::string>& arguments);

    const std::vector<std::string>& words() const { return words_; }
    std::string word(size_t index) const { return index < words_.size() ? words_[index] : ""; }
    bool flag(const std::string& name) const { return flags_.count(name) > 0; }
    std::optional<std::string> option(const std::string& name) const;
    std::vector<std::string> values(const std::string& name) const;

    // Throws UsageError when an option given is not among `allowed`.
    void allowOnly(const std::set<std::string>& allowed, const std::string& command) const;
    // Throws UsageError when more words than `count` were given.
    void allowWords(size_t count, const std::string& command) const;

private:
    std::vector<std::string> words_;
    std::set<std::string> flags_;
    std::map<std::string, std::vector<std::string>> options_;
};

} // namespace florelle::cli
