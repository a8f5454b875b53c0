// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/StoreResult.h"

#include <functional>
#include <string_view>

namespace florelle {

// Brings a database written by an older release to the current data version
// (APP_VERSION 130) at start-up, one step per version. The version is saved
// after every step, so an interrupted migration resumes where it stopped.
class VersionUpdater {
public:
    static constexpr int currentVersion = 130;
    // A step that throws is tried this often; then its version is passed.
    static constexpr int maxAttempts = 3;

    // `finished` runs once all due steps are done.
    explicit VersionUpdater(std::function<void()> finished = {});
    virtual ~VersionUpdater() = default;

    // Fails without changing anything when the stored version cannot be read.
    StoreStatus updateToCurrentVersion();
    // One step: 100 → 110 → 120 → 130; any other version goes to 130.
    int updateFromVersion(int version);
    // Whether a release wrote that data version: 100, 110, 120 or 130.
    static bool canUpdateFrom(int version);

    // The schema and data repairs the steps are made of.
    virtual void addHasDataColumn();
    virtual void repairBloatingHigh();
    // Recounts the kinds of data of every day.
    virtual void makeDataFlags();
    // Older releases stored the latest period at UTC midnight; it is moved to
    // local midnight of the day the user sees in her zone.
    virtual void repairLastPeriod();

    // The running kernel's release as an integer: "6.1.0-18-amd64" → 60100.
    static int getSystemVersionAsAnInteger();
    // The same for any dotted version text: at most three parts, weighted
    // 10000, 100 and 1.
    static int versionAsInteger(std::string_view version);

private:
    static int nextVersion(int version);

    std::function<void()> finished_;
};

} // namespace florelle
