// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusCommand.h"

#include "CliErrors.h"
#include "LocalDay.h"
#include "QuotedInput.h"
#include "StoreChecks.h"
#include "cycle/CycleInputs.h"
#include "cycle/PeriodEntry.h"
#include "cycle/PregnancyCountdown.h"
#include "cycle/TodayStatus.h"
#include "foundation/Strings.h"
#include "storage/DatabaseController.h"

#include <nlohmann/json.hpp>

namespace florelle::cli {

namespace {

// The main screen's display, told as fields. The kind is read off the
// cloud text the rules chose, so no rule is decided here again.
struct StatusFields {
    std::string kind;
    std::optional<int> periodDay;
    std::optional<int> daysLeft;
    std::optional<int> daysLate;
    std::optional<int> daysToBirth;
    std::optional<std::string> nextPeriod;
    std::string text;
};

const std::string* firstKey(const LocalizedText& text) {
    return text.arguments().empty() ? nullptr : std::get_if<std::string>(&text.arguments()[0]);
}

std::optional<int> numberIn(const LocalizedText& text) {
    for (const auto& argument : text.arguments()) {
        if (const int* number = std::get_if<int>(&argument)) {
            return *number;
        }
    }
    return std::nullopt;
}

std::string kindOf(const TodayDisplay& display, const TodayStatus::Inputs& inputs) {
    if (inputs.pregnant) {
        return "pregnant";
    }
    if (inputs.diaryEmpty) {
        return "none";
    }
    const std::string* key = firstKey(display.cloudText);
    if (!key || *key == "Select your start date Key") {
        return "due";
    }
    if (*key == "Period day Key") {
        return "period";
    }
    if (*key == "Period is Key") {
        return "late";
    }
    if (*key == "It's your ovulation day Key") {
        return "ovulation";
    }
    return *key == "Regular day Key" ? "regular" : "fertile";
}

StatusFields readStatus(const CliContext& context) {
    bool noPeriodOpen = checked(PeriodEntry::currentMode()) == PeriodEntry::Mode::start;
    const auto inputs = checked(CycleInputs::today(noPeriodOpen, context.now));
    auto display = TodayStatus::compute(inputs);
    StatusFields fields;
    fields.kind = kindOf(display, inputs);
    std::string cloud = display.cloudText.resolve();
    std::string centre = display.numberText.resolve();
    std::string caption = display.captionText.resolve();
    if (fields.kind == "pregnant") {
        fields.daysToBirth = PregnancyCountdown::daysToBirth(inputs.pregnantStart, inputs.now);
        fields.text = centre + " " + caption;
        return fields;
    }
    if (fields.kind == "none") {
        fields.text = cloud;
        return fields;
    }
    auto countdown = TodayStatus::remainingDaysCenter(inputs.remainingDays);
    fields.daysLeft = numberIn(countdown.numberText);
    if (fields.kind == "period") {
        fields.periodDay = numberIn(display.cloudText);
    } else if (fields.kind == "late") {
        fields.daysLate = numberIn(display.cloudText);
    }
    if (fields.kind != "late") {
        Date next = context.calendar.addingDays(context.now, *fields.daysLeft);
        fields.nextPeriod = LocalDay::format(next, context.calendar);
    }
    std::string countdownText =
        countdown.numberText.resolve() + " " + countdown.captionText.resolve();
    fields.text =
        cloud + " · " + (fields.kind == "period" ? centre + " " + caption : countdownText);
    return fields;
}

template <typename T> nlohmann::ordered_json orNull(const std::optional<T>& value) {
    return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json asJson(const StatusFields& fields) {
    return {{"kind", fields.kind},
            {"periodDay", orNull(fields.periodDay)},
            {"daysLeft", orNull(fields.daysLeft)},
            {"daysLate", orNull(fields.daysLate)},
            {"daysToBirth", orNull(fields.daysToBirth)},
            {"nextPeriod", orNull(fields.nextPeriod)},
            {"text", fields.text}};
}

// "{daysLeft}d" → "12d"; an empty field gives nothing; "{{" and "}}" are braces.
std::string formatted(const std::string& pattern, const nlohmann::ordered_json& fields) {
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.compare(i, 2, "{{") == 0 || pattern.compare(i, 2, "}}") == 0) {
            out += pattern[i++];
            continue;
        }
        if (pattern[i] != '{') {
            out += pattern[i];
            continue;
        }
        auto close = pattern.find('}', i);
        std::string name = pattern.substr(i + 1, close == std::string::npos ? 0 : close - i - 1);
        if (close == std::string::npos || !fields.contains(name)) {
            throw UsageError(
                "--format knows kind, periodDay, daysLeft, daysLate, daysToBirth, "
                "nextPeriod and text, not " +
                quotedInput(pattern.substr(i, close == std::string::npos ? std::string::npos
                                                                         : close - i + 1)));
        }
        const auto& value = fields[name];
        out += value.is_string() ? value.get<std::string>() : value.is_null() ? "" : value.dump();
        i = close;
    }
    return out;
}

} // namespace

void runStatusCommand(CliContext& context) {
    context.arguments.allowOnly({"json", "format"}, "status");
    context.arguments.allowWords(1, "status");
    if (context.arguments.flag("json") && context.arguments.option("format")) {
        throw UsageError("--json and --format cannot be used together");
    }
    auto fields = asJson(readStatus(context));
    if (auto pattern = context.arguments.option("format")) {
        context.out << formatted(*pattern, fields) << "\n";
    } else if (context.arguments.flag("json")) {
        context.out << fields.dump(2) << "\n";
    } else {
        context.out << fields["text"].get<std::string>() << "\n";
    }
}

} // namespace florelle::cli
