// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CalendarRequest.h"
#include "CalendarSync.h"
#include "platform/PasswordVault.h"
#include "storage/StoreResult.h"

#include <string>

namespace florelle {

// The calendar server the sync talks to: a setting of this user's, kept in
// the user defaults, since no provider's server can be assumed.
class SyncServerSetting {
public:
    static constexpr const char* key = "SYNC_SERVER_URL";
    static std::string get();
    static void set(const std::string& url);
};

// Moves a password that an older version kept in the diary in plain text
// into the vault, for this user on this server, and empties the diary's row
// once the vault keeps it.
StoreStatus moveOldPassword(PasswordVault& vault, const std::string& server,
                            const std::string& user);

// A sync of the diary with the account on its calendar server, CalDAV or
// Atom as the server speaks, the events titled in the user's language.
CalendarSync calendarSync(const CalendarAccount& account, const Calendar& calendar, Date now,
                          SyncLimits limits = {});

} // namespace florelle
