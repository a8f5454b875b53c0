// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/Bundle.h"
#include "foundation/Paths.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"
#include "support/ReadOnlyFolder.h"
#include "support/TestEnvironment.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <unistd.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

class StorageFailuresTest : public DiaryTest {
protected:
    std::string readFile(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void writeFile(const std::filesystem::path& file, const std::string& bytes) {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }
};

} // namespace

TEST_F(StorageFailuresTest, ADocumentsPathThatIsAFileIsReportedAndRetried) {
    auto documents = documents_->path() / "documents";
    writeFile(documents / "period", "not a folder");
    EXPECT_EQ(SQLiteAccess::pathToDB(), std::nullopt);
    auto unread = DatabaseController::getCycleLength();
    ASSERT_FALSE(unread);
    EXPECT_EQ(unread.error().kind, StoreError::Kind::unavailable);
    EXPECT_TRUE(log_->contains("is not a folder"));

    std::filesystem::remove(documents / "period");
    EXPECT_EQ(DatabaseController::getCycleLength(), 28) << "the next call must try again";
}

TEST_F(StorageFailuresTest, AnUnwritableFolderIsReportedAndRetried) {
    if (geteuid() == 0) {
        // root writes through permission bits; an unwritable place is a folder
        // below a regular file instead.
        Paths::setDocumentsDirectory(documents_->path() / "blocker" / "documents");
        writeFile(documents_->path() / "blocker", "x");
    } else {
        std::filesystem::create_directories(databaseFile().parent_path());
        std::filesystem::permissions(databaseFile().parent_path(),
                                     std::filesystem::perms::owner_read |
                                         std::filesystem::perms::owner_exec);
    }
    EXPECT_EQ(SQLiteAccess::pathToDB(), std::nullopt);
    EXPECT_TRUE(log_->contains("error = Cannot copy the template"));

    std::filesystem::remove(documents_->path() / "blocker");
    Paths::setDocumentsDirectory(documents_->path() / "documents");
    std::error_code notThere;
    std::filesystem::permissions(databaseFile().parent_path(), std::filesystem::perms::owner_all,
                                 notThere);
    ASSERT_TRUE(DatabaseController::saveCycleLength(30));
    EXPECT_EQ(DatabaseController::getCycleLength(), 30);
}

TEST_F(StorageFailuresTest, AMissingTemplateIsReportedAndRetried) {
    TempDirectory emptyResources;
    Bundle::setResourceDirectory(emptyResources.path());
    EXPECT_EQ(SQLiteAccess::pathToDB(), std::nullopt);
    EXPECT_TRUE(log_->contains("error = Cannot copy the template"));
    EXPECT_TRUE(log_->contains("period.db"));
    EXPECT_FALSE(std::filesystem::exists(databaseFile()));

    Bundle::setResourceDirectory(std::nullopt);
    EXPECT_EQ(SQLiteAccess::pathToDB(), databaseFile());
}

TEST_F(StorageFailuresTest, ADamagedDiaryIsNeverReplacedByTheTemplate) {
    SQLiteAccess::pathToDB();
    std::string good = readFile(databaseFile());
    std::string flipped = good;
    flipped[0] ^= 0x20; // the header's magic text: no longer a database

    struct Case {
        const char* name;
        std::string bytes;
        const char* logged;
    };
    const Case cases[] = {
        {"garbage", std::string(4096, '\x5a'), "is damaged"},
        {"zero length", "", "is empty"},
        {"flipped byte", flipped, "is damaged"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        log_->clear();
        writeFile(databaseFile(), c.bytes);
        EXPECT_FALSE(DatabaseController::saveCycleLength(31));
        EXPECT_FALSE(DatabaseController::saveStartPeriod(Date(1000)));
        EXPECT_FALSE(DatabaseController::getCycleLength()) << "nothing is read from it either";
        EXPECT_FALSE(SQLiteAccess::checkDiary());
        EXPECT_EQ(readFile(databaseFile()), c.bytes) << "the file must stay for rescue";
        EXPECT_TRUE(log_->contains(c.logged));
    }
}

TEST_F(StorageFailuresTest, AReadOnlyDiaryIsReadButSaysItCannotBeWritten) {
    ASSERT_TRUE(DatabaseController::saveCycleLength(30));
    std::string before = readFile(databaseFile());
    ReadOnlyFolder readOnly(databaseFile().parent_path());
    if (!readOnly.available()) {
        GTEST_SKIP() << "this machine cannot make a folder read-only for the test";
    }
    auto unwritable = SQLiteAccess::checkDiary();
    ASSERT_FALSE(unwritable);
    EXPECT_EQ(unwritable.error().kind, StoreError::Kind::readOnly);
    EXPECT_EQ(DatabaseController::getCycleLength(), 30);
    auto refused = DatabaseController::saveCycleLength(31);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().kind, StoreError::Kind::readOnly);
    EXPECT_EQ(readFile(databaseFile()), before);
}
