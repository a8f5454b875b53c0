// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DeploymentSettings.h"

#include "support/TestEnvironment.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace florelle {
namespace {

class DeploymentSettingsTest : public testing::DiaryTest {
protected:
    void TearDown() override {
        for (const char* name :
             {"FLORELLE_FORUM_URL", "FLORELLE_REVIEW_URL", "FLORELLE_STORE_ID"}) {
            ::unsetenv(name);
        }
        DiaryTest::TearDown();
    }
};

TEST_F(DeploymentSettingsTest, TheEnvironmentReplacesTheDefaults) {
    EXPECT_EQ(DeploymentSettings::forumAddress(), DeploymentSettings::defaultForumAddress);
    EXPECT_NE(DeploymentSettings::reviewAddress().find(
                  "viewContentsUserReviews?id=0&onlyLatestVersion=true&pageNumber=0&sortOrdering=1"
                  "&type=Purple+Software"),
              std::string::npos);

    ::setenv("FLORELLE_FORUM_URL", "http://127.0.0.1:8080/forum", 1);
    ::setenv("FLORELLE_REVIEW_URL", "https://store.test/APP_ID/reviews?app=APP_ID", 1);
    ::setenv("FLORELLE_STORE_ID", "-12", 1);
    EXPECT_EQ(DeploymentSettings::forumAddress(), "http://127.0.0.1:8080/forum");
    EXPECT_EQ(DeploymentSettings::reviewAddress(), "https://store.test/-12/reviews?app=-12");

    ::setenv("FLORELLE_STORE_ID", "12; rm", 1);
    EXPECT_EQ(DeploymentSettings::storeIdentifier(), DeploymentSettings::defaultStoreIdentifier);
    EXPECT_TRUE(log_->contains("FLORELLE_STORE_ID is not a whole number"));
}

} // namespace
} // namespace florelle
