#include "DiaryInfo.h"

#include "foundation/Bundle.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"

#include <cstdio>

namespace florelle {

int DiaryInfo::print() {
    auto database = SQLiteAccess::pathToDB();
    if (!database) {
        std::fprintf(stderr, "Florelle %s: the diary cannot be opened; the log above says why.\n",
                     Bundle::version().c_str());
        return 1;
    }
    std::printf("Florelle %s\n", Bundle::version().c_str());
    std::printf("Diary: %s\n", database->c_str());
    std::printf("Resources: %s\n", Bundle::resourceDirectory().c_str());
    std::printf("Cycle length %d days, period length %d days, ovulation on day %d.\n",
                DatabaseController::getCycleLength(), DatabaseController::getPeriodLength(),
                DatabaseController::getOvulationDay());
    std::printf("Periods logged: %zu (most recent twelve).\n",
                DatabaseController::getStartDates().size());
    return 0;
}

} // namespace florelle
