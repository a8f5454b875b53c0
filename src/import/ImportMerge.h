// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Calendar.h"
#include "import/ImportPlan.h"
#include "storage/StoreResult.h"

#include <optional>
#include <vector>

namespace florelle {

// An import plan against the diary: a period that shares or touches a day
// with a logged one (an open period runs on without end) or reaches past
// today is skipped and listed; a day's log only gains moods, symptoms and
// intimacy, and a note or a temperature only where the day has none.
class ImportMerge {
public:
    enum class SkipReason { meetsLoggedPeriod, afterToday };
    struct Skipped {
        ImportedPeriod period;
        SkipReason reason;
    };

    struct Outcome {
        std::vector<ImportedPeriod> added;
        std::vector<Skipped> skipped;
        // Days whose log gains something.
        int daysChanged = 0;
        // Days that keep their own note, so the file's is left out.
        int notesKept = 0;
        // The diary could not be read or written; nothing was stored.
        std::optional<StoreError> error;
    };

    // What an import would do to the diary as it is; nothing is written.
    static Outcome preview(const ImportPlan& plan, const Calendar& calendar, Date now);
    // The import, all of it in one transaction, decided from the diary as it
    // is once the write lock is held. `now` stamps the notes.
    static Outcome apply(const ImportPlan& plan, const Calendar& calendar, Date now);

    // The readable reason: "overlaps or touches a logged period", "lies after today".
    static const char* reasonText(SkipReason reason);
};

} // namespace florelle
