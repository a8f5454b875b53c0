// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopFiles.h"

#include "ChildProcess.h"
#include "DesktopPortal.h"

#include <glib.h>

namespace florelle {

namespace {

constexpr const char* chooserInterface = "org.freedesktop.portal.FileChooser";
// The version that lets the chooser pick folders.
constexpr unsigned foldersSince = 3;
constexpr unsigned filesSince = 1;

std::optional<std::filesystem::path> firstChosen(GVariant* results) {
    const gchar** uris = nullptr;
    if (!results || !g_variant_lookup(results, "uris", "^a&s", &uris) || !uris || !uris[0]) {
        g_free(uris);
        return std::nullopt;
    }
    gchar* name = g_filename_from_uri(uris[0], nullptr, nullptr);
    g_free(uris);
    if (!name) {
        return std::nullopt;
    }
    std::filesystem::path chosen(name);
    g_free(name);
    return chosen;
}

} // namespace

DesktopFiles::DesktopFiles(std::shared_ptr<DesktopPortal> portal) : portal_(std::move(portal)) {}

std::filesystem::path DesktopFiles::documentsFolder() {
    const gchar* documents = g_get_user_special_dir(G_USER_DIRECTORY_DOCUMENTS);
    return documents ? documents : g_get_home_dir();
}

bool DesktopFiles::open(const std::filesystem::path& file) {
    return ChildProcess::startDetached({"xdg-open", std::filesystem::absolute(file).string()});
}

bool DesktopFiles::chooseFolder(const std::string& title, const std::string& acceptLabel,
                                Chosen chosen) {
    return choose(true, title, acceptLabel, std::move(chosen));
}

bool DesktopFiles::chooseFile(const std::string& title, const std::string& acceptLabel,
                              Chosen chosen) {
    return choose(false, title, acceptLabel, std::move(chosen));
}

bool DesktopFiles::choose(bool folder, const std::string& title, const std::string& acceptLabel,
                          Chosen chosen) {
    if (!portal_ || portal_->version(chooserInterface) < (folder ? foldersSince : filesSince)) {
        return false;
    }
    GVariantBuilder options;
    g_variant_builder_init(&options, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_add(&options, "{sv}", "directory", g_variant_new_boolean(folder));
    g_variant_builder_add(&options, "{sv}", "modal", g_variant_new_boolean(TRUE));
    g_variant_builder_add(&options, "{sv}", "accept_label",
                          g_variant_new_string(acceptLabel.c_str()));
    return portal_->request(chooserInterface, "OpenFile",
                            {g_variant_new_string(""), g_variant_new_string(title.c_str())},
                            options, nullptr, [chosen](unsigned code, GVariant* results) {
                                chosen(code == 0 ? firstChosen(results) : std::nullopt);
                            });
}

} // namespace florelle
