#include "SyncAccount.h"

#include "foundation/Strings.h"
#include "foundation/UserDefaults.h"

namespace florelle {

std::string SyncServerSetting::get() {
    return UserDefaults::standardUserDefaults()->stringForKey(key);
}

void SyncServerSetting::set(const std::string& url) {
    auto defaults = UserDefaults::standardUserDefaults();
    defaults->setString(key, url);
    defaults->synchronize();
}

CalendarSync atomSync(const CalendarAccount& account, const Calendar& calendar, Date now,
                      SyncLimits limits) {
    return CalendarSync(
        account.user,
        [account, calendar] { return std::make_unique<AtomCalendarClient>(account, calendar); },
        {Strings::localized("Period Key"), Strings::localized("Fertile Key")}, calendar, now,
        limits);
}

} // namespace florelle
