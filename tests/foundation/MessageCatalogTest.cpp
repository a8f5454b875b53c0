#include "foundation/MessageCatalog.h"

#include "support/MoWriter.h"
#include "support/TestEnvironment.h"

#include <fstream>
#include <gtest/gtest.h>

using florelle::MessageCatalog;
using florelle::testing::writeMessageCatalog;

TEST(MessageCatalog, FindsEveryTranslationInEitherByteOrder) {
    for (bool bigEndian : {false, true}) {
        auto catalog = MessageCatalog::parse(writeMessageCatalog(
            {{"Period Key", "Periode"}, {"days Key", "Tage"}, {"Weight Key", "Gewicht"}},
            bigEndian));
        ASSERT_TRUE(catalog) << "big endian " << bigEndian;
        EXPECT_EQ(catalog->size(), 3u);
        ASSERT_NE(catalog->find("Period Key"), nullptr);
        EXPECT_EQ(*catalog->find("Period Key"), "Periode");
        EXPECT_EQ(*catalog->find("Weight Key"), "Gewicht");
        EXPECT_EQ(catalog->find("Period"), nullptr);
    }
}

TEST(MessageCatalog, SkipsTheHeaderAndUntranslatedEntries) {
    auto catalog = MessageCatalog::parse(
        writeMessageCatalog({{"", "Content-Type: text/plain; charset=UTF-8\n"},
                             {"Back Key", ""},
                             {"Next Key", "Weiter"}}));
    ASSERT_TRUE(catalog);
    EXPECT_EQ(catalog->size(), 1u);
    EXPECT_EQ(catalog->find(""), nullptr);
    EXPECT_EQ(catalog->find("Back Key"), nullptr);
}

TEST(MessageCatalog, UsesTheFirstFormOfAPluralEntry) {
    using namespace std::string_literals;
    auto catalog = MessageCatalog::parse(
        writeMessageCatalog({{"day left Key\0days left Key"s, "Tag übrig\0Tage übrig"s}}));
    ASSERT_TRUE(catalog);
    ASSERT_NE(catalog->find("day left Key"), nullptr);
    EXPECT_EQ(*catalog->find("day left Key"), "Tag übrig");
}

TEST(MessageCatalog, RefusesBytesThatAreNoCatalogue) {
    auto good = writeMessageCatalog({{"Period Key", "Periode"}});
    EXPECT_FALSE(MessageCatalog::parse(""));
    EXPECT_FALSE(MessageCatalog::parse("not a catalogue at all, just text"));
    EXPECT_FALSE(MessageCatalog::parse(good.substr(0, 20)));
    // Every cut short of the last terminator points outside the file.
    for (std::size_t length = 28; length + 1 < good.size(); ++length) {
        EXPECT_FALSE(MessageCatalog::parse(good.substr(0, length))) << length;
    }
    auto wildOffset = good;
    wildOffset[32] = '\xff';
    wildOffset[33] = '\xff';
    EXPECT_FALSE(MessageCatalog::parse(wildOffset));
}

TEST(MessageCatalog, LoadsFilesAndReportsDamagedOnes) {
    florelle::testing::TempDirectory folder;
    florelle::testing::LogCapture log;
    EXPECT_FALSE(MessageCatalog::load(folder.path() / "missing.mo"));
    EXPECT_TRUE(log.lines().empty());

    std::ofstream(folder.path() / "good.mo", std::ios::binary)
        << writeMessageCatalog({{"Period Key", "Periode"}});
    auto good = MessageCatalog::load(folder.path() / "good.mo");
    ASSERT_TRUE(good);
    EXPECT_EQ(*good->find("Period Key"), "Periode");

    std::ofstream(folder.path() / "bad.mo", std::ios::binary) << "garbage";
    EXPECT_FALSE(MessageCatalog::load(folder.path() / "bad.mo"));
    EXPECT_TRUE(log.contains("bad.mo"));
}
