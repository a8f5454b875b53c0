// SPDX-License-Identifier: GPL-3.0-or-later
#include "SQLiteAccessRewrite.h"

#include "foundation/Format.h"
#include "foundation/Log.h"

#include <mutex>

namespace florelle {

namespace {

std::mutex rewriteCacheMutex;

} // namespace

std::optional<std::filesystem::path> SQLiteAccessRewrite::pathToDB() {
    static std::optional<PathCache> cache;
    std::lock_guard lock(rewriteCacheMutex);
    return resolvePath(cache);
}

void SQLiteAccessRewrite::copyReplaceDatabase() {
    Locations where = locations();
    std::error_code error;
    auto status = std::filesystem::status(where.directory, error);
    if (!std::filesystem::exists(status)) {
        createDirectory(where.directory);
        copyTemplateLogged(where);
        return;
    }
    if (!std::filesystem::is_directory(status)) {
        return;
    }
    Log::write("Provjeravam postoji li stara baza...");
    Log::write(std::filesystem::exists(where.file, error) ? "Baza postoji na putanji"
                                                          : "Baza ne postoji na putanji!");
    if (!copyTemplate(where)) {
        Log::write("Nova baza kopirana");
        return;
    }
    Log::write("Datoteka vec postoji, brisem staru...");
    if (!std::filesystem::remove(where.file, error) || error) {
        Log::write(format("error = Cannot remove '%@': %@", where.file.string(),
                          error ? error.message() : std::string("no such file")));
        return;
    }
    Log::write("Stara datoteka pobrisana");
    Log::write(copyTemplate(where) ? "Pogreska kod kopiranja nove datoteke"
                                   : "Nova datoteka kopirana");
}

} // namespace florelle
