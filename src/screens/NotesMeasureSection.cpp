// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/NotesMeasureSection.h"

#include "ui/Label.h"
#include "ui/TextField.h"

namespace florelle {

namespace {

const Color ink(0.35, 0.35, 0.38);
const Color refusalColor(0.75, 0.1, 0.2);

} // namespace

NotesMeasureSection::NotesMeasureSection(const Rect& frame, const std::string& caption)
    : View(frame) {
    setBackgroundColor(Color(1, 1, 1, 0.9));
    captionLbl_ =
        Label::caption(Rect(10, 10, 280, 24), Font::boldSystemFont(18), ink, TextAlignment::Center);
    captionLbl_->setText(caption);
    addSubview(captionLbl_);

    textField_ = std::make_shared<TextField>(Rect(70, 44, 130, 44));
    textField_->setBorderStyle(TextField::BorderStyle::roundedRect);
    textField_->setFont(Font::boldSystemFont(26));
    textField_->setTextAlignment(TextAlignment::Right);
    textField_->setKeyboardType(KeyboardType::decimalPad);
    textField_->setBackgroundColor(Color::white());
    addSubview(textField_);

    unitLbl_ =
        Label::caption(Rect(204, 44, 60, 44), Font::boldSystemFont(22), ink, TextAlignment::Center);
    unitLbl_->setTextAlignment(TextAlignment::Left);
    addSubview(unitLbl_);

    valueLbl_ = Label::caption(Rect(10, 96, 280, 20), Font::italicSystemFont(14), ink,
                               TextAlignment::Center);
    addSubview(valueLbl_);

    refusalLbl_ = Label::caption(Rect(10, 118, 280, 40), Font::boldSystemFont(13), refusalColor,
                                 TextAlignment::Center);
    refusalLbl_->setNumberOfLines(2);
    addSubview(refusalLbl_);
}

void NotesMeasureSection::show(const BodyMeasure& measure, double value) {
    bool none = measure.isNone(value);
    textField_->setText(none ? "" : measure.formatNumber(value));
    textField_->setPlaceholder(measure.formatNumber(measure.range().lowest) + "–" +
                               measure.formatNumber(measure.range().highest));
    unitLbl_->setText(measure.unit());
    valueLbl_->setText(measure.format(value));
    refusalLbl_->setText("");
}

BodyMeasure::Entry NotesMeasureSection::commit(const BodyMeasure& measure) {
    BodyMeasure::Entry entry = measure.read(textField_->text());
    refusalLbl_->setText(measure.refusalText(entry.refusal));
    if (entry.accepted()) {
        double value = entry.value.value_or(0);
        textField_->setText(entry.value ? measure.formatNumber(value) : "");
        valueLbl_->setText(measure.format(value));
    }
    return entry;
}

} // namespace florelle
