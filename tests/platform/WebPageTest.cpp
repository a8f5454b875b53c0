// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WebPage.h"

#include <gtest/gtest.h>

namespace florelle {
namespace {

TEST(WebPageTest, ReadsBlocksTextAndLinks) {
    struct Case {
        const char* html;
        const char* text;
    } cases[] = {
        {"<p>a<br>b</p>", "a\nb"},
        {"<div>one<div>two</div>three</div>", "one\ntwo\nthree"},
        {"<p>  spaced \n\t out  </p>", "spaced out"},
        {"<p>caf\xc3\xa9</p>", "caf\xc3\xa9"},
        {"<p>x<script>y</script><style>z</style></p>", "x"},
        {"<form><input value=v>k</form><p>kept</p>", "kept"},
        {"plain words", "plain words"},
        {"", ""},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(WebPage::parse(row.html, "http://host/dir/page").text(), row.text) << row.html;
    }
    auto page = WebPage::parse(
        "<p>See <a href='../up'>up</a>, <a href='https://x.org/a'>x</a> and <a>none</a></p>",
        "http://host/dir/page");
    ASSERT_EQ(page.blocks().size(), 1u);
    const auto& links = page.blocks()[0].links;
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].href, "http://host/up");
    EXPECT_EQ(page.blocks()[0].text.substr(links[0].begin, links[0].end - links[0].begin), "up");
    EXPECT_EQ(links[1].href, "https://x.org/a");
}

} // namespace
} // namespace florelle
