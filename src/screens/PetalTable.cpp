// SPDX-License-Identifier: GPL-3.0-or-later
#include "PetalTable.h"

#include "foundation/Format.h"

#include <stdexcept>

namespace florelle {

Point PetalRow::restingCenter() const {
    return {frame.origin.x + frame.size.width / 2, frame.origin.y + frame.size.height / 2};
}

Point PetalRow::returnCenter() const {
    switch (page) {
    case MainPageKind::settings:
        return {60, 105};
    case MainPageKind::charts:
        return {150, 60};
    default:
        return restingCenter();
    }
}

const std::array<PetalRow, 6>& PetalTable::rows() {
    static const std::array<PetalRow, 6> table{{
        {1,
         MainPageKind::charts,
         Rect(90, 0, 120, 120),
         "Charts Key",
         {62, 65},
         "petal_charts_%d.png",
         "petal_charts_selected_%d.png",
         {0, -20},
         {140, 250},
         0,
         "Charts Key",
         "chartsFirst",
         "ChartsOpen"},
        {2,
         MainPageKind::notes,
         Rect(182, 45, 120, 120),
         "Add Note Key",
         {70, 75},
         "petal_addnote_%d.png",
         "petal_addnote_selected_%d.png",
         {20, -20},
         {40, 200},
         640,
         "Notes Key",
         "noteFirst",
         "NotesOpen"},
        {3,
         MainPageKind::calendar,
         Rect(181, 158, 120, 120),
         "Calendar Key",
         {69, 75},
         "petal_calendar_%d.png",
         "petal_calendar_selected_%d.png",
         {20, 10},
         {70, 90},
         320,
         "Calendar Key",
         "calendarFirst",
         "CalendarOpen"},
        {4,
         MainPageKind::summary,
         Rect(90, 210, 120, 120),
         "Summary Key",
         {62, 88},
         "petal_log_%d.png",
         "petal_log_selected_%d.png",
         {0, 20},
         {150, 20},
         960,
         "Summary Key",
         "summaryFirst",
         "PeriodLogOpen"},
        {5,
         MainPageKind::forum,
         Rect(-1, 158, 120, 120),
         "Forum Key",
         {52, 75},
         "petal_forum_%d.png",
         "petal_forum_selected_%d.png",
         {-20, 20},
         {270, 100},
         1280,
         "Forum Key",
         "forumFirst",
         "ForumOpen"},
        {6,
         MainPageKind::settings,
         Rect(-4, 45, 120, 120),
         "Settings Key",
         {52, 70},
         "petal_settings_%d.png",
         "petal_settings_selected_%d.png",
         {-20, -20},
         {260, 230},
         1600,
         "Settings Key",
         "settingsFirst",
         "SettingsOpen"},
    }};
    return table;
}

const PetalRow& PetalTable::row(MainPageKind page) {
    return rows()[static_cast<std::size_t>(page)];
}

const PetalRow& PetalTable::numbered(int number) {
    if (number < 1 || number > 6) {
        throw std::out_of_range("petals are numbered 1 to 6");
    }
    return rows()[static_cast<std::size_t>(number - 1)];
}

std::string PetalTable::picture(const char* pattern, int skin) {
    return format(pattern, skin);
}

} // namespace florelle
