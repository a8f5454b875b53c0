// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/Paths.h"

#include "foundation/Bundle.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <string>

using namespace florelle;
using florelle::testing::EnvironmentGuard;

TEST(Paths, DocumentsFollowTheXdgRules) {
    EnvironmentGuard home("HOME", "/home/ana");
    {
        EnvironmentGuard data("XDG_DATA_HOME", nullptr);
        EXPECT_EQ(Paths::documentsDirectory(), "/home/ana/.local/share/florelle");
    }
    {
        EnvironmentGuard data("XDG_DATA_HOME", "/data/ana");
        EXPECT_EQ(Paths::documentsDirectory(), "/data/ana/florelle");
        Paths::setDocumentsDirectory("/tmp/elsewhere");
        EXPECT_EQ(Paths::documentsDirectory(), "/tmp/elsewhere");
        Paths::setDocumentsDirectory(std::nullopt);
    }
    {
        // A relative value is not a valid XDG folder and is ignored.
        EnvironmentGuard data("XDG_DATA_HOME", "relative/dir");
        EXPECT_EQ(Paths::documentsDirectory(), "/home/ana/.local/share/florelle");
    }
    EnvironmentGuard config("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(Paths::configDirectory(), "/home/ana/.config/florelle");
}

TEST(Bundle, FindsResourcesInTheBuildTreeOrWhereTheEnvironmentSays) {
    EXPECT_TRUE(Bundle::pathForResource("period", "db")) << Bundle::resourceDirectory();
    EXPECT_FALSE(Bundle::pathForResource("no-such-picture", "png"));
    {
        EnvironmentGuard dir("FLORELLE_RESOURCE_DIR", "/opt/florelle-res");
        Bundle::setResourceDirectory(std::nullopt);
        EXPECT_EQ(Bundle::resourceDirectory(), "/opt/florelle-res");
        EXPECT_EQ(Bundle::expectedPathForResource("cal_tile", "png"),
                  "/opt/florelle-res/cal_tile.png");
    }
    Bundle::setResourceDirectory(std::nullopt);
    EXPECT_TRUE(Bundle::pathForResource("period", "db"));
    EXPECT_FALSE(Bundle::version().empty());
}
