// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Format.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace florelle {

// The string table. Every text the user sees is a key (such as "Period Key")
// looked up here; the texts live in one compiled catalogue per language under
// the resource folder ("locale/<language>/LC_MESSAGES/florelle.mo").
//
// The language follows the environment as gettext reads it (LANGUAGE, a
// colon-separated list, then LC_ALL, LC_MESSAGES, LANG), unless setLanguage
// chose one. A key the language lacks falls back to English, then to the key
// itself, so a missing text never shows an empty label. Safe to call from
// any thread.
class Strings {
public:
    static std::string localized(std::string_view key);

    // A key whose text is a format pattern (see format()), filled with the
    // arguments. A translation whose conversions do not fit the arguments is
    // logged and the English pattern is used instead.
    template <typename... Args>
    static std::string localizedFormat(std::string_view key, const Args&... args) {
        return localizedFormatWithArgs(key, std::vector<FormatArg>{FormatArg(args)...});
    }
    static std::string localizedFormatWithArgs(std::string_view key,
                                               const std::vector<FormatArg>& args);

    // A counted text ("days left Key" for 1 → "day left", for 2 → "days
    // left"): the form the count takes by the plural rule of the first
    // language that has the key, as gettext's ngettext chooses it.
    static std::string localizedCount(std::string_view key, long long count);
    // The same form as a format pattern, filled like localizedFormat.
    template <typename... Args>
    static std::string localizedCountFormat(std::string_view key, long long count,
                                            const Args&... args) {
        return localizedCountFormatWithArgs(key, count, std::vector<FormatArg>{FormatArg(args)...});
    }
    static std::string localizedCountFormatWithArgs(std::string_view key, long long count,
                                                    const std::vector<FormatArg>& args);

    // Chooses the language ("de", "de_AT.UTF-8", "de:en" …) for the whole
    // process; std::nullopt goes back to the environment.
    static void setLanguage(std::optional<std::string> language);

    // The catalogue names to try, in order, for a locale setting such as
    // "de_AT.UTF-8@euro" or a LANGUAGE list "fr:de": "de_AT", "de" …;
    // "C" and "POSIX" stand for English. English is not appended.
    static std::vector<std::string> candidatesFor(std::string_view setting);

    // The catalogue names tried for the current setting, English last.
    static std::vector<std::string> languages();

    // Forgets the catalogues read so far, so that rebuilt files are read again.
    static void reload();
};

} // namespace florelle
