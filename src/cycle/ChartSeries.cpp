// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartSeries.h"

#include "cycle/DailyLogCatalogue.h"
#include "storage/BodyUnits.h"

#include <algorithm>
#include <cmath>

namespace florelle {

namespace {

ChartSeries::Bar usageBar(const ChartData::Usage& usage, std::string captionKey) {
    return {static_cast<float>(usage.days), std::move(captionKey), std::nullopt, usage.imageName,
            usage.name + ".png"};
}

ChartSeries::Bar datedBar(double value, Date date, const char* picture, const char* icon) {
    return {static_cast<float>(value), "", date, picture, icon};
}

} // namespace

int ChartSeries::periodDays(const ChartData::Period& period, Date now, const Calendar& calendar) {
    Date end = period.end == Date() ? now : period.end;
    return std::max(1, calendar.daysFrom(period.start, end) + 1);
}

ChartSeries::Series ChartSeries::build(Chart chart, const ChartData& data, int siUnits, Date now,
                                       const Calendar& calendar) {
    Series series;
    switch (chart) {
    case Chart::symptoms:
        series.noData = data.symptoms.empty();
        for (const auto& usage : data.symptoms) {
            series.bars.push_back(usageBar(usage, DailyLogCatalogue::symptomKey(usage.name)));
        }
        break;
    case Chart::moods:
        series.noData = data.moods.empty();
        for (const auto& usage : data.moods) {
            series.bars.push_back(usageBar(usage, DailyLogCatalogue::moodKey(usage.name)));
        }
        break;
    case Chart::period:
        series.noData = data.periods.empty();
        for (const auto& period : data.periods) {
            series.bars.push_back(datedBar(periodDays(period, now, calendar), period.start,
                                           "tower_red.png", "period_flower.png"));
        }
        break;
    case Chart::cycle:
        // The last start only closes the cycle before it.
        series.noData = data.cycleStarts.size() < 2;
        for (std::size_t i = 0; i + 1 < data.cycleStarts.size(); ++i) {
            int days = calendar.daysFrom(data.cycleStarts[i], data.cycleStarts[i + 1]);
            series.bars.push_back(
                datedBar(days, data.cycleStarts[i], "tower_green.png", "time.png"));
        }
        break;
    case Chart::weight: {
        series.noData = data.weights.empty();
        for (const auto& weight : data.weights) {
            double shown = BodyUnits::shownWeight(weight.kilograms, siUnits != 0);
            if (std::isfinite(shown) && shown > smallestWeight) {
                series.bars.push_back(
                    datedBar(shown, weight.day, "tower_green.png", "weight_icon.png"));
            }
        }
        break;
    }
    }
    return series;
}

} // namespace florelle
