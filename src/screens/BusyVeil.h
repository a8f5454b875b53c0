// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/View.h"

#include <memory>

namespace florelle {

class ActivityIndicator;
class Label;

// A dark veil over the whole screen: half-drawn behind a calendar that slides
// up, or with a spinning indicator and "Generating data" while the reports
// are made.
class BusyVeil : public View {
public:
    static constexpr double fadeSeconds = 0.4;

    explicit BusyVeil(const Rect& frame);

    // Fades to `alpha`, the indicator spinning only `withIndicator`.
    void fadeTo(double alpha, bool withIndicator);

    ActivityIndicator& indicator() const { return *indicator_; }

private:
    std::shared_ptr<ActivityIndicator> indicator_;
    std::shared_ptr<Label> caption_;
};

} // namespace florelle
