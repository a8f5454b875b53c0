// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/NotesGlobalController.h"

#include "ChosenMark.h"
#include "DiaryActions.h"
#include "NotesBottomBar.h"
#include "NotesMeasureSection.h"
#include "calendar/CalDateFormatter.h"
#include "foundation/Clock.h"
#include "foundation/Strings.h"
#include "graphics/Image.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"
#include "ui/TextField.h"
#include "ui/TextView.h"

#include <algorithm>

namespace florelle {

namespace {

using Kind = BodyMeasure::Kind;
using Item = DailyLogEntry::Item;

constexpr double sectionTop = 118;
constexpr double sectionHeight = 250;
constexpr double noteHeight = 230;
constexpr double noteEditingHeight = 160;
constexpr double barUpY = 371;
constexpr double barDownY = 424;
constexpr double barSlide = 0.4;
constexpr double sectionFade = 0.3;
constexpr double barHeight = 50;
constexpr int symptomsPerRow = DailyLogCatalogue::levels;

const Color grey(0.35, 0.35, 0.38);
const Color headerColor(0.62, 0.27, 0.45, 0.9);
const Color paper(1, 1, 1, 0.92);
const Color plum(0.55, 0.16, 0.36);

std::string text(std::string_view key) {
    return Strings::localized(key);
}

std::string picture(const std::string& name) {
    return name + ".png";
}

} // namespace

NotesGlobalController::NotesGlobalController(std::weak_ptr<MainPageHost> host)
    : host_(std::move(host)) {}

NotesGlobalController::~NotesGlobalController() = default;

void NotesGlobalController::viewDidLoad() {
    view()->setBackgroundColor(Color::clear());
    dateLbl_ =
        Label::caption(Rect(10, 6, 300, 20), Font::boldSystemFont(15), plum, TextAlignment::Center);
    view()->addSubview(dateLbl_);
    buildHeader();
    buildIntimate();
    buildNote();
    // The catalogue comes with the diary; an unreadable one offers no buttons.
    catalogue_ = DailyLogCatalogue::read().value_or(DailyLogCatalogue());
    makeMoodButtons();
    makeSymptomButtons();
    buildMeasures();
    bottomBar_ = std::make_shared<NotesBottomBar>(Rect(0, barDownY, 320, barHeight));
    bottomBar_->setAlpha(0);
    view()->addSubview(bottomBar_);
    buildInfo();
    auto self = std::static_pointer_cast<NotesGlobalController>(shared_from_this());
    noteView_->textDelegate = self;
    weightSection_->textField().delegate = self;
    temperatureSection_->textField().delegate = self;
    makeUsedDate(Clock::current()->now());
}

void NotesGlobalController::buildHeader() {
    headerScrollView_ = std::make_shared<ScrollView>(Rect(0, 30, 320, 40));
    headerScrollView_->setContentSize(Size(640, 40));
    headerScrollView_->setShowsVerticalScrollIndicator(false);
    headerScrollView_->setBackgroundColor(headerColor);
    view()->addSubview(headerScrollView_);
    const char* titles[] = {"Notes Key", "Symptoms Key", "Moods Key", "Weight Key",
                            "Temperature Key"};
    Image selected = Image::named("note_button_selected_0.png");
    for (int index = 0; index < 5; ++index) {
        // Notes, symptoms and moods share the first half; weight and temperature the second.
        Rect frame = index < 3 ? Rect(320.0 / 3 * index, 0, 320.0 / 3, 40)
                               : Rect(320 + 160.0 * (index - 3), 0, 160, 40);
        auto button = std::make_shared<Button>(frame);
        button->setTitle(text(titles[index]));
        button->setTitleFont(Font::boldSystemFont(15));
        button->setTitleColor(Color::white());
        button->setTitleColor(grey, controlStateSelected);
        button->setTitleColor(grey, controlStateHighlighted);
        button->setBackgroundImage(selected, controlStateSelected);
        button->setBackgroundImage(selected, controlStateHighlighted);
        button->onTouchUpInside = [this, index] { hideAllExcept(index); };
        headerScrollView_->addSubview(button);
        sectionButtons_[static_cast<std::size_t>(index)] = button;
    }
}

void NotesGlobalController::buildIntimate() {
    intimateLbl_ =
        Label::caption(Rect(20, 74, 190, 40), Font::boldSystemFont(16), plum, TextAlignment::Left);
    intimateLbl_->setText(text("Intimate today Key"));
    view()->addSubview(intimateLbl_);
    // The picture stands 65 points in from the right edge.
    intimateBtn_ = std::make_shared<Button>(Rect(215, 74, 40, 40));
    intimateBtn_->onTouchUpInside = [this] { intimateClicked(); };
    view()->addSubview(intimateBtn_);
    keyboardDownBtn_ = std::make_shared<Button>(Rect(262, 78, 50, 32));
    keyboardDownBtn_->setTitle(text("OK Key"));
    keyboardDownBtn_->setTitleFont(Font::boldSystemFont(15));
    keyboardDownBtn_->setBackgroundColor(headerColor);
    keyboardDownBtn_->setHidden(true);
    keyboardDownBtn_->onTouchUpInside = [this] { keyboardDownClicked(); };
    view()->addSubview(keyboardDownBtn_);
}

void NotesGlobalController::buildNote() {
    notebookView_ = std::make_shared<View>(Rect(10, sectionTop, 300, sectionHeight));
    notebookView_->setBackgroundColor(paper);
    notebookView_->setUserInteractionEnabled(false);
    view()->addSubview(notebookView_);
    noteView_ = std::make_shared<TextView>(Rect(10, sectionTop, 300, noteHeight));
    noteView_->setBackgroundColor(Color::clear());
    noteView_->setFont(Font::named("ChalkboardSE-Regular", 20));
    noteView_->setTextColor(grey);
    // The ruled lines scroll with the text.
    auto lines = std::make_shared<ImageView>(Image::named("underline.png"));
    lines->setFrame(Rect(0, 5, 300, 500));
    lines->setUserInteractionEnabled(false);
    noteView_->addSubview(lines);
    view()->addSubview(noteView_);
}

std::shared_ptr<Button> NotesGlobalController::makeSmileButton(const Rect& frame, int n,
                                                               const std::string& name) {
    auto button = std::make_shared<Button>(frame);
    Image image = Image::named(picture(name));
    button->setImage(image);
    Image marked = ChosenMark::over(image, plum);
    button->setImage(marked, controlStateSelected);
    button->setImage(marked, controlStateSelected | controlStateHighlighted);
    button->setTag(10 * n);
    Button* raw = button.get();
    button->onTouchUpInside = [this, raw] { smileClicked(*raw); };
    return button;
}

void NotesGlobalController::makeMoodButtons() {
    moodsScrollView_ = std::make_shared<ScrollView>(Rect(0, sectionTop, 320, sectionHeight));
    moodsScrollView_->setBackgroundColor(paper);
    view()->addSubview(moodsScrollView_);
    const double xs[] = {35, 123, 211};
    int n = 0;
    for (const auto& mood : catalogue_.moods()) {
        double x = xs[n % 3];
        double y = 70.0 * (n / 3) + 8;
        ++n;
        auto button = makeSmileButton(Rect(x, y, 40, 40), n, mood.name);
        moodsScrollView_->addSubview(button);
        moodButtons_.push_back(button);
        auto caption = Label::caption(Rect(x - 30, y + 42, 100, 15), Font::italicSystemFont(12),
                                      grey, TextAlignment::Center);
        caption->setText(DailyLogCatalogue::moodText(mood.name));
        moodsScrollView_->addSubview(caption);
    }
    moodsScrollView_->setContentSize(Size(320, 70.0 * ((n + 2) / 3) + 10));
}

void NotesGlobalController::makeSymptomButtons() {
    symptomsScrollView_ = std::make_shared<ScrollView>(Rect(0, sectionTop, 320, sectionHeight));
    symptomsScrollView_->setBackgroundColor(paper);
    view()->addSubview(symptomsScrollView_);
    int rows = 0;
    const auto& symptoms = catalogue_.symptoms();
    for (std::size_t first = 0; first + symptomsPerRow <= symptoms.size();
         first += symptomsPerRow) {
        double y = 9 + 50.0 * rows++;
        auto caption = Label::caption(Rect(20, y, 105, 40), Font::boldSystemFont(14), grey,
                                      TextAlignment::Left);
        caption->setNumberOfLines(2);
        caption->setText(DailyLogCatalogue::symptomText(symptoms[first].name));
        symptomsScrollView_->addSubview(caption);
        for (int level = 0; level < symptomsPerRow; ++level) {
            int n = static_cast<int>(first) + level + 1;
            auto button = makeSmileButton(Rect(130 + 50.0 * level, y, 40, 40), n,
                                          symptoms[first + static_cast<std::size_t>(level)].name);
            symptomsScrollView_->addSubview(button);
            symptomButtons_.push_back(button);
        }
    }
    symptomsScrollView_->setContentSize(Size(320, 50.0 * rows + 18));
}

void NotesGlobalController::buildMeasures() {
    weightSection_ =
        std::make_shared<NotesMeasureSection>(Rect(10, sectionTop, 300, 170), text("Weight Key"));
    temperatureSection_ = std::make_shared<NotesMeasureSection>(Rect(10, sectionTop, 300, 170),
                                                                text("Temperature Key"));
    for (const auto& section : {weightSection_, temperatureSection_}) {
        view()->addSubview(section);
    }
}

void NotesGlobalController::buildInfo() {
    infoBtn_ = std::make_shared<Button>(Rect(280, 380, 30, 30));
    infoBtn_->setTitle("i");
    infoBtn_->setTitleFont(Font::boldSystemFont(18));
    infoBtn_->setBackgroundColor(headerColor);
    infoBtn_->onTouchUpInside = [this] { infoBtnClicked(); };
    view()->addSubview(infoBtn_);
    // A tap anywhere on the help closes it.
    infoView_ = std::make_shared<Button>(Rect(6, 30, 308, 330));
    infoView_->setBackgroundColor(Color(0.1, 0.12, 0.2, 0.9));
    infoView_->setAlpha(0);
    infoView_->setHidden(true);
    infoView_->onTouchUpInside = [this] { dismissInfoView(); };
    double y = 20;
    for (const char* key : {"FirstLblInfoNote Key", "SecondLblInfoNote Key"}) {
        auto label = Label::caption(Rect(14, y, 280, 140), Font::systemFont(15), Color::white(),
                                    TextAlignment::Left);
        label->setNumberOfLines(0);
        label->setText(text(key));
        infoView_->addSubview(label);
        y += 150;
    }
    view()->addSubview(infoView_);
}

void NotesGlobalController::infoBtnClicked() {
    view();
    isInfo_ = true;
    infoView_->setHidden(false);
    view()->bringSubviewToFront(infoView_.get());
    View::animate(0.5, [this] { infoView_->setAlpha(1); });
}

void NotesGlobalController::dismissInfoView() {
    if (!isInfo_) {
        return;
    }
    isInfo_ = false;
    View::animate(0.5, [this] { infoView_->setAlpha(0); });
    if (auto main = host_.lock()) {
        main->switchFirtsUseLbls(-1);
        main->activateFirstAnimTmr();
    }
}

void NotesGlobalController::makeUsedDate(Date date) {
    if (!isViewLoaded()) {
        return;
    }
    // Whatever is being typed belongs to the day it was typed on.
    keyboardDownClicked();
    usedDate_ = date;
    static const CalDateFormatter formatter(CalDateFormatter::Style::full);
    dateLbl_->setText(formatter.stringFromDate(date));
    usedDateId_ = DailyLogEntry::open(date).value_or(0);
    DailyLogEntry::Day day = storedDay();
    noteView_->setText(day.note);
    showChoices(day);
    hideAllExcept(notes);
}

DailyLogEntry::Day NotesGlobalController::storedDay() const {
    return DailyLogEntry::read(usedDate_).value_or(DailyLogEntry::Day());
}

void NotesGlobalController::checkDictionarys() {
    showChoices(storedDay());
}

void NotesGlobalController::showChoices(const DailyLogEntry::Day& day) {
    intimateToday_ = day.intimate;
    setIntimateImage();
    auto load =
        [](const std::vector<int>& chosen, const std::vector<DailyLogCatalogue::Entry>& entries,
           std::map<int, std::string>& used, const std::vector<std::shared_ptr<Button>>& buttons) {
            used.clear();
            for (const auto& button : buttons) {
                button->setSelected(false);
            }
            for (const auto& entry : entries) {
                if (std::find(chosen.begin(), chosen.end(), entry.id) == chosen.end()) {
                    continue;
                }
                used[100 * entry.id] = picture(entry.name);
                if (entry.id >= 1 && entry.id <= static_cast<int>(buttons.size())) {
                    buttons[static_cast<std::size_t>(entry.id - 1)]->setSelected(true);
                }
            }
        };
    load(day.moods, catalogue_.moods(), usedMoodsDictionary_, moodButtons_);
    load(day.symptoms, catalogue_.symptoms(), usedSymptomsDictionary_, symptomButtons_);
    checkBottomView();
}

void NotesGlobalController::checkBottomView() {
    bool chooser = section_ == moods || section_ == symptoms;
    const auto& used = isSymptoms_ ? usedSymptomsDictionary_ : usedMoodsDictionary_;
    bool up = chooser && !used.empty();
    // Going down, the bar takes its pictures along out of sight.
    if (up) {
        bottomBar_->showPictures(used);
    }
    if (up == isUp_) {
        return;
    }
    isUp_ = up;
    // Down, the bar's top would still show above the page's foot: it fades as it goes.
    View::animate(barSlide, [this, up] {
        Rect frame = bottomBar_->frame();
        frame.origin.y = up ? barUpY : barDownY;
        bottomBar_->setFrame(frame);
        bottomBar_->setAlpha(up ? 1 : 0);
    });
}

void NotesGlobalController::hideAllExcept(int section) {
    keyboardDownClicked();
    bool switched = section != section_;
    section_ = section;
    const std::pair<View*, int> views[] = {
        {notebookView_.get(), notes},          {noteView_.get(), notes},
        {symptomsScrollView_.get(), symptoms}, {moodsScrollView_.get(), moods},
        {weightSection_.get(), weight},        {temperatureSection_.get(), temperature}};
    for (const auto& [sectionView, owner] : views) {
        sectionView->setHidden(section != owner);
        // A newly chosen section fades in over the page.
        if (switched && section == owner) {
            sectionView->setAlpha(0);
            View::animate(sectionFade, [shown = sectionView] { shown->setAlpha(1); });
        }
    }
    for (int index = 0; index < 5; ++index) {
        sectionButton(index).setSelected(index == section);
    }
    infoBtn_->setHidden(section != notes);
    if (section == symptoms || section == moods) {
        isSymptoms_ = section == symptoms;
        (isSymptoms_ ? symptomsScrollView_ : moodsScrollView_)->flashScrollIndicators();
    }
    if (section == weight) {
        setMeasure(Kind::weight);
    } else if (section == temperature) {
        setMeasure(Kind::temperature);
    }
    checkBottomView();
}

void NotesGlobalController::smileClicked(Button& button) {
    bool symptom =
        std::find_if(symptomButtons_.begin(), symptomButtons_.end(), [&](const auto& candidate) {
            return candidate.get() == &button;
        }) != symptomButtons_.end();
    // A failure is told by the diary's alert.
    static_cast<void>(DiaryActions::toggleOnDay(usedDate_, symptom ? Item::symptom : Item::mood,
                                                button.tag() / 10));
    // The buttons show what the diary holds, also when the change failed.
    checkDictionarys();
}

void NotesGlobalController::intimateClicked() {
    static_cast<void>(DiaryActions::toggleOnDay(usedDate_, Item::intimacy));
    checkDictionarys();
}

void NotesGlobalController::setIntimateImage() {
    intimateBtn_->setImage(
        Image::named(intimateToday_ ? "intimate_checked.png" : "intimate_empty.png"));
}

void NotesGlobalController::keyboardDownClicked() {
    if (!isViewLoaded()) {
        return;
    }
    for (View* input :
         {static_cast<View*>(noteView_.get()), static_cast<View*>(&weightSection_->textField()),
          static_cast<View*>(&temperatureSection_->textField())}) {
        if (input->isFirstResponder()) {
            input->resignFirstResponder();
        }
    }
}

void NotesGlobalController::saveNoteText() {
    // What she typed stays in the field when it cannot be saved, and is saved
    // whole with her next keystroke once it can.
    static_cast<void>(
        DiaryActions::saveNote(usedDate_, noteView_->text(), Clock::current()->now()));
}

void NotesGlobalController::textViewDidBeginEditing(TextView&) {
    Rect frame = noteView_->frame();
    frame.size.height = noteEditingHeight;
    noteView_->setFrame(frame);
    keyboardDownBtn_->setHidden(false);
}

void NotesGlobalController::textViewDidChange(TextView&) {
    saveNoteText();
}

void NotesGlobalController::textViewDidEndEditing(TextView&) {
    saveNoteText();
    Rect frame = noteView_->frame();
    frame.size.height = noteHeight;
    noteView_->setFrame(frame);
    keyboardDownBtn_->setHidden(true);
}

void NotesGlobalController::textFieldDidBeginEditing(TextField&) {
    keyboardDownBtn_->setHidden(false);
}

bool NotesGlobalController::textFieldShouldReturn(TextField& textField) {
    textField.resignFirstResponder();
    return false;
}

void NotesGlobalController::textFieldDidEndEditing(TextField& textField) {
    keyboardDownBtn_->setHidden(true);
    commitMeasure(&textField == &weightSection_->textField() ? Kind::weight : Kind::temperature);
}

BodyMeasure NotesGlobalController::measure(Kind kind) const {
    return BodyMeasure(kind, isSi_ != 0);
}

void NotesGlobalController::setMeasure(Kind kind) {
    NotesMeasureSection& section = kind == Kind::weight ? *weightSection_ : *temperatureSection_;
    DailyLogEntry::Day day = storedDay();
    section.show(measure(kind), kind == Kind::weight ? day.weight : day.temperature);
}

void NotesGlobalController::commitMeasure(Kind kind) {
    NotesMeasureSection& section = kind == Kind::weight ? *weightSection_ : *temperatureSection_;
    BodyMeasure::Entry entry = section.commit(measure(kind));
    if (!entry.accepted()) {
        return;
    }
    DailyLogEntry::Change change;
    (kind == Kind::weight ? change.weight : change.temperature) = entry.value.value_or(0);
    // A failure is told by the diary's alert; the typed value stays shown.
    static_cast<void>(DiaryActions::changeDay(usedDate_, change, Clock::current()->now()));
}

void NotesGlobalController::setSi(int units) {
    isSi_ = units;
    if (isViewLoaded() && usedDateId_ != 0) {
        setMeasure(Kind::weight);
        setMeasure(Kind::temperature);
    }
}

void NotesGlobalController::scrollToLeft() {
    headerScrollView_->setContentOffset(Point(0, 0), true);
}

void NotesGlobalController::scrollToRight() {
    headerScrollView_->setContentOffset(Point(320, 0), true);
}

void NotesGlobalController::flashHeaderScrollIndicators() {
    headerScrollView_->flashScrollIndicators();
}

void NotesGlobalController::reloadCalendar() {
    if (auto main = host_.lock()) {
        main->reloadCalendarDataForDate(usedDate_);
    }
}

} // namespace florelle
