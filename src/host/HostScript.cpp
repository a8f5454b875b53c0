// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostScript.h"

#include "HeadlessHost.h"

#include <cmath>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>
#include <vector>

namespace florelle {

namespace {

// Reads exactly `count` finite numbers and nothing else.
bool readNumbers(std::string_view arguments, std::size_t count, std::vector<double>& numbers) {
    std::istringstream stream{std::string(arguments)};
    numbers.clear();
    double value = 0;
    while (stream >> value) {
        if (!std::isfinite(value)) {
            return false;
        }
        numbers.push_back(value);
    }
    return stream.eof() && numbers.size() == count;
}

std::string_view trimmed(std::string_view text) {
    auto begin = text.find_first_not_of(" \t\r");
    if (begin == std::string_view::npos) {
        return {};
    }
    auto end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

std::optional<Key> keyNamed(std::string_view name) {
    static const std::pair<std::string_view, Key> names[] = {
        {"left", Key::left},        {"right", Key::right}, {"up", Key::up},
        {"down", Key::down},        {"enter", Key::enter}, {"pageup", Key::pageUp},
        {"pagedown", Key::pageDown}};
    for (const auto& [known, key] : names) {
        if (name == known) {
            return key;
        }
    }
    return std::nullopt;
}

} // namespace

bool HostScript::run(std::istream& script, std::string& error) {
    std::string line;
    int number = 0;
    while (std::getline(script, line)) {
        ++number;
        std::string reason;
        if (!runLine(line, reason)) {
            error = "line " + std::to_string(number) + ": " + reason;
            return false;
        }
    }
    return true;
}

bool HostScript::runLine(std::string_view line, std::string& error) {
    line = trimmed(line);
    if (line.empty() || line.front() == '#') {
        return true;
    }
    auto space = line.find_first_of(" \t");
    std::string_view command = line.substr(0, space);
    std::string_view arguments =
        space == std::string_view::npos ? std::string_view() : trimmed(line.substr(space));
    std::vector<double> numbers;

    if (command == "tap") {
        if (!readNumbers(arguments, 2, numbers)) {
            error = "tap needs X Y";
            return false;
        }
        host_.tap({numbers[0], numbers[1]});
    } else if (command == "drag") {
        if (!readNumbers(arguments, 4, numbers)) {
            error = "drag needs X1 Y1 X2 Y2";
            return false;
        }
        host_.drag({numbers[0], numbers[1]}, {numbers[2], numbers[3]});
    } else if (command == "type") {
        host_.type(arguments);
    } else if (command == "key") {
        auto key = keyNamed(arguments);
        if (!key) {
            error = "key needs left, right, up, down, enter, pageup or pagedown";
            return false;
        }
        host_.press(*key);
    } else if (command == "wait") {
        if (!readNumbers(arguments, 1, numbers) || numbers[0] < 0) {
            error = "wait needs a number of seconds, 0 or more";
            return false;
        }
        host_.advance(numbers[0]);
    } else if (command == "screenshot") {
        if (arguments.empty()) {
            error = "screenshot needs a file name";
            return false;
        }
        if (!host_.screenshot(std::string(arguments))) {
            error = "cannot write " + std::string(arguments);
            return false;
        }
        output_ << "screenshot " << arguments << '\n';
    } else if (command == "dump") {
        output_ << host_.dump() << std::flush;
    } else if (command == "frames") {
        host_.present();
        output_ << host_.screen().describeFrames() << '\n';
    } else {
        error = "unknown command \"" + std::string(command) + "\"";
        return false;
    }
    return true;
}

} // namespace florelle
