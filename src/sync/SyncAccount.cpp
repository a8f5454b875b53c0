// SPDX-License-Identifier: GPL-3.0-or-later
#include "SyncAccount.h"

#include "CalendarServerClient.h"
#include "foundation/Strings.h"
#include "foundation/UserDefaults.h"
#include "storage/DatabaseController.h"

namespace florelle {

std::string SyncServerSetting::get() {
    return UserDefaults::standardUserDefaults()->stringForKey(key);
}

void SyncServerSetting::set(const std::string& url) {
    auto defaults = UserDefaults::standardUserDefaults();
    defaults->setString(key, url);
    defaults->synchronize();
}

StoreStatus moveOldPassword(PasswordVault& vault, const std::string& server,
                            const std::string& user) {
    auto old = DatabaseController::getPassword();
    if (!old) {
        return old.error();
    }
    std::string password = old->value_or("");
    if (password.empty() || user.empty() || !vault.keep(server, user, password)) {
        return {};
    }
    return DatabaseController::saveGooglePassword("");
}

CalendarSync calendarSync(const CalendarAccount& account, const Calendar& calendar, Date now,
                          SyncLimits limits) {
    auto discovery = std::make_shared<CalDavDiscovery>();
    return CalendarSync(
        account.user,
        [account, calendar, discovery] {
            return std::make_unique<CalendarServerClient>(account, calendar, discovery);
        },
        {Strings::localized("Period Key"), Strings::localized("Fertile Key")}, calendar, now,
        limits);
}

} // namespace florelle
