// Florelle's entry point. The window is not built yet: until it is, starting
// Florelle opens (or creates) the diary and says what it holds.
#include "foundation/Bundle.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"

#include <cstdio>

using namespace florelle;

int main() {
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
    std::printf("The window is not part of this build yet; only the diary's storage is.\n");
    return 0;
}
