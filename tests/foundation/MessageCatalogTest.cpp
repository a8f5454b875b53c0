// SPDX-License-Identifier: GPL-3.0-or-later
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

TEST(MessageCatalog, CountedEntriesTakeTheFormTheHeaderChooses) {
    using namespace std::string_literals;
    const std::string days = "days Key\0days Key"s;
    auto german = MessageCatalog::parse(writeMessageCatalog({{days, "Tag\0Tage"s}}));
    ASSERT_TRUE(german);
    EXPECT_EQ(*german->find("days Key"), "Tag") << "the first form without a count";
    EXPECT_EQ(*german->findCounted("days Key", 1), "Tag") << "no header: n != 1";
    EXPECT_EQ(*german->findCounted("days Key", 0), "Tage");

    auto polish = MessageCatalog::parse(writeMessageCatalog(
        {{"", "Plural-Forms: nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && "
              "(n%100<10 || n%100>=20) ? 1 : 2);\n"},
         {days, "dzień\0dni\0dni"s},
         {"Month Key\0Month Key"s, "miesiąc\0miesiące\0"s},
         {"Period Key", "Okres"}}));
    ASSERT_TRUE(polish);
    EXPECT_EQ(polish->pluralRule().formCount(), 3u);
    EXPECT_EQ(*polish->findCounted("days Key", 1), "dzień");
    EXPECT_EQ(*polish->findCounted("days Key", 22), "dni");
    EXPECT_EQ(*polish->findCounted("Month Key", 3), "miesiące");
    EXPECT_EQ(polish->findCounted("Month Key", 5), nullptr) << "an empty form is missing";
    EXPECT_EQ(*polish->findCounted("Period Key", 5), "Okres") << "one form serves every count";
    EXPECT_EQ(polish->findCounted("Weight Key", 1), nullptr);
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
