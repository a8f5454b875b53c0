// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace florelle {

// The addresses a deployment of the diary points at. Each has a default and
// can be replaced through the environment, which is how tests and packagers
// set them:
//
//   FLORELLE_FORUM_URL   the forum's web page
//   FLORELLE_REVIEW_URL  the store's review page, with "APP_ID" where the
//                        store identifier goes
//   FLORELLE_STORE_ID    the application's store identifier (a whole number)
class DeploymentSettings {
public:
    static constexpr const char* defaultForumAddress = "https://forum.florelle.org/";
    static constexpr const char* defaultReviewAddressTemplate =
        "https://store.florelle.org/WebObjects/MZStore.woa/wa/viewContentsUserReviews?"
        "id=APP_ID&onlyLatestVersion=true&pageNumber=0&sortOrdering=1&type=Purple+Software";
    static constexpr int defaultStoreIdentifier = 0;

    static std::string forumAddress();
    static std::string reviewAddressTemplate();
    // A value that is not a whole number is logged and the default used.
    static int storeIdentifier();
    // The template with every "APP_ID" replaced by the store identifier.
    static std::string reviewAddress();
};

} // namespace florelle
