// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/SQLiteAccess.h"

namespace florelle {

// Maintenance on the database file: replacing it with a fresh copy of the
// template. All of the user's data is lost by that; no screen offers it.
class SQLiteAccessRewrite : public SQLiteAccess {
public:
    // The same resolution as SQLiteAccess::pathToDB, with a cache of its own.
    static std::optional<std::filesystem::path> pathToDB();
    static void copyReplaceDatabase();
};

} // namespace florelle
