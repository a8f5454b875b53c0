// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsCommand.h"

#include "CliErrors.h"
#include "LocalDay.h"
#include "QuotedInput.h"
#include "StoreChecks.h"
#include "cycle/ReminderPlanner.h"
#include "foundation/Clock.h"
#include "reminders/ReminderScheduler.h"
#include "storage/DatabaseController.h"

#include <charconv>
#include <functional>
#include <iomanip>
#include <nlohmann/json.hpp>

namespace florelle::cli {

namespace {

using DC = DatabaseController;

// A setting as the command line names it. Numbers have the range the
// settings screens offer; choices have their two words.
struct Setting {
    std::string name;
    std::function<std::string()> read;
    std::function<void(const std::string&)> write;
};

int wholeNumber(const std::string& name, const std::string& text, int highest) {
    int value = -1;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > highest) {
        throw UsageError(name + " must be a whole number from 0 to " + std::to_string(highest) +
                         ", not " + quotedInput(text));
    }
    return value;
}

int choice(const std::string& name, const std::string& text, const char* yes, const char* no) {
    if (text == yes) {
        return 1;
    }
    if (text == no) {
        return 0;
    }
    throw UsageError(name + " must be " + yes + " or " + no + ", not " + quotedInput(text));
}

// Stores a reminder's days and plans both reminders anew, as the window's
// reminder settings do.
StoreStatus setReminder(int kind, int days) {
    LocalNotificationCenter center(LocalNotificationStore::standard());
    return ReminderScheduler(center).setNotification(kind, days);
}

// The reminders follow a changed cycle or period length at once, where the
// window replans them at its next activation.
std::function<StoreStatus(int)> replanningReminders(std::function<StoreStatus(int)> save) {
    return [save](int days) {
        checked(save(days));
        return setReminder(ReminderPlanner::periodKind, checked(DC::getPeriodNotification()));
    };
}

Setting number(const std::string& name, int highest, std::function<StoreResult<int>()> read,
               std::function<StoreStatus(int)> write) {
    return {name, [read] { return std::to_string(checked(read())); },
            [=](const std::string& text) { checked(write(wholeNumber(name, text, highest))); }};
}

std::vector<Setting> settings() {
    return {
        number("cycle-length", 59, DC::getCycleLength, replanningReminders(DC::saveCycleLength)),
        number("period-length", 19, DC::getPeriodLength, replanningReminders(DC::savePeriodLength)),
        number("ovulation-day", 59, DC::getOvulationDay, DC::saveOvulationDay),
        number("period-reminder", 29, DC::getPeriodNotification,
               [](int days) { return setReminder(ReminderPlanner::periodKind, days); }),
        number("fertile-reminder", 29, DC::getFertileNotification,
               [](int days) { return setReminder(ReminderPlanner::fertileKind, days); }),
        {"units", [] { return std::string(checked(DC::getSi()) ? "metric" : "imperial"); },
         [](const std::string& text) {
             checked(DC::saveSi(choice("units", text, "metric", "imperial")));
         }},
        {"pregnant", [] { return std::string(checked(DC::getPregnant()) == 1 ? "yes" : "no"); },
         [](const std::string& text) {
             // Saying yes again must not restart a countdown already running.
             int pregnant = choice("pregnant", text, "yes", "no");
             if (pregnant != checked(DC::getPregnant())) {
                 checked(DC::savePregnant(pregnant, Clock::current()->now()));
             }
         }},
    };
}

void show(CliContext& context) {
    if (context.arguments.flag("json")) {
        nlohmann::json object = nlohmann::json::object();
        for (const auto& setting : settings()) {
            std::string value = setting.read();
            bool numeric = !value.empty() && std::isdigit(static_cast<unsigned char>(value[0]));
            object[setting.name] =
                numeric ? nlohmann::json(std::stoi(value)) : nlohmann::json(value);
        }
        context.out << object.dump(2) << "\n";
        return;
    }
    for (const auto& setting : settings()) {
        context.out << std::left << std::setw(18) << setting.name << setting.read() << "\n";
    }
    if (checked(DC::getPregnant()) == 1) {
        Date since(static_cast<double>(checked(DC::getPregnantStartDate())));
        context.out << std::left << std::setw(18) << "pregnant-since"
                    << LocalDay::format(since, context.calendar) << "\n";
    }
}

} // namespace

void runSettingsCommand(CliContext& context) {
    const auto& arguments = context.arguments;
    if (arguments.word(1).empty()) {
        arguments.allowOnly({"json"}, "settings");
        show(context);
        return;
    }
    if (arguments.word(1) != "set") {
        throw UsageError("'settings' knows only 'set', not " + quotedInput(arguments.word(1)));
    }
    arguments.allowOnly({}, "settings set");
    arguments.allowWords(4, "settings set");
    for (const auto& setting : settings()) {
        if (setting.name == arguments.word(2)) {
            if (arguments.word(3).empty()) {
                throw UsageError("settings set " + setting.name + " needs a value");
            }
            setting.write(arguments.word(3));
            context.out << setting.name << " " << setting.read() << "\n";
            return;
        }
    }
    throw UsageError("there is no setting " + quotedInput(arguments.word(2)));
}

} // namespace florelle::cli
