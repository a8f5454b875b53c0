// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/SyncAccount.h"

#include "storage/DatabaseController.h"
#include "support/MemoryVault.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace florelle {
namespace {

using DC = DatabaseController;

using testing::MemoryVault;

class SyncAccountTest : public testing::DiaryTest {};

TEST_F(SyncAccountTest, AnOldPlainPasswordMovesIntoTheVaultAndLeavesTheDiary) {
    const std::string server = "https://calendar.example.org";
    ASSERT_TRUE(DC::saveGooglePassword("it's old"));

    MemoryVault unreachable(false);
    ASSERT_TRUE(moveOldPassword(unreachable, server, "anna"));
    EXPECT_EQ(DC::getPassword().value(), "it's old") << "nowhere else to keep it yet";

    MemoryVault vault(true);
    ASSERT_TRUE(moveOldPassword(vault, server, ""));
    EXPECT_TRUE(vault.kept.empty()) << "no account to keep it for";
    ASSERT_TRUE(moveOldPassword(vault, server, "anna"));
    EXPECT_EQ(vault.password(server, "anna"), "it's old");
    EXPECT_EQ(DC::getPassword().value().value_or(""), "");

    vault.keep(server, "anna", "newer");
    ASSERT_TRUE(moveOldPassword(vault, server, "anna"));
    EXPECT_EQ(vault.password(server, "anna"), "newer") << "an emptied row moves nothing";
}

} // namespace
} // namespace florelle
