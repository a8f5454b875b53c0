// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfPages.h"
#include "foundation/Calendar.h"
#include "foundation/Locale.h"
#include "foundation/Strings.h"
#include "reports/CsvReport.h"
#include "reports/ReportExport.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "support/TestEnvironment.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sys/stat.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

struct Day {
    int year, month, day;
};

// Today is 1 March 2026, noon, unless a case says otherwise; the window of
// twelve months then reaches back to 6 March 2025. Texts are English, dates
// in the United States' style.
class ReportsTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        Locale::setCurrent("en_US");
        Strings::setLanguage("en");
        std::filesystem::create_directory(folder());
    }
    void TearDown() override {
        ::unsetenv("LANGUAGE");
        Strings::setLanguage(std::nullopt);
        Locale::setCurrent(std::nullopt);
        DiaryTest::TearDown();
    }

    std::filesystem::path folder() const { return documents_->path() / "out"; }
    static Date at(Day day) { return localDate(day.year, day.month, day.day); }
    static Date today() { return localDate(2026, 3, 1, 12); }
    static Date daysAgo(int days) {
        return Calendar::current().addingDays(at({2026, 3, 1}), -days);
    }

    ReportExport::Result write(std::vector<ReportFormat> formats, Date now = today()) {
        return ReportExport::write(folder(), formats,
                                   ReportWindow::lastMonths(12, now, Calendar::current()),
                                   Calendar::current());
    }
    std::filesystem::path file(ReportKind kind, ReportFormat format) const {
        return folder() / ReportExport::fileName(kind, format);
    }
    // The CSV text after its byte order mark.
    std::string csv(ReportKind kind) const {
        std::ifstream in(file(kind, ReportFormat::csv), std::ios::binary);
        std::string text(std::istreambuf_iterator<char>(in), {});
        EXPECT_TRUE(text.starts_with("\xEF\xBB\xBF"));
        return text.substr(std::min<size_t>(3, text.size()));
    }
    PdfPages pdf(ReportKind kind) const { return PdfPages::read(file(kind, ReportFormat::pdf)); }

    static void logPeriod(Date start, std::optional<Date> end) {
        ASSERT_TRUE(end ? DC::saveLog(start, *end) : DC::saveStartPeriod(start));
    }
    static void logDay(Date day, const std::vector<int>& moods, const std::vector<int>& symptoms) {
        int id = DC::openDay(day).value();
        for (int mood : moods) {
            ASSERT_TRUE(DC::saveUsedMood(mood, id));
        }
        for (int symptom : symptoms) {
            ASSERT_TRUE(DC::saveUsedSymptom(symptom, id));
        }
    }
    // A date as the United States' medium style writes it, spelled out here
    // so that the test does not lean on the formatter it checks.
    static std::string medium(Date date) {
        static const std::array<const char*, 12> months = {
            "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        DateComponents parts = Calendar::current().components(date);
        return std::string(months[parts.month - 1]) + " " + std::to_string(parts.day) + ", " +
               std::to_string(parts.year);
    }
    // Every word of every page lies within the page.
    static void expectWithinPages(const PdfPages& pages) {
        for (size_t index = 0; index < pages.pages.size(); ++index) {
            for (const auto& word : pages.pages[index].words) {
                EXPECT_GE(word.yMin, 0) << word.text << " on page " << index + 1;
                EXPECT_LE(word.yMax, pages.pages[index].height - 36)
                    << word.text << " on page " << index + 1;
            }
        }
    }
};

TEST_F(ReportsTest, CycleCsvListsThePeriodsOfTheWindowNewestFirstWithTheirCycles) {
    struct Period {
        Day start;
        std::optional<Day> end;
    };
    struct Case {
        const char* name;
        const char* zone;
        Day now;
        const char* range;
        std::vector<Period> periods;
        const char* rows;
    };
    const std::vector<Case> cases = {
        {"no period in the window", "UTC", {2026, 3, 1}, "(3/6/25-3/1/26)", {}, ""},
        {"the open period is the newest row",
         "UTC",
         {2026, 3, 1},
         "(3/6/25-3/1/26)",
         {{{2026, 1, 29}, Day{2026, 2, 2}}, {{2026, 2, 26}, std::nullopt}},
         "2/26/26,/,/   days\n1/29/26,2/2/26,28 days\n"},
        {"periods 30 and 2 days ago",
         "UTC",
         {2026, 3, 1},
         "(3/6/25-3/1/26)",
         {{{2026, 1, 30}, Day{2026, 2, 3}}, {{2026, 2, 27}, Day{2026, 3, 1}}},
         "2/27/26,3/1/26,/   days\n1/30/26,2/3/26,28 days\n"},
        {"only the period that ends inside the window's start",
         "UTC",
         {2026, 3, 1},
         "(3/6/25-3/1/26)",
         {{{2025, 2, 24}, Day{2025, 3, 1}}, {{2025, 3, 4}, Day{2025, 3, 8}}},
         "3/4/25,3/8/25,/   days\n"},
        // Local midnights an hour apart in UTC: still four whole weeks.
        {"a cycle across the spring clock change",
         "Europe/London",
         {2026, 5, 1},
         "(5/6/25-5/1/26)",
         {{{2026, 3, 20}, Day{2026, 3, 24}}, {{2026, 4, 17}, Day{2026, 4, 21}}},
         "4/17/26,4/21/26,/   days\n3/20/26,3/24/26,28 days\n"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        setTimeZone(test.zone);
        std::filesystem::remove(databaseFile());
        for (const Period& period : test.periods) {
            logPeriod(at(period.start),
                      period.end ? std::optional<Date>(at(*period.end)) : std::nullopt);
        }
        Date now = localDate(test.now.year, test.now.month, test.now.day, 12);
        ASSERT_TRUE(write({ReportFormat::csv}, now).ok());
        EXPECT_EQ(csv(ReportKind::cycle),
                  std::string("Cycle data for the last 12 months\n") + test.range +
                      "\n\nPERIOD START,PERIOD END,CYCLE LENGTH\n\n" + test.rows);
    }
}

TEST_F(ReportsTest, MoodsCsvListsEachLoggedDayWithItsMoodsBesideItsSymptoms) {
    logDay(at({2026, 3, 1}), {1}, {});
    logDay(at({2026, 2, 27}), {1, 2}, {1});
    logDay(at({2026, 2, 20}), {}, {4});
    logDay(at({2026, 2, 19}), {}, {}); // a day with only its empty note
    logDay(at({2025, 3, 7}), {3}, {}); // the window's oldest day
    logDay(at({2025, 3, 6}), {4}, {}); // a day before it
    ASSERT_TRUE(write({ReportFormat::csv}).ok());
    EXPECT_EQ(csv(ReportKind::moods), "Moods and symptoms for the last 12 months\n"
                                      "(3/6/25-3/1/26)\n\n"
                                      "DATE,MOODS,SYMPTOMS\n\n"
                                      "3/1/26\n ,Happy, \n\n"
                                      "2/27/26\n ,Happy,Cramps\n ,Calm, \n\n"
                                      "2/20/26\n , ,Headache\n\n"
                                      "3/7/25\n ,Energetic, \n\n");
}

TEST_F(ReportsTest, CsvFieldsAreQuotedAndNeverRunAsFormulas) {
    struct Case {
        const char* value;
        const char* field;
    };
    const std::vector<Case> cases = {
        {"2/27/26", "2/27/26"},
        {"Feb 27, 2026", "\"Feb 27, 2026\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"+1", "'+1"},
        {"-1", "'-1"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tTab", "'\tTab"},
        {"\rReturn", "\"'\rReturn\""},
        {"a-b", "a-b"},
        {"", ""},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(CsvReport::field(test.value), test.field) << test.value;
    }
    // A date with a comma stays in its column.
    CycleReport report{{"Cycle", "Mar 6, 2025", "Mar 1, 2026", {"A", "B", "C"}},
                       {{"Feb 27, 2026", "/", "/   days"}}};
    EXPECT_EQ(CsvReport::cycleText(report), "\xEF\xBB\xBF"
                                            "Cycle\n\"(Mar 6, 2025-Mar 1, 2026)\"\n\nA,B,C\n\n"
                                            "\"Feb 27, 2026\",/,/   days\n");
}

TEST_F(ReportsTest, CyclePdfContinuesOnNewPagesWithTheHeads) {
    // Fifteen periods of five days, three weeks apart, the newest first.
    std::vector<Date> starts;
    for (int i = 0; i < 15; ++i) {
        starts.push_back(Calendar::current().addingDays(at({2026, 2, 22}), -21 * i));
        logPeriod(starts.back(), Calendar::current().addingDays(starts.back(), 4));
    }
    auto written = write({ReportFormat::pdf});
    ASSERT_TRUE(written.ok());
    PdfPages pages = pdf(ReportKind::cycle);
    ASSERT_EQ(pages.pages.size(), 2u);
    EXPECT_TRUE(pages.fontsEmbedded);
    expectWithinPages(pages);
    const std::string& first = pages.pages[0].text;
    EXPECT_NE(first.find("Cycle data for the last 12 months"), std::string::npos);
    EXPECT_TRUE(std::regex_search(first, std::regex(R"(\(Mar 6, 2025\s+-\s+Mar 1, 2026\))")));
    for (const auto& page : pages.pages) {
        for (const char* head : {"PERIOD START", "PERIOD END", "CYCLE LENGTH"}) {
            EXPECT_NE(page.text.find(head), std::string::npos) << head;
        }
    }
    // Nine rows fit under the title, the other six go on the next page.
    for (int row = 1; row <= 15; ++row) {
        const Date& start = starts[row - 1];
        std::string cycle = row == 1 ? R"(/\s+days)" : "21 days";
        std::regex line(std::to_string(row) + R"(\.\s+)" + medium(start) + R"(\s+)" +
                        medium(Calendar::current().addingDays(start, 4)) + R"(\s+)" + cycle);
        EXPECT_TRUE(std::regex_search(pages.pages[row <= 9 ? 0 : 1].text, line)) << "row " << row;
    }
    EXPECT_LT(pages.pages[1].top("10."), pages.pages[0].top("1."));
}

TEST_F(ReportsTest, MoodsPdfStepsBelowTheLongerColumnAndPagesOnWithTheHeads) {
    // Forty logged days; today has two moods and one symptom.
    logDay(daysAgo(0), {1, 2}, {1});
    for (int day = 1; day < 40; ++day) {
        logDay(daysAgo(day), {1 + day % 18}, {});
    }
    ASSERT_TRUE(write({ReportFormat::pdf}).ok());
    PdfPages pages = pdf(ReportKind::moods);
    // Four days under the title, seven on each further page.
    ASSERT_EQ(pages.pages.size(), 7u);
    EXPECT_TRUE(pages.fontsEmbedded);
    expectWithinPages(pages);
    EXPECT_NEAR(pages.pages[0].top("2.") - pages.pages[0].top("1."), 150, 0.01);
    EXPECT_NEAR(pages.pages[0].top("3.") - pages.pages[0].top("2."), 100, 0.01);
    EXPECT_TRUE(std::regex_search(pages.pages[0].text,
                                  std::regex(R"(1\.\s+Mar 1, 2026\s+Happy\s+Cramps\n\s+Calm\n)")));
    for (size_t index = 1; index < pages.pages.size(); ++index) {
        const auto& page = pages.pages[index];
        for (const char* head : {"DATE", "MOODS", "SYMPTOMS"}) {
            EXPECT_GE(page.top(head), 0) << head << " on page " << index + 1;
        }
        // Each page's first day stands as far below the heads as on the first page.
        int first = 5 + 7 * static_cast<int>(index - 1);
        EXPECT_NEAR(page.top(std::to_string(first) + ".") - page.top("DATE"),
                    pages.pages[0].top("1.") - pages.pages[0].top("DATE"), 0.01);
    }
    EXPECT_GE(pages.pages[6].top("40."), 0);
}

TEST_F(ReportsTest, ADayWithMoreLinesThanAPageHoldsGoesOnOnTheNextPage) {
    std::vector<int> allMoods;
    for (int mood = 1; mood <= 18; ++mood) {
        allMoods.push_back(mood);
    }
    logDay(daysAgo(0), allMoods, {1});
    ASSERT_TRUE(write({ReportFormat::pdf}).ok());
    PdfPages pages = pdf(ReportKind::moods);
    ASSERT_EQ(pages.pages.size(), 2u);
    expectWithinPages(pages);
    EXPECT_GE(pages.pages[0].top("1."), 0);
    EXPECT_GE(pages.pages[1].top("MOODS"), 0);
    for (const char* mood : {"Happy", "Confused"}) {
        int shown = 0;
        for (const auto& page : pages.pages) {
            shown += page.top(mood) >= 0;
        }
        EXPECT_EQ(shown, 1) << mood;
    }
}

TEST_F(ReportsTest, GermanReportsUnderLanguageDe) {
    ::setenv("LANGUAGE", "de", 1);
    Strings::setLanguage(std::nullopt);
    Locale::setCurrent("de_DE");
    logPeriod(at({2026, 1, 30}), at({2026, 2, 3}));
    logPeriod(at({2026, 2, 27}), std::nullopt);
    logDay(at({2026, 2, 27}), {1}, {1});
    auto written = write({ReportFormat::pdf, ReportFormat::csv});
    ASSERT_TRUE(written.ok());
    std::vector<std::string> names;
    for (const auto& report : written.files) {
        names.push_back(report.path.filename().string() + " " + report.mimeType);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Florelle-Zyklus.pdf application/pdf",
                                               "Florelle-Stimmungen-Symptome.pdf application/pdf",
                                               "Periode.csv text/csv", "Symptome.csv text/csv"}));
    std::string cycle = pdf(ReportKind::cycle).pages.at(0).text;
    for (const char* text :
         {"Zyklusdaten der letzten 12 Monate", "ZYKLUSLÄNGE", "27.02.2026", "28 Tage"}) {
        EXPECT_NE(cycle.find(text), std::string::npos) << text;
    }
    std::string moods = pdf(ReportKind::moods).pages.at(0).text;
    EXPECT_TRUE(std::regex_search(moods, std::regex(R"(27\.02\.2026\s+Glücklich\s+Krämpfe)")));
    EXPECT_NE(csv(ReportKind::moods).find("27.02.26\n ,Glücklich,Krämpfe\n"), std::string::npos);
}

TEST_F(ReportsTest, EachReportReplacesItsFileWholeAndPrivately) {
    std::ofstream(file(ReportKind::cycle, ReportFormat::pdf)) << "an older report";
    ::chmod(file(ReportKind::cycle, ReportFormat::pdf).c_str(), 0644);
    auto written = write({ReportFormat::pdf});
    ASSERT_TRUE(written.ok());
    for (const auto& report : written.files) {
        struct stat status {};
        ASSERT_EQ(::stat(report.path.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, 0600u) << report.path;
    }
    EXPECT_EQ(pdf(ReportKind::cycle).pages.size(), 1u);
    // Nothing but the two reports in the folder: no temporary file is left.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder()), {}), 2);

    // A folder that is not there: the failure names the file, nothing is written.
    std::filesystem::remove_all(folder());
    auto failed = write({ReportFormat::csv});
    EXPECT_FALSE(failed.ok());
    EXPECT_EQ(failed.unwritten, file(ReportKind::cycle, ReportFormat::csv));
    EXPECT_EQ(failed.writeFailure, std::errc::no_such_file_or_directory);
    EXPECT_TRUE(failed.files.empty());
}

} // namespace
