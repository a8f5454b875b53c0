// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MainPage.h"
#include "MainPageHost.h"
#include "cycle/BodyMeasure.h"
#include "cycle/DailyLogCatalogue.h"
#include "cycle/DailyLogEntry.h"
#include "ui/TextFieldDelegate.h"
#include "ui/TextViewDelegate.h"

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace florelle {

class Button;
class ImageView;
class Label;
class NotesBottomBar;
class NotesMeasureSection;
class ScrollView;
class TextView;

// The daily log page of the main screen's strip: what happened on one day.
// A note, intimacy, the moods and symptoms felt (a symptom at one of three
// intensities), weight and temperature. Five sections, one on show, chosen
// from a header strip. Every change is written to the diary at once, the
// note with every keystroke; the day's data count follows the kinds of data
// the day holds, so the calendar marks it. The rules of those changes live
// below the screens (DailyLogEntry, through DiaryActions); the page shows the
// diary as it is after each of them.
class NotesGlobalController : public MainPage, public TextViewDelegate, public TextFieldDelegate {
public:
    enum Section { notes = 0, symptoms = 1, moods = 2, weight = 3, temperature = 4 };

    explicit NotesGlobalController(std::weak_ptr<MainPageHost> host);
    ~NotesGlobalController() override;

    void viewDidLoad() override;

    // Switches to the day of the instant, creating its records on first use.
    void makeUsedDate(Date date) override;
    // Ends any typing on the page; what was typed is kept.
    void keyboardDownClicked() override;
    // Scrolls the header strip to its first or second half.
    void scrollToLeft() override;
    void scrollToRight();
    // Shows the edited day on the calendar page.
    void reloadCalendar() override;
    // 1 metric (kg, °C), 0 imperial (lbs, °F): the values are shown anew.
    void setSi(int units) override;
    void flashHeaderScrollIndicators() override;
    // The help over the page: fades in; a tap on it fades it out.
    void infoBtnClicked() override;
    void dismissInfoView() override;

    void hideAllExcept(int section);
    // A mood or symptom button: chooses it for the day or takes it away.
    void smileClicked(Button& button);
    void intimateClicked();

    Date usedDate() const { return usedDate_; }
    int usedDateId() const { return usedDateId_; }
    int section() const { return section_; }
    bool isSymptoms() const { return isSymptoms_; }
    // The bar of chosen moods or symptoms is up, in sight.
    bool isUp() const { return isUp_; }
    bool intimateToday() const { return intimateToday_; }
    bool isInfo() const { return isInfo_; }
    int isSi() const { return isSi_; }
    const std::map<int, std::string>& usedMoodsDictionary() const { return usedMoodsDictionary_; }
    const std::map<int, std::string>& usedSymptomsDictionary() const {
        return usedSymptomsDictionary_;
    }

    Label& dateLbl() const { return *dateLbl_; }
    ScrollView& headerScrollView() const { return *headerScrollView_; }
    Button& sectionButton(int section) const {
        return *sectionButtons_.at(static_cast<std::size_t>(section));
    }
    Button& intimateBtn() const { return *intimateBtn_; }
    TextView& noteView() const { return *noteView_; }
    Button& keyboardDownBtn() const { return *keyboardDownBtn_; }
    ScrollView& moodsScrollView() const { return *moodsScrollView_; }
    ScrollView& symptomsScrollView() const { return *symptomsScrollView_; }
    // The n-th catalogue entry's button (n from 1).
    Button& moodButton(int n) const { return *moodButtons_.at(static_cast<std::size_t>(n - 1)); }
    Button& symptomButton(int n) const {
        return *symptomButtons_.at(static_cast<std::size_t>(n - 1));
    }
    NotesMeasureSection& weightSection() const { return *weightSection_; }
    NotesMeasureSection& temperatureSection() const { return *temperatureSection_; }
    NotesBottomBar& bottomBar() const { return *bottomBar_; }
    Button& infoBtn() const { return *infoBtn_; }
    Button& infoView() const { return *infoView_; }

    void textViewDidBeginEditing(TextView& textView) override;
    void textViewDidChange(TextView& textView) override;
    void textViewDidEndEditing(TextView& textView) override;
    void textFieldDidBeginEditing(TextField& textField) override;
    bool textFieldShouldReturn(TextField& textField) override;
    void textFieldDidEndEditing(TextField& textField) override;

private:
    void buildHeader();
    void buildIntimate();
    void buildNote();
    void makeMoodButtons();
    void makeSymptomButtons();
    void buildMeasures();
    void buildInfo();
    std::shared_ptr<Button> makeSmileButton(const Rect& frame, int n, const std::string& name);

    void checkDictionarys();
    void showChoices(const DailyLogEntry::Day& day);
    void checkBottomView();
    void setIntimateImage();
    void saveNoteText();
    void setMeasure(BodyMeasure::Kind kind);
    void commitMeasure(BodyMeasure::Kind kind);
    BodyMeasure measure(BodyMeasure::Kind kind) const;
    // The shown day as stored; empty when it cannot be read.
    DailyLogEntry::Day storedDay() const;

    std::weak_ptr<MainPageHost> host_;
    Date usedDate_;
    int usedDateId_ = 0;
    int section_ = notes;
    bool isSymptoms_ = false;
    bool isUp_ = false;
    bool intimateToday_ = false;
    bool isInfo_ = false;
    int isSi_ = 1;
    DailyLogCatalogue catalogue_;
    std::map<int, std::string> usedMoodsDictionary_;
    std::map<int, std::string> usedSymptomsDictionary_;

    std::shared_ptr<Label> dateLbl_;
    std::shared_ptr<ScrollView> headerScrollView_;
    std::array<std::shared_ptr<Button>, 5> sectionButtons_;
    std::shared_ptr<Button> intimateBtn_;
    std::shared_ptr<Label> intimateLbl_;
    std::shared_ptr<View> notebookView_;
    std::shared_ptr<TextView> noteView_;
    std::shared_ptr<Button> keyboardDownBtn_;
    std::shared_ptr<ScrollView> moodsScrollView_;
    std::shared_ptr<ScrollView> symptomsScrollView_;
    std::vector<std::shared_ptr<Button>> moodButtons_;
    std::vector<std::shared_ptr<Button>> symptomButtons_;
    std::shared_ptr<NotesMeasureSection> weightSection_;
    std::shared_ptr<NotesMeasureSection> temperatureSection_;
    std::shared_ptr<NotesBottomBar> bottomBar_;
    std::shared_ptr<Button> infoBtn_;
    std::shared_ptr<Button> infoView_;
};

} // namespace florelle
