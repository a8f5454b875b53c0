// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace florelle {

// What the sync account form asks of the screen it slides over.
class SyncFormHost {
public:
    virtual ~SyncFormHost() = default;
    // The form goes down below the screen and the veil with it.
    virtual void cancelClicked() = 0;
    // Syncs the diary with the account; the form hears the outcome through
    // syncedSuccessful, unless it was cancelled.
    virtual void syncWithUser(const std::string& server, const std::string& user,
                              const std::string& password) = 0;
};

} // namespace florelle
