// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cycle/BodyMeasure.h"
#include "ui/View.h"

#include <memory>
#include <string>

namespace florelle {

class Label;
class TextField;

// The weight or the temperature section of the daily log page: the day's
// value in the display unit, typed on the decimal pad. Text that is not a
// number or lies outside the plausible range is refused with a sentence that
// says what is accepted; the field keeps the text so it can be corrected.
class NotesMeasureSection : public View {
public:
    NotesMeasureSection(const Rect& frame, const std::string& caption);

    // Shows a stored value (in the display unit) or an empty field for none.
    void show(const BodyMeasure& measure, double value);
    // Reads the field; a refusal is put on show, an accepted entry clears it.
    BodyMeasure::Entry commit(const BodyMeasure& measure);

    TextField& textField() const { return *textField_; }
    Label& valueLbl() const { return *valueLbl_; }
    Label& unitLbl() const { return *unitLbl_; }
    Label& refusalLbl() const { return *refusalLbl_; }

private:
    std::shared_ptr<Label> captionLbl_;
    std::shared_ptr<TextField> textField_;
    std::shared_ptr<Label> unitLbl_;
    std::shared_ptr<Label> valueLbl_;
    std::shared_ptr<Label> refusalLbl_;
};

} // namespace florelle
