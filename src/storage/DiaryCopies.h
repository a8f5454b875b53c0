// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Calendar.h"
#include "foundation/Date.h"

#include <filesystem>
#include <optional>
#include <string>

namespace florelle {

// Copies of the diary file: a backup taken while the window or another
// program may be writing, and a copy put back in the diary's place.
class DiaryCopies {
public:
    // Writes the diary as it is at one moment to `target`, mode 0600, through
    // a temporary file beside it that takes its name when it is whole and
    // sound. Why not, as one sentence.
    static std::optional<std::string> backup(const std::filesystem::path& target);

    enum class Refusal {
        unreadable,     // the file cannot be read
        notADatabase,   // not an SQLite database at all
        damaged,        // fails its integrity check
        notADiary,      // a table, column or setting the diary needs is missing
        tooNew,         // written by a newer release
        unknownVersion, // a data version no release wrote
        isTheDiary,     // the diary file itself
    };
    struct Restored {
        std::optional<Refusal> refusal;
        // What is wrong, or why the diary could not be replaced.
        std::string detail;
        // Where the diary that was replaced is kept; none when there was none.
        std::optional<std::filesystem::path> keptCopy;
        bool done() const { return !refusal && detail.empty(); }
    };
    // Puts the copy in `source` in the diary's place. The copy is checked
    // (sound, the diary's tables, columns and settings, a data version that
    // can be brought to the current one) and brought to the current version
    // beside the diary; then the diary is kept beside it as
    // "period-YYYY-MM-DD.db" (the local day of `now`) and the copy takes its
    // name in one step, while no other program is in the middle of a
    // change. Every program's next read finds the restored diary. Anything
    // refused or failed leaves the diary as it was.
    static Restored restore(const std::filesystem::path& source, const Calendar& calendar,
                            Date now);
};

} // namespace florelle
