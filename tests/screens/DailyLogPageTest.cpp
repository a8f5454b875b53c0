// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "foundation/Clock.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Strings.h"
#include "screens/DiaryActions.h"
#include "screens/NotesBottomBar.h"
#include "screens/NotesGlobalController.h"
#include "screens/NotesMeasureSection.h"
#include "storage/DatabaseController.h"
#include "storage/Row.h"
#include "storage/SQLiteAccess.h"
#include "support/LocalDays.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/TextField.h"
#include "ui/TextView.h"

#include <cstdio>
#include <nlohmann/json.hpp>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;
using Section = NotesGlobalController::Section;

int hasData(int dateId) {
    return static_cast<int>(Row::integerValue(
        SQLiteAccess::selectOneValueSQL("SELECT hasData FROM dates WHERE id = ?", {dateId})
            .value()));
}

class DailyLogPageTest : public MainScreenTest {
protected:
    void open() {
        launch(localDate(2026, 3, 10, 12));
        openPetal(MainPageKind::notes);
    }
    NotesGlobalController& log() const {
        return dynamic_cast<NotesGlobalController&>(main().page(MainPageKind::notes));
    }
    void showSection(int section) {
        if (section >= Section::weight) {
            log().scrollToRight();
        } else {
            log().scrollToLeft();
        }
        host().advance(1);
        tapView(log().sectionButton(section));
    }
    // Types into the weight or temperature field and ends typing with the OK button.
    void enter(NotesMeasureSection& section, const std::string& typed) {
        section.textField().setText("");
        tapView(section.textField());
        host().type(typed);
        tapView(log().keyboardDownBtn());
    }
    int today() const { return DC::getDateIdForDate(localDate(2026, 3, 10, 12)).value(); }
    // florelle-cli on the same diary, at the test's moment; what it prints.
    std::string cli(const std::string& arguments) {
        std::string command = "TZ=UTC LANG=C.UTF-8 " + std::string(FLORELLE_CLI_PATH) +
                              " day 2026-03-10 " + arguments + " --now 2026-03-10T12:00" +
                              " --data-dir '" +
                              databaseFile().parent_path().parent_path().string() + "'";
        FILE* pipe = popen(command.c_str(), "r");
        std::string out;
        char buffer[4096];
        for (size_t count; (count = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            out.append(buffer, count);
        }
        EXPECT_EQ(pclose(pipe), 0) << command;
        return out;
    }
};

TEST_F(DailyLogPageTest, EveryChoiceIsStoredAtOnceAndCountedOncePerKind) {
    open();
    EXPECT_EQ(log().usedDateId(), today());
    ASSERT_NE(today(), 0);

    showSection(Section::moods);
    tapView(log().moodButton(2));
    EXPECT_EQ(DC::getMoodsForDateId(today())->size(), 1u);
    EXPECT_EQ(hasData(today()), 1);

    showSection(Section::symptoms);
    tapView(log().symptomButton(1));
    tapView(log().symptomButton(2)); // another intensity of the same symptom replaces it
    auto symptoms = DC::getSymptomsForDateId(today()).value();
    ASSERT_EQ(symptoms.size(), 1u);
    EXPECT_EQ(symptoms[0].integer("id"), 2);
    EXPECT_EQ(log().bottomBar().visiblePictures(),
              std::vector<std::string>{*symptoms[0].text("symptomName") + ".png"});
    EXPECT_EQ(hasData(today()), 2);

    showSection(Section::weight);
    EXPECT_EQ(DC::getWeightForDateId(today()), 0); // opening stores no made-up weight
    enter(log().weightSection(), "72.5");
    EXPECT_DOUBLE_EQ(DC::getWeightForDateId(today()).value(), 72.5);
    EXPECT_EQ(log().weightSection().valueLbl().text(), "72.5 kg");
    EXPECT_EQ(hasData(today()), 3);

    showSection(Section::notes);
    tapView(log().noteView());
    host().type("Long walk");
    // Stored with each keystroke, before typing ends.
    EXPECT_EQ(DC::getNoteForDateId(today()), "Long walk");
    keepScreenshot("daily-log-note");
    tapView(log().keyboardDownBtn());
    EXPECT_EQ(hasData(today()), 4);

    tapView(log().infoBtn());
    EXPECT_EQ(log().infoView().alpha(), 1);
    tapView(log().infoView());
    EXPECT_EQ(log().infoView().alpha(), 0);

    tapView(log().intimateBtn());
    EXPECT_EQ(DC::getIntimateForDate(today()), true);
    EXPECT_EQ(hasData(today()), 4);

    showSection(Section::moods);
    tapView(log().moodButton(2));
    EXPECT_TRUE(DC::getMoodsForDateId(today())->empty());
    EXPECT_FALSE(log().isUp());
    EXPECT_EQ(hasData(today()), 3);
}

// A chosen section fades in; the bar of chosen moods slides up into sight
// and, emptied, slides down and fades away. A chosen mood is marked, at full
// strength, and the note is written in the handwriting face.
TEST_F(DailyLogPageTest, SectionsFadeInAndTheBarSlidesWithTheChoices) {
    open();
    EXPECT_EQ(log().noteView().font().name(), "ChalkboardSE-Regular");
    tapView(log().sectionButton(Section::moods), 0.1);
    double fading = log().moodsScrollView().presentationAlpha();
    EXPECT_GT(fading, 0);
    EXPECT_LT(fading, 1);
    host().advance(1);

    tapView(log().moodButton(2), 0.2);
    EXPECT_TRUE(log().moodButton(2).isSelected());
    EXPECT_EQ(log().moodButton(2).alpha(), 1);
    double rising = log().bottomBar().presentationFrame().minY();
    EXPECT_GT(rising, 371);
    EXPECT_LT(rising, 424);
    host().advance(1);
    EXPECT_EQ(log().bottomBar().presentationFrame().minY(), 371);
    EXPECT_EQ(log().bottomBar().presentationAlpha(), 1);
    keepScreenshot("daily-log-moods");

    tapView(log().moodButton(2));
    EXPECT_FALSE(log().moodButton(2).isSelected());
    EXPECT_EQ(log().bottomBar().presentationFrame().minY(), 424);
    EXPECT_EQ(log().bottomBar().presentationAlpha(), 0);
}

TEST_F(DailyLogPageTest, SwitchingDaysShowsThatDaysValuesAndKeepsTyping) {
    int earlier = DC::openDay(localDate(2026, 3, 2, 12)).value();
    ASSERT_TRUE(DC::saveNote("Headache all day", earlier, Clock::current()->now()));
    ASSERT_TRUE(DC::saveIntimate(1, earlier));
    ASSERT_TRUE(DC::saveUsedMood(3, earlier));
    ASSERT_TRUE(DC::saveWeight(61.2, earlier));
    open();
    showSection(Section::notes);
    tapView(log().noteView());
    host().type("Today");

    main().scrollToNotesWithDate(localDate(2026, 3, 2, 23, 59));
    host().advance(1);
    EXPECT_EQ(DC::getNoteForDateId(today()), "Today");
    EXPECT_EQ(log().usedDateId(), earlier);
    EXPECT_EQ(log().noteView().text(), "Headache all day");
    EXPECT_TRUE(log().intimateToday());
    EXPECT_TRUE(log().moodButton(3).isSelected());
    EXPECT_FALSE(log().moodButton(1).isSelected());
    showSection(Section::weight);
    EXPECT_EQ(log().weightSection().textField().text(), "61.2");

    log().makeUsedDate(localDate(2026, 3, 10, 23, 59));
    EXPECT_EQ(log().noteView().text(), "Today");
    EXPECT_FALSE(log().intimateToday());
    EXPECT_FALSE(log().moodButton(3).isSelected());
    showSection(Section::weight);
    EXPECT_EQ(log().weightSection().textField().text(), "");
}

TEST_F(DailyLogPageTest, UnitSwitchShowsConvertedValuesAndEntersInTheNewUnit) {
    open();
    ASSERT_TRUE(DC::saveWeight(60, today()));
    ASSERT_TRUE(DC::saveTemperature(36.6, today()));
    ASSERT_TRUE(DC::saveSi(0));
    main().setSi(0);
    showSection(Section::weight);
    EXPECT_EQ(log().weightSection().textField().text(), "132.3"); // 1 lb = 0.45359237 kg
    EXPECT_EQ(log().weightSection().unitLbl().text(), "lbs");
    // Confirming the converted value unchanged does not store it back rounded.
    tapView(log().weightSection().textField());
    tapView(log().keyboardDownBtn());
    EXPECT_DOUBLE_EQ(DC::getWeightForDateId(today()).value(), 60 / 0.45359237);
    showSection(Section::temperature);
    EXPECT_EQ(log().temperatureSection().valueLbl().text(), "97.9 \u00B0F");

    enter(log().temperatureSection(), "98.6");
    ASSERT_TRUE(DC::saveSi(1));
    main().setSi(1);
    EXPECT_EQ(log().temperatureSection().valueLbl().text(), "37.0 \u00B0C");
    EXPECT_DOUBLE_EQ(DC::getWeightForDateId(today()).value(), 60);

    // Cleared in °F, the temperature is none: stored as 0, read as none.
    ASSERT_TRUE(DC::saveSi(0));
    main().setSi(0);
    enter(log().temperatureSection(), "");
    EXPECT_EQ(
        Row::doubleValue(SQLiteAccess::selectOneValueSQL(
                             "SELECT temperature FROM temperatures WHERE dateId = ?", {today()})
                             .value()),
        0);
    EXPECT_EQ(DC::getTemperatureForDateId(today()), 0);
    showSection(Section::notes);
    showSection(Section::temperature);
    EXPECT_EQ(log().temperatureSection().textField().text(), "");
}

TEST_F(DailyLogPageTest, BadInputIsRefusedAndNothingIsStored) {
    struct Case {
        int section;
        const char* typed;
        const char* refusalKey;
    };
    const Case cases[] = {
        {Section::weight, "7.2.5", "Not a number Key"},
        {Section::weight, "725", "Out of range Key"},
        {Section::weight, "abc", "Not a number Key"},
        {Section::temperature, "3.6", "Out of range Key"},
        {Section::temperature, "98.6", "Out of range Key"}, // Fahrenheit on the metric setting
    };
    open();
    for (const Case& row : cases) {
        SCOPED_TRACE(row.typed);
        showSection(row.section);
        NotesMeasureSection& section =
            row.section == Section::weight ? log().weightSection() : log().temperatureSection();
        enter(section, row.typed);
        std::string refusal = section.refusalLbl().text();
        std::string expected = Strings::localized(row.refusalKey);
        EXPECT_EQ(refusal.substr(0, 10), expected.substr(0, 10));
        EXPECT_EQ(section.textField().text(), row.typed); // kept for correcting
    }
    EXPECT_EQ(DC::getWeightForDateId(today()), 0);
    EXPECT_EQ(DC::getTemperatureForDateId(today()), 0);
    EXPECT_EQ(hasData(today()), 0);
}

TEST_F(DailyLogPageTest, ADayFromTheCommandLineShowsOnThePageAndBack) {
    open();
    cli("--mood Calm --symptom Headache:3 --weight 61.2 --note 'From the terminal'");
    log().makeUsedDate(localDate(2026, 3, 10, 23, 59, 59));
    EXPECT_EQ(log().noteView().text(), "From the terminal");
    EXPECT_TRUE(log().moodButton(2).isSelected());
    EXPECT_TRUE(log().symptomButton(6).isSelected());
    showSection(Section::weight);
    EXPECT_EQ(log().weightSection().textField().text(), "61.2");

    showSection(Section::symptoms);
    tapView(log().symptomButton(5)); // another intensity of the headache
    tapView(log().intimateBtn());
    showSection(Section::temperature);
    enter(log().temperatureSection(), "36.9");
    auto day = nlohmann::json::parse(cli("--json"));
    EXPECT_EQ(day["symptoms"], nlohmann::json::parse(R"([{"name": "Headache", "level": 2,
                                                          "text": "Headache"}])"));
    EXPECT_EQ(day["moods"].size(), 1u);
    EXPECT_EQ(day["intimate"], true);
    EXPECT_EQ(day["temperature"], 36.9);
    EXPECT_EQ(day["note"], "From the terminal");
}

// One change of the day, one notice naming it; what changes nothing tells
// nobody.
TEST_F(DailyLogPageTest, EachChangeOfTheDayIsToldOnce) {
    open();
    std::vector<long long> days;
    auto observation = NotificationCenter::defaultCenter().addObserver(
        DiaryActions::dayChangedNotification, [&](const Notification& notice) {
            days.push_back(DC::dayKeyForDate(DiaryActions::changedDay(notice)));
        });
    showSection(Section::symptoms);
    tapView(log().symptomButton(1));
    tapView(log().symptomButton(2));
    tapView(log().intimateBtn());
    showSection(Section::weight);
    enter(log().weightSection(), "72.5");
    enter(log().weightSection(), "72.50");
    showSection(Section::notes);
    tapView(log().noteView());
    host().type("ok");
    tapView(log().keyboardDownBtn());
    // Two symptoms, intimacy, one weight, the note; not the weight read the
    // same again, nor the note saved unchanged as typing ends.
    EXPECT_EQ(days, std::vector<long long>(5, DC::dayKeyForDate(localDate(2026, 3, 10, 12))));
}

} // namespace
