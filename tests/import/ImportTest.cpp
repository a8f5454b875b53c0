// SPDX-License-Identifier: GPL-3.0-or-later
#include "cycle/DailyLogCatalogue.h"
#include "cycle/DailyLogEntry.h"
#include "cycle/PastPeriodEntry.h"
#include "import/ImportDays.h"
#include "import/ImportMerge.h"
#include "import/ImportReader.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

const char* const dripHeader = "date,temperature.value,temperature.exclude,bleeding.value,"
                               "bleeding.exclude,note.value,mood.happy,mood.balanced,pain.cramps,"
                               "pain.ovulationPain,sex.partner,sex.condom,mucus.value\n";

std::string isoDay(ImportDay day) {
    return ImportDays::format(day);
}

ImportDay importDay(const char* text) {
    return ImportDays::parse(text).value();
}

// A year of drip rows, 2025-03-03 onwards: a period every 28 days whose
// third day has no row, spotting three days before each, a bleeding day in
// the middle of each cycle that drip leaves out, and a temperature on every
// tenth day. Days without anything have no row, as in drip's files.
std::string dripYear() {
    std::string text = dripHeader;
    ImportDay start = importDay("2025-03-03");
    for (int day = 0; day < 12 * 28; ++day) {
        std::string date = isoDay(start + std::chrono::days(day));
        int inCycle = day % 28;
        std::string bleeding, excluded = "false";
        if (inCycle == 0 || inCycle == 1 || inCycle == 3) {
            bleeding = inCycle == 0 ? "3" : "1";
        } else if (inCycle == 25) {
            bleeding = "0";
        } else if (inCycle == 14) {
            bleeding = "2";
            excluded = "true";
        }
        std::string temperature = day % 10 == 0 ? "36.55" : "";
        if (bleeding.empty() && temperature.empty()) {
            continue;
        }
        bool first = inCycle == 0;
        text += date + "," + temperature + ",false," + bleeding + "," + excluded + "," +
                (first ? "\"Ouch, again\"" : "") + "," + (first ? "true" : "false") + "," +
                (first ? "true" : "") + "," + (first ? "true" : "false") + "," +
                (first ? "true" : "false") + "," + (first ? "true" : "false") + "," +
                (first ? "true" : "false") + "," + (first ? "2" : "") + "\n";
    }
    return text;
}

std::vector<std::pair<std::string, std::string>>
periodsOf(const std::vector<ImportedPeriod>& list) {
    std::vector<std::pair<std::string, std::string>> periods;
    for (const auto& period : list) {
        periods.emplace_back(isoDay(period.first), isoDay(period.last));
    }
    return periods;
}

class ImportTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        clock_->set(localDate(2026, 3, 10, 12));
        catalogue_ = DailyLogCatalogue::read().value();
    }

    ImportPlan plan(const std::string& text, std::optional<ImportFormat> format = std::nullopt) {
        return ImportReader::read(text, format, catalogue_);
    }

    std::vector<std::pair<std::string, std::string>> storedPeriods() {
        std::vector<ImportedPeriod> list;
        auto logged = PastPeriodEntry::loggedPeriods();
        for (const auto& period : logged.value()) {
            list.push_back({ImportDays::dayOf(period.start, calendar_),
                            ImportDays::dayOf(period.end, calendar_)});
        }
        return periodsOf(list);
    }

    DailyLogEntry::Day storedDay(const char* day) {
        return DailyLogEntry::read(ImportDays::localMidnight(importDay(day), calendar_)).value();
    }

    int mood(const char* name) { return catalogue_.findMood(name).value(); }
    int symptom(const char* name, int level = 1) {
        return catalogue_.findSymptom(name, level).value();
    }

    Calendar calendar_ = Calendar::current();
    DailyLogCatalogue catalogue_;
};

struct FormatCase {
    const char* what;
    std::string text;
    ImportFormat format;
    std::vector<std::pair<std::string, std::string>> periods;
    // One day of the file and its log once imported.
    const char* day;
    std::vector<const char*> moods;
    std::vector<std::pair<const char*, int>> symptoms;
    double temperature;
    bool intimate;
    std::string note;
};

} // namespace

// Each format as the other app writes it, detected from its content, read
// into periods (a one-day gap joins, spotting and left-out bleeding do not
// count) and day logs, and stored.
TEST_F(ImportTest, ReadsEachFormatIntoPeriodsAndDayLogs) {
    std::vector<std::pair<std::string, std::string>> dripPeriods;
    for (int cycle = 0; cycle < 12; ++cycle) {
        ImportDay first = importDay("2025-03-03") + std::chrono::days(28 * cycle);
        dripPeriods.emplace_back(isoDay(first), isoDay(first + std::chrono::days(3)));
    }
    const std::vector<FormatCase> cases = {
        {"a year of drip",
         dripYear(),
         ImportFormat::drip,
         dripPeriods,
         "2025-03-03",
         {"Happy"},
         {{"Cramps", 1}},
         36.55,
         true,
         "Ouch, again\nFrom drip: mood balanced, ovulation pain, sex condom, mucus: 2"},
        {"drip spotting",
         dripYear(),
         ImportFormat::drip,
         dripPeriods,
         "2025-03-28",
         {},
         {{"Spotting", 1}},
         0,
         false,
         ""},
        {"drip left out",
         dripYear(),
         ImportFormat::drip,
         dripPeriods,
         "2025-03-17",
         {},
         {},
         0,
         false,
         "From drip: bleeding left out of the cycle"},
        {"a Clue array",
         R"([
  {"type": "period", "date": "2026-01-05", "value": {"option": "heavy"}},
  {"type": "period", "date": "2026-01-06", "value": {"option": "medium"}},
  {"type": "period", "date": "2026-01-08", "value": {"option": "light"}},
  {"type": "period", "date": "2026-01-20", "value": {"option": "spotting"}},
  {"type": "feelings", "date": "2026-01-06", "value": [{"option": "happy"}, {"option": "pms"}]},
  {"type": "pain", "date": "2026-01-06", "value": [{"option": "cramps"}, {"option": "tender_breasts"}]},
  {"type": "energy", "date": "2026-01-06", "value": {"option": "exhausted"}},
  {"type": "sex", "date": "2026-01-06", "value": [{"option": "protected"}]},
  {"type": "period", "date": "2026-02-03", "value": {"option": "medium"}}
])",
         ImportFormat::clue,
         {{"2026-01-05", "2026-01-08"}, {"2026-02-03", "2026-02-03"}},
         "2026-01-06",
         {"Happy"},
         {{"Cramps", 1}, {"TenderBreasts", 1}},
         0,
         true,
         "From Clue: mood pms, energy: exhausted"},
        {"plain CSV of periods",
         "start,end\r\n2026-01-05,2026-01-09\r\n2026-02-02 , 2026-02-06\r\n",
         ImportFormat::csv,
         {{"2026-01-05", "2026-01-09"}, {"2026-02-02", "2026-02-06"}},
         "2026-01-05",
         {},
         {},
         0,
         false,
         ""},
        {"plain CSV of bleeding days",
         "2026-01-05\n2026-01-06\n2026-01-08\n\n2026-01-12\n",
         ImportFormat::csv,
         {{"2026-01-05", "2026-01-08"}, {"2026-01-12", "2026-01-12"}},
         "2026-01-05",
         {},
         {},
         0,
         false,
         ""},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        ASSERT_EQ(ImportReader::detect(c.text), c.format);
        auto imported = plan(c.text);
        EXPECT_EQ(periodsOf(imported.periods), c.periods);

        auto outcome = ImportMerge::apply(imported, calendar_, clock_->now());
        ASSERT_FALSE(outcome.error);
        EXPECT_EQ(periodsOf(outcome.added), c.periods);
        EXPECT_EQ(storedPeriods(), c.periods);
        auto day = storedDay(c.day);
        std::vector<int> moods, symptoms;
        for (const char* name : c.moods) {
            moods.push_back(mood(name));
        }
        for (const auto& [name, level] : c.symptoms) {
            symptoms.push_back(symptom(name, level));
        }
        EXPECT_EQ(day.moods, moods);
        EXPECT_EQ(day.symptoms, symptoms);
        EXPECT_NEAR(day.temperature, c.temperature, 0.001);
        EXPECT_EQ(day.intimate, c.intimate);
        EXPECT_EQ(day.note, c.note);
        TearDown();
    }
    SetUp();
}

// A file that is not what it claims is refused whole, naming the line.
TEST_F(ImportTest, RefusesMalformedFilesWithTheLine) {
    struct Case {
        const char* what;
        std::string text;
        std::optional<ImportFormat> format;
        int line;
        std::string reason;
    };
    std::string dripRow = "2026-01-05,36.5,false,2,false,,false,false,false,false,false,false,\n";
    const std::vector<Case> cases = {
        {"drip: a bad date", std::string(dripHeader) + dripRow + "2026-02-30" + dripRow.substr(10),
         std::nullopt, 3, "not a date: 2026-02-30"},
        {"drip: a column too many",
         std::string(dripHeader) + dripRow + "2026-01-06,x," + dripRow.substr(11), std::nullopt, 3,
         "14 columns where the header has 13"},
        {"drip: bleeding out of range", std::string(dripHeader) + "2026-01-05,,,4,,,,,,,,,\n",
         std::nullopt, 2, "bleeding.value is 0 to 3, not 4"},
        {"drip: a quote never closed", std::string(dripHeader) + "2026-01-05,,,,,\"open,,,,,,,\n",
         std::nullopt, 2, "a quoted field is never closed"},
        {"Clue: not an array", "\n\n{\"type\": \"period\", \"date\": \"2026-01-05\"}", std::nullopt,
         3, "not a JSON array of measurements"},
        {"Clue: broken JSON", "[\n  {\"type\": \"period\",\n   \"date\": 2026-01-05}\n]",
         std::nullopt, 3, "not valid JSON"},
        {"Clue: no date",
         "[\n  {\"type\": \"period\", \"date\": \"2026-01-05\"},\n\n  {\"type\": \"pain\"}\n]",
         std::nullopt, 4, "a measurement needs a type and a date"},
        {"CSV: a bad date", "start,end\n2026-01-05,2026-01-09\n2026-01-32,2026-02-02\n",
         std::nullopt, 3, "not a date: 2026-01-32"},
        {"CSV: three columns", "2026-01-05,2026-01-09,heavy\n", std::nullopt, 1,
         "3 columns where 1 (a bleeding day) or 2 (a period's first and last day) belong"},
        {"CSV: a row of another width", "2026-01-05,2026-01-09\n2026-02-05\n", std::nullopt, 2,
         "1 column where the first row has 2"},
        {"CSV: ends before it starts", "2026-01-09,2026-01-05\n", std::nullopt, 1,
         "the period ends before it starts"},
        {"CSV: periods overlap",
         "2026-01-05,2026-01-09\n2026-02-01,2026-02-04\n2026-01-09,2026-01-12\n", std::nullopt, 3,
         "overlaps the period on line 1"},
        {"a drip file read as Clue", std::string(dripHeader) + dripRow, ImportFormat::clue, 1,
         "not valid JSON"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            plan(c.text, c.format);
            ADD_FAILURE() << "read without complaint";
        } catch (const MalformedImport& malformed) {
            EXPECT_EQ(malformed.line(), c.line);
            EXPECT_EQ(malformed.what(), c.reason);
        }
    }
}

// Periods that meet logged ones are listed and left out; a day's own note
// and temperature stay, its moods and symptoms gain the file's; the preview
// tells exactly what the import then does, and a second import adds nothing.
TEST_F(ImportTest, KeepsWhatTheDiaryHoldsAndListsWhatItSkips) {
    ASSERT_TRUE(DC::saveLog(localDate(2026, 1, 5), localDate(2026, 1, 9)));
    ASSERT_TRUE(DC::saveStartPeriod(localDate(2026, 3, 1)));
    DailyLogEntry::Change own;
    own.note = "my own words";
    own.temperature = 36.9;
    own.symptomsChosen = {symptom("Cramps", 3)};
    ASSERT_TRUE(DailyLogEntry::apply(localDate(2026, 1, 12), own, clock_->now()).value());

    // Bleeding days three days apart or more are periods of their own.
    std::string text = std::string(dripHeader) + "2026-01-01,,,2,,,,,,,,,\n" // two days before
                                                 "2026-01-04,,,2,,,,,,,,,\n" // touches
                                                 "2026-01-08,,,2,,,,,,,,,\n" // overlaps
                                                 "2026-01-11,,,2,,,,,,,,,\n" // a day between
                                                 "2026-01-12,36.2,,2,,their words,true,,true,,,,\n"
                                                 "2026-02-10,,,3,,,,,,,,,\n"
                                                 "2026-02-28,,,3,,,,,,,,,\n" // touches the open one
                                                 "2026-03-12,,,1,,,,,,,,,\n"; // after today
    auto imported = plan(text);
    auto preview = ImportMerge::preview(imported, calendar_, clock_->now());
    auto outcome = ImportMerge::apply(imported, calendar_, clock_->now());
    ASSERT_FALSE(outcome.error);

    using Skip = ImportMerge::SkipReason;
    using Span = std::pair<std::string, std::string>;
    std::vector<std::pair<Span, Skip>> skipped;
    for (const auto& skip : outcome.skipped) {
        skipped.push_back({{isoDay(skip.period.first), isoDay(skip.period.last)}, skip.reason});
    }
    EXPECT_EQ(skipped, (std::vector<std::pair<Span, Skip>>{
                           {{"2026-01-04", "2026-01-04"}, Skip::meetsLoggedPeriod},
                           {{"2026-01-08", "2026-01-08"}, Skip::meetsLoggedPeriod},
                           {{"2026-02-28", "2026-02-28"}, Skip::meetsLoggedPeriod},
                           {{"2026-03-12", "2026-03-12"}, Skip::afterToday}}));
    EXPECT_EQ(periodsOf(outcome.added), (std::vector<Span>{{"2026-01-01", "2026-01-01"},
                                                           {"2026-01-11", "2026-01-12"},
                                                           {"2026-02-10", "2026-02-10"}}));
    EXPECT_EQ(periodsOf(preview.added), periodsOf(outcome.added));
    EXPECT_EQ(preview.skipped.size(), outcome.skipped.size());
    EXPECT_EQ(preview.daysChanged, 1);
    EXPECT_EQ(outcome.daysChanged, 1);
    EXPECT_EQ(outcome.notesKept, 1);

    auto day = storedDay("2026-01-12");
    EXPECT_EQ(day.note, "my own words");
    EXPECT_NEAR(day.temperature, 36.9, 0.001);
    EXPECT_EQ(day.moods, std::vector<int>{mood("Happy")});
    EXPECT_EQ(day.symptoms, std::vector<int>{symptom("Cramps", 3)});

    auto again = ImportMerge::apply(imported, calendar_, clock_->now());
    EXPECT_TRUE(again.added.empty());
    EXPECT_EQ(again.daysChanged, 0);
}

// Twelve imported cycles of 30 days are what the predictions count from.
TEST_F(ImportTest, PredictionsFollowImportedCycles) {
    ASSERT_TRUE(DC::saveCycleLength(30));
    ASSERT_TRUE(DC::savePeriodLength(5));
    std::string text = "start,end\n";
    ImportDay first = importDay("2025-03-20");
    for (int cycle = 0; cycle < 12; ++cycle) {
        ImportDay start = first + std::chrono::days(30 * cycle);
        text += isoDay(start) + "," + isoDay(start + std::chrono::days(4)) + "\n";
    }
    ASSERT_FALSE(ImportMerge::apply(plan(text), calendar_, clock_->now()).error);

    auto statistics = DC::getCycleStatistics().value();
    EXPECT_EQ(statistics.shortest, 30);
    EXPECT_EQ(statistics.longest, 30);
    // The latest imported start, 2026-02-13, one cycle on.
    EXPECT_EQ(DC::getRemainingDays(clock_->now()).value(), 5);
    auto predicted = localDays(
        DC::getPeriodDatesFrom(localDate(2026, 3, 11), localDate(2026, 3, 31), clock_->now())
            .value());
    EXPECT_EQ(predicted, dayRun(2026, 3, 15, 5));
}
