// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/DiaryCopies.h"

#include "Fixtures.h"
#include "RawDatabase.h"
#include "durability/FileBytes.h"
#include "foundation/Calendar.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"
#include "storage/Transaction.h"
#include "support/TestEnvironment.h"

#include <algorithm>
#include <condition_variable>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

std::vector<std::string> filesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A thread with its own connection to the diary, kept open between the
// questions it is asked, as the window's is.
class OtherConnection {
public:
    OtherConnection() : thread_([this] { serve(); }) {}
    ~OtherConnection() {
        ask([] { return std::string(); }, true);
        thread_.join();
    }
    std::string ask(std::function<std::string()> question, bool last = false) {
        std::promise<std::string> answer;
        auto future = answer.get_future();
        {
            std::lock_guard lock(mutex_);
            question_ = [&, question] { answer.set_value(question()); };
            last_ = last;
        }
        ready_.notify_one();
        return future.get();
    }

private:
    void serve() {
        for (bool last = false; !last;) {
            std::function<void()> question;
            {
                std::unique_lock lock(mutex_);
                ready_.wait(lock, [this] { return bool(question_); });
                question = std::exchange(question_, nullptr);
                last = last_;
            }
            question();
        }
    }
    std::mutex mutex_;
    std::condition_variable ready_;
    std::function<void()> question_;
    bool last_ = false;
    std::thread thread_;
};

std::string periodStarts() {
    std::string starts;
    for (const Row& row : DC::getAllPeriods().value_or(std::vector<Row>{})) {
        starts += row.text("startDate").value_or("?") + " ";
    }
    return starts;
}

class DiaryCopiesTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        clock_->set(Date(utcSeconds(2026, 3, 10, 12)));
        ASSERT_TRUE(DC::saveLog(Date(utcSeconds(2026, 2, 1)), Date(utcSeconds(2026, 2, 5))));
        copies_ = documents_->path() / "copies";
        std::filesystem::create_directories(copies_);
    }
    std::filesystem::path folder() const { return databaseFile().parent_path(); }
    // A copy of the diary as it is now, changed by `sql`.
    std::filesystem::path diaryCopy(const std::string& name, const std::string& sql = "") {
        auto file = copies_ / name;
        EXPECT_EQ(DiaryCopies::backup(file), std::nullopt);
        EXPECT_EQ(RawDatabase(file).exec(sql), SQLITE_OK) << sql;
        return file;
    }
    std::filesystem::path fixture(int version) {
        auto file = copies_ / ("version" + std::to_string(version) + ".db");
        EXPECT_EQ(RawDatabase(file).exec(fixtureText(version)), SQLITE_OK);
        return file;
    }
    DiaryCopies::Restored restore(const std::filesystem::path& source) {
        return DiaryCopies::restore(source, Calendar::current(), clock_->now());
    }
    std::filesystem::path copies_;
};

} // namespace

TEST_F(DiaryCopiesTest, ACopyIsRefusedUnlessItIsASoundDiaryThisReleaseReads) {
    using Refusal = DiaryCopies::Refusal;
    auto damaged = diaryCopy("damaged.db", [] {
        std::string rows = "BEGIN;";
        for (int i = 0; i < 400; ++i) {
            rows +=
                "INSERT INTO syncEntry VALUES (NULL, 1, 2, 'a long enough text to fill pages');";
        }
        return rows + "COMMIT;";
    }());
    std::string bytes = bytesOf(damaged);
    // The header of the last page: no longer a page of the table.
    std::fill(bytes.end() - 4096, bytes.end() - 4096 + 16, '\x5a');
    replaceFile(damaged, bytes);
    replaceFile(copies_ / "garbage.db", std::string(8192, '\x5a'));
    replaceFile(copies_ / "empty.db", "");
    EXPECT_EQ(RawDatabase(copies_ / "foreign.db").exec("CREATE TABLE contacts (name TEXT)"),
              SQLITE_OK);

    struct Case {
        std::filesystem::path source;
        Refusal refusal;
        const char* detail;
    };
    const Case cases[] = {
        {copies_ / "missing.db", Refusal::unreadable, "No such file"},
        {copies_, Refusal::unreadable, "not a file"},
        {databaseFile(), Refusal::isTheDiary, "the diary itself"},
        {copies_ / "garbage.db", Refusal::notADatabase, "not an SQLite database"},
        {copies_ / "empty.db", Refusal::notADiary, "no table settings"},
        {copies_ / "foreign.db", Refusal::notADiary, "no table settings"},
        {damaged, Refusal::damaged, ""},
        {diaryCopy("newer.db", "UPDATE settings SET value = 140 WHERE name = 'APP_VERSION'"),
         Refusal::tooNew, "data version 140; this one reads up to 130"},
        {diaryCopy("odd.db", "UPDATE settings SET value = 125 WHERE name = 'APP_VERSION'"),
         Refusal::unknownVersion, "data version 125"},
        {diaryCopy("noversion.db", "DELETE FROM settings WHERE name = 'APP_VERSION'"),
         Refusal::notADiary, "APP_VERSION"},
        {diaryCopy("nosetting.db", "DELETE FROM settings WHERE name = 'SKIN'"), Refusal::notADiary,
         "no setting SKIN"},
        {diaryCopy("notable.db", "DROP TABLE usedSymptoms"), Refusal::notADiary,
         "no table usedSymptoms"},
        {diaryCopy("renamed.db", "ALTER TABLE periods RENAME COLUMN endDate TO lastDay"),
         Refusal::notADiary, "columns id, startDate, lastDay, not id, startDate, endDate"},
    };
    std::string diary = bytesOf(databaseFile());
    auto before = filesIn(folder());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source.filename().string());
        auto restored = restore(c.source);
        EXPECT_EQ(restored.refusal, c.refusal) << restored.detail;
        EXPECT_NE(restored.detail.find(c.detail), std::string::npos) << restored.detail;
        EXPECT_EQ(restored.keptCopy, std::nullopt);
        EXPECT_EQ(bytesOf(databaseFile()), diary);
        EXPECT_EQ(filesIn(folder()), before) << "no copy kept, nothing left behind";
    }
    EXPECT_EQ(DC::getCycleLength(), 28) << "the diary is still read";
}

TEST_F(DiaryCopiesTest, AnOlderDiaryIsRestoredUpdatedAndSeenByConnectionsAlreadyOpen) {
    OtherConnection window;
    std::string logged = periodStarts();
    EXPECT_EQ(window.ask(periodStarts), logged);
    auto source = fixture(100);

    auto restored = restore(source);
    ASSERT_TRUE(restored.done()) << restored.detail;
    EXPECT_EQ(restored.keptCopy, folder() / "period-2026-03-10.db");
    EXPECT_EQ(DC::getCurrentAppVersion(), 130) << "brought to the current version";
    EXPECT_EQ(RawDatabase(databaseFile()).text("SELECT imgName FROM symptoms WHERE id = 45"),
              "tower_high.png");
    std::string restoredStarts = periodStarts();
    EXPECT_NE(restoredStarts, logged);
    EXPECT_EQ(window.ask(periodStarts), restoredStarts) << "the open connection reads the new file";
    EXPECT_EQ(RawDatabase(*restored.keptCopy).text("SELECT startDate FROM periods"),
              std::to_string(static_cast<long long>(utcSeconds(2026, 2, 1))));
    struct stat status {};
    ASSERT_EQ(stat(databaseFile().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);

    EXPECT_EQ(restore(fixture(120)).keptCopy, folder() / "period-2026-03-10-2.db")
        << "an earlier copy of the day is kept too";
    EXPECT_TRUE(window.ask([] { return std::string(DC::saveCycleLength(31) ? "saved" : "not"); }) ==
                "saved");
    EXPECT_EQ(DC::getCycleLength(), 31) << "the window writes into the restored diary";
}

// A transaction that was open on the file a restored copy replaced cannot
// write into the copy; the next one does.
TEST_F(DiaryCopiesTest, ATransactionOnAReplacedFileEndsUndone) {
    auto replacement = diaryCopy("replacement.db", "UPDATE settings SET value = 30 WHERE name = "
                                                   "'CYCLE_LENGTH'");
    auto old = folder() / "old.db";
    std::filesystem::create_hard_link(databaseFile(), old);
    {
        auto transaction = Transaction::begin();
        ASSERT_TRUE(transaction.ok());
        std::filesystem::rename(replacement, databaseFile());
        EXPECT_FALSE(DC::saveCycleLength(40));
    }
    EXPECT_TRUE(DC::saveCycleLength(41));
    EXPECT_EQ(RawDatabase(databaseFile())
                  .text("SELECT value FROM settings WHERE name = "
                        "'CYCLE_LENGTH'"),
              "41");
    EXPECT_EQ(RawDatabase(old).text("SELECT value FROM settings WHERE name = 'CYCLE_LENGTH'"),
              "28");
}
