// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "support/TestEnvironment.h"

#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace florelle::testing;

namespace {

class CliDayTest : public ::testing::Test {
protected:
    CliResult cli(std::vector<std::string> arguments, const std::string& language = "C.UTF-8") {
        arguments.insert(arguments.end(), {"--now", "2027-03-10T12:00"});
        return runCli(arguments, data_.path(), "Europe/Berlin", language);
    }
    nlohmann::json day(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"day", "2027-03-09", "--json"});
        auto result = cli(arguments);
        EXPECT_EQ(result.status, 0) << result.err;
        return result.status == 0 ? nlohmann::json::parse(result.out) : nlohmann::json();
    }
    std::string noteFile(const std::string& text) {
        auto file = data_.path() / "note.txt";
        std::ofstream(file, std::ios::binary) << text;
        return file.string();
    }
    TempDirectory data_;
};

using Json = nlohmann::json;

Json mood(const char* name) {
    return {{"name", name}, {"text", name}};
}

Json symptom(const char* name, int level, const char* text) {
    return {{"name", name}, {"level", level}, {"text", text}};
}

} // namespace

// Each step changes the day through the daily log's rules and prints the
// day as it is afterwards.
TEST_F(CliDayTest, ChangesFollowTheDailyLogsRules) {
    struct Step {
        std::vector<std::string> arguments;
        const char* field;
        Json expected;
    };
    const Step steps[] = {
        {{}, "moods", Json::array()},
        {{"--mood", "happy", "--mood", "Calm,Loving"},
         "moods",
         {mood("Happy"), mood("Calm"), mood("Loving")}},
        {{"--mood", "Happy"}, "moods", {mood("Happy"), mood("Calm"), mood("Loving")}},
        {{"--clear", "mood:calm"}, "moods", {mood("Happy"), mood("Loving")}},
        {{"--symptom", "Cramps:2", "--symptom", "tender breasts"},
         "symptoms",
         {symptom("Cramps", 2, "Cramps"), symptom("TenderBreasts", 1, "Tender breasts")}},
        // Another intensity of a symptom takes the place of the one chosen.
        {{"--symptom", "CRAMPS:3"},
         "symptoms",
         {symptom("Cramps", 3, "Cramps"), symptom("TenderBreasts", 1, "Tender breasts")}},
        {{"--clear", "symptom:TenderBreasts"}, "symptoms", {symptom("Cramps", 3, "Cramps")}},
        {{"--weight", "72,5"}, "weight", 72.5},
        {{"--temperature", "36.65"}, "temperature", 36.7},
        {{"--intimate", "yes"}, "intimate", true},
        {{"--note", "Long walk, then 'tea'"}, "note", "Long walk, then 'tea'"},
        {{"--note-file", "NOTE"}, "note", "First line\nsecond line"},
        // Clearing comes first, so this sets exactly these moods.
        {{"--clear", "moods", "--mood", "Tired"}, "moods", {mood("Tired")}},
        {{"--clear", "weight,temperature,intimate,note,symptoms"}, "weight", nullptr},
        {{}, "temperature", nullptr},
        {{}, "note", ""},
        {{}, "symptoms", Json::array()},
    };
    std::string note = noteFile("First line\nsecond line\n");
    for (const Step& step : steps) {
        std::vector<std::string> arguments = step.arguments;
        std::replace(arguments.begin(), arguments.end(), std::string("NOTE"), note);
        SCOPED_TRACE(::testing::PrintToString(arguments));
        auto shown = day(arguments);
        EXPECT_EQ(shown[step.field], step.expected) << shown.dump();
        EXPECT_EQ(shown["day"], "2027-03-09");
    }
}

TEST_F(CliDayTest, TheDayIsPrintedInTheUnitsAndLanguageSheReads) {
    ASSERT_EQ(cli({"settings", "set", "units", "imperial"}).status, 0);
    auto changed =
        cli({"day", "yesterday", "--mood", "Glücklich", "--symptom", "krämpfe:2", "--weight",
             "154.3", "--temperature", "98.6", "--intimate", "yes", "--note", "Erster\nZweiter"},
            "de_DE.UTF-8");
    ASSERT_EQ(changed.status, 0) << changed.err;
    // Written elsewhere: nothing in the note may steer her terminal.
    seedDatabase(data_.path(), "UPDATE note SET noteText = noteText || ' ' || char(27) || '[31m'");
    EXPECT_EQ(cli({"day", "yesterday"}, "de_DE.UTF-8").out, "day          2027-03-09\n"
                                                            "moods        Glücklich\n"
                                                            "symptoms     Krämpfe:2\n"
                                                            "weight       154.3 lbs\n"
                                                            "temperature  98.6 \u00B0F\n"
                                                            "intimate     yes\n"
                                                            "note         Erster\n"
                                                            "             Zweiter \\x1b[31m\n");
    auto json = nlohmann::json::parse(cli({"day", "2027-03-09", "--json"}).out);
    EXPECT_EQ(json["weight"], 154.3) << "read back in the unit it was written in";
    EXPECT_EQ(json["weightUnit"], "lbs");
    // Cleared in °F, a temperature is none, not 0 °F: the day is no longer
    // marked once everything else is cleared too.
    ASSERT_EQ(
        cli({"day", "2027-03-09", "--clear", "moods,symptoms,weight,temperature,note"}).status, 0);
    EXPECT_EQ(
        cli({"predict", "--kind", "marked", "--from", "2027-03-09", "--to", "2027-03-09"}).out, "");
    EXPECT_EQ(cli({"day", "2027-03-08"}).out, "day          2027-03-08\n"
                                              "moods        -\n"
                                              "symptoms     -\n"
                                              "weight       -\n"
                                              "temperature  -\n"
                                              "intimate     no\n"
                                              "note         -\n");
}

TEST_F(CliDayTest, RefusedChangesSayWhyAndChangeNothing) {
    ASSERT_EQ(cli({"day", "2027-03-09", "--mood", "Happy", "--weight", "60"}).status, 0);
    std::string note = noteFile(std::string(70 * 1024, 'a'));
    expectRefusedWithoutChange(
        {
            {{"day", "2027-03-09", "--mood", "Happy", "--mood", "Gloomy"},
             2,
             "there is no mood 'Gloomy'"},
            {{"day", "2027-03-09", "--symptom", "Cramps:4"}, 2, "intensity is 1, 2 or 3, not '4'"},
            {{"day", "2027-03-09", "--symptom", "Hiccups"}, 2, "there is no symptom 'Hiccups'"},
            {{"day", "2027-03-09", "--mood", "Sad", "--weight", "725"},
             2,
             "--weight '725': Please type a value from 20.0 to 300.0 kg."},
            {{"day", "2027-03-09", "--weight", "7.2.5"}, 2, "That is not a number."},
            {{"day", "2027-03-09", "--temperature", "98.6"}, 2, "from 34.0 to 43.0"},
            {{"day", "2027-03-09", "--intimate", "maybe"}, 2, "yes or no, not 'maybe'"},
            {{"day", "2027-03-09", "--clear", "mood"}, 2, "--clear knows moods"},
            {{"day", "2027-03-09", "--mood", "Happy,,Calm"}, 2, "an empty name"},
            {{"day", "2027-03-09", "--note", "a", "--note-file", note}, 2, "not both"},
            {{"day", "2027-03-09", "--note-file", note}, 2, "longer than 64 KiB"},
            {{"day", "2027-03-09", "--note-file", "/nonexistent/note"},
             1,
             "cannot read the note file"},
            {{"day", "2027-03-09", "--note", "bell\x07"}, 2, "without control characters"},
            {{"day", "2027-02-30", "--mood", "Happy"}, 2, "not a day of the calendar"},
            {{"day", "2027-03-09", "--kind", "moods"}, 2, "'day' does not take --kind"},
        },
        [this](const std::vector<std::string>& arguments) { return cli(arguments); }, data_.path());
    EXPECT_EQ(day({})["moods"], Json::array({mood("Happy")}));
}
