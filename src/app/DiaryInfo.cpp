// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiaryInfo.h"

#include "foundation/Bundle.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"

#include <cstdio>

namespace florelle {

int DiaryInfo::print() {
    auto database = SQLiteAccess::pathToDB();
    StoreStatus usable = SQLiteAccess::checkDiary();
    auto cycle = DatabaseController::getCycleLength();
    auto period = DatabaseController::getPeriodLength();
    auto ovulation = DatabaseController::getOvulationDay();
    auto starts = DatabaseController::getStartDates();
    auto failure = usable ? firstFailure(cycle, period, ovulation, starts)
                          : std::optional<StoreError>(usable.error());
    if (!database || failure) {
        std::fprintf(stderr, "Florelle %s: %s\n", Bundle::version().c_str(),
                     failure ? failure->message().c_str()
                             : "the diary cannot be opened; the log above says why.");
        return 1;
    }
    std::printf("Florelle %s\n", Bundle::version().c_str());
    std::printf("Diary: %s\n", database->c_str());
    std::printf("Resources: %s\n", Bundle::resourceDirectory().c_str());
    std::printf("Cycle length %d days, period length %d days, ovulation on day %d.\n", *cycle,
                *period, *ovulation);
    std::printf("Periods logged: %zu (most recent twelve).\n", starts->size());
    return 0;
}

} // namespace florelle
