// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>
#include <system_error>

namespace florelle {

// Keeps the diary's folders and files to their owner, whatever the umask:
// folders 0700, files 0600. Files are replaced in one step through a
// temporary file beside them; temporary files that a killed run left behind
// are removed by later runs, never while their writer may still need them.
class PrivateFiles {
public:
    // Creates each missing folder of the chain with mode 0700, then tightens
    // `directory` itself. An error when a folder could not be made or is not
    // a folder.
    static std::error_code ensureDirectory(const std::filesystem::path& directory);
    // Sets a file the caller has just made to 0600 (a folder to 0700),
    // without a log line.
    static std::error_code makePrivate(const std::filesystem::path& path);
    // Takes away the group's and others' rights from an existing file or
    // folder, with one log line when it had any; a missing one is left alone.
    static void tighten(const std::filesystem::path& path);

    // Replaces `file` with `contents`, mode 0600: a crash or a failure leaves
    // either the old file or the new one, never a part, and no temporary file.
    static std::error_code writeAtomically(const std::filesystem::path& file,
                                           std::string_view contents);
    // The same for a file that a library writes by its name: `write` gets
    // the temporary file's path (the file exists, 0600); an error it returns
    // leaves `file` as it was.
    using FileWriter = std::function<std::error_code(const std::filesystem::path& temporary)>;
    static std::error_code writeAtomically(const std::filesystem::path& file,
                                           const FileWriter& write);
    // Removes the temporary files of `file` that a writer left: those whose
    // process has gone and those older than a minute.
    static void removeStaleTemporaries(const std::filesystem::path& file);

    // Start-up: tightens the documents and configuration folders, the
    // diary's database with its journal, the reminders and the user
    // defaults, and removes their stale temporary files.
    static void tightenDiaryFiles();
};

} // namespace florelle
