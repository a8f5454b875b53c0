// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppRating.h"

#include "foundation/Bundle.h"
#include "foundation/Clock.h"
#include "foundation/Log.h"
#include "foundation/RunLoop.h"
#include "foundation/Strings.h"
#include "platform/DeploymentSettings.h"
#include "platform/DesktopBrowser.h"
#include "platform/NetworkFlagsSource.h"
#include "ui/AlertView.h"

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace florelle {

namespace {

// One counting at a time, and never while an answer is written: two quick
// activations would otherwise both read the same count.
std::mutex bookkeepingMutex;

std::mutex openerMutex;
AppRating::PageOpener reviewPageOpener;

// The prompt that is up, so a further activation does not stack another,
// and its rating, kept here because the alert holds its delegate weakly.
std::weak_ptr<AlertView> shownPrompt;
std::shared_ptr<AppRating> ratingOfShownPrompt;

// The counting threads. Whatever is still running when the program ends is
// waited for here, before the objects it uses go away.
class BookkeepingThreads {
public:
    ~BookkeepingThreads() { joinAll(); }

    void start(std::function<void()> work) {
        std::lock_guard lock(mutex_);
        std::erase_if(running_, [](Entry& entry) {
            if (!entry.done->load()) {
                return false;
            }
            entry.thread.join();
            return true;
        });
        auto done = std::make_shared<std::atomic<bool>>(false);
        running_.push_back(Entry{std::thread([work = std::move(work), done] {
                                     work();
                                     done->store(true);
                                 }),
                                 done});
    }

    void joinAll() {
        std::vector<Entry> waiting;
        {
            std::lock_guard lock(mutex_);
            waiting.swap(running_);
        }
        for (auto& entry : waiting) {
            entry.thread.join();
        }
    }

private:
    struct Entry {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    std::mutex mutex_;
    std::vector<Entry> running_;
};

BookkeepingThreads& bookkeepingThreads() {
    static BookkeepingThreads threads;
    return threads;
}

} // namespace

AppRating::AppRating(std::shared_ptr<UserDefaults> defaults, std::string version)
    : defaults_(std::move(defaults)), version_(std::move(version)) {}

void AppRating::appLaunched() {
    auto rating =
        std::make_shared<AppRating>(UserDefaults::standardUserDefaults(), Bundle::version());
    // What the thread uses is made before the thread list, so at exit the
    // list is taken down, and its threads joined, before any of it.
    Clock::current();
    NetworkFlagsSource::current();
    RunLoop::main();
    bookkeepingThreads().start([rating] { rating->_appLaunched(); });
}

void AppRating::waitForBookkeeping() {
    bookkeepingThreads().joinAll();
}

void AppRating::setReviewPageOpener(PageOpener opener) {
    std::lock_guard lock(openerMutex);
    reviewPageOpener = std::move(opener);
}

bool AppRating::connectedToNetwork() {
    auto flags = NetworkFlagsSource::current()->flagsFor(NetworkTarget::internet());
    if (!flags) {
        Log::write("Error. Could not recover network reachability flags");
        return false;
    }
    bool reachable = *flags & NetworkFlag::reachable;
    bool needsConnection = *flags & NetworkFlag::connectionRequired;
    bool transient = *flags & NetworkFlag::transientConnection;
    return (reachable && !needsConnection) || transient;
}

bool AppRating::_appLaunched() {
    std::lock_guard lock(bookkeepingMutex);
    double now = Clock::current()->now().timeIntervalSince1970();
    if (!defaults_->hasKey(kRatingCurrentVersion)) {
        defaults_->setString(kRatingCurrentVersion, version_);
    }
    if (defaults_->stringForKey(kRatingCurrentVersion) == version_) {
        if (defaults_->doubleForKey(kRatingLaunchDate) == 0) {
            defaults_->setDouble(kRatingLaunchDate, now);
        }
        long long count = defaults_->integerForKey(kRatingLaunchCount) + 1;
        defaults_->setInteger(kRatingLaunchCount, count);
        bool waitedLongEnough = now - defaults_->doubleForKey(kRatingLaunchDate) > waitBeforePrompt;
        bool answered = defaults_->boolForKey(kRatingDeclinedToRate) ||
                        defaults_->boolForKey(kRatingRatedCurrentVersion);
        if (waitedLongEnough && count > launchesBeforePrompt && !answered && connectedToNetwork()) {
            RunLoop::main().post([self = shared_from_this()] { self->showPrompt(); });
            defaults_->synchronize();
            return true;
        }
    } else {
        defaults_->setString(kRatingCurrentVersion, version_);
        defaults_->setDouble(kRatingLaunchDate, now);
        defaults_->setInteger(kRatingLaunchCount, 1);
        defaults_->setBool(kRatingRatedCurrentVersion, false);
        defaults_->setBool(kRatingDeclinedToRate, false);
    }
    defaults_->synchronize();
    return false;
}

void AppRating::showPrompt() {
    if (auto shown = shownPrompt.lock(); shown && shown->isVisible()) {
        return;
    }
    auto alert = std::make_shared<AlertView>(
        Strings::localized("Rate Florelle"),
        Strings::localized("If you enjoy using Florelle, would you mind taking a moment to rate "
                           "this version? It won't take more than a minute. Thanks for your "
                           "support!"),
        weak_from_this(), Strings::localized("No"),
        std::vector<std::string>{Strings::localized("Yes, rate it!"), Strings::localized("Later")});
    alert->show();
    if (alert->isVisible()) {
        shownPrompt = alert;
        ratingOfShownPrompt = shared_from_this();
    }
}

void AppRating::clickedButtonAtIndex(AlertView&, int index) {
    std::lock_guard lock(bookkeepingMutex);
    if (index == no) {
        defaults_->setBool(kRatingDeclinedToRate, true);
    } else if (index == yesRateIt) {
        PageOpener opener;
        {
            std::lock_guard openerLock(openerMutex);
            opener = reviewPageOpener;
        }
        std::string address = DeploymentSettings::reviewAddress();
        opener ? opener(address) : DesktopBrowser::open(address);
        defaults_->setBool(kRatingRatedCurrentVersion, true);
    }
    defaults_->synchronize();
    if (ratingOfShownPrompt.get() == this) {
        ratingOfShownPrompt.reset();
    }
}

} // namespace florelle
