// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/UserDefaults.h"
#include "ui/AlertViewDelegate.h"

#include <functional>
#include <memory>
#include <string>

namespace florelle {

// Asks, now and then, for a rating in the store. Every activation counts
// towards the version it belongs to; from the sixth activation of a
// version, more than a day after its first, and while the machine is online,
// the prompt "Rate Florelle" comes up on the main run loop. "No" ends the
// asking until a new version starts counting afresh, "Yes, rate it!" opens
// the store's review page (DeploymentSettings) and ends it as well, "Later"
// asks again at the next activation. The state is kept in the user
// defaults under the keys below.
class AppRating : public AlertViewDelegate, public std::enable_shared_from_this<AppRating> {
public:
    static constexpr const char* kRatingCurrentVersion = "kRatingCurrentVersion";
    static constexpr const char* kRatingLaunchDate = "kRatingLaunchDate";
    static constexpr const char* kRatingLaunchCount = "kRatingLaunchCount";
    static constexpr const char* kRatingRatedCurrentVersion = "kRatingRatedCurrentVersion";
    static constexpr const char* kRatingDeclinedToRate = "kRatingDeclinedToRate";

    static constexpr double waitBeforePrompt = 86400;
    static constexpr long long launchesBeforePrompt = 5;

    enum Answer { no = 0, yesRateIt = 1, later = 2 };

    // Counts one activation of Bundle::version() on a thread of its own, so
    // the caller never waits; the prompt, when due, is posted to the main
    // run loop.
    static void appLaunched();
    // Waits until the counting threads started so far are done.
    static void waitForBookkeeping();

    // How the review page is opened; the desktop's browser unless a test
    // puts another in its place (an empty function restores the browser).
    using PageOpener = std::function<bool(const std::string& address)>;
    static void setReviewPageOpener(PageOpener opener);

    // The machine is online: reachable without a connection to be made
    // first, or over a transient connection, judged from the network flags
    // alone. Nothing is sent to find out.
    static bool connectedToNetwork();

    AppRating(std::shared_ptr<UserDefaults> defaults, std::string version);

    // The counting of one activation, on the calling thread; true when the
    // prompt was posted to the main run loop. Countings never overlap.
    bool _appLaunched();
    // Shows the prompt over the key window, unless one is already up.
    void showPrompt();
    void clickedButtonAtIndex(AlertView& alert, int index) override;

private:
    std::shared_ptr<UserDefaults> defaults_;
    std::string version_;
};

} // namespace florelle
