#include "foundation/Paths.h"

#include "foundation/Bundle.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

using namespace florelle;

namespace {

// Sets an environment variable for the life of the guard.
class EnvironmentGuard {
public:
    EnvironmentGuard(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~EnvironmentGuard() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace

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
