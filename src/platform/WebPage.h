// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace florelle {

// The readable text of an HTML page: its title and its blocks (headings,
// paragraphs, list items, preformatted text) with the links in them. Script,
// style sheets, forms and the head are left out; whitespace is collapsed as
// a browser does, except in preformatted blocks.
class WebPage {
public:
    struct Link {
        // Bytes of the block's text the link covers.
        std::size_t begin = 0;
        std::size_t end = 0;
        // Absolute, resolved against the page's address.
        std::string href;
    };
    struct Block {
        enum class Kind { heading, paragraph, listItem, preformatted };
        Kind kind = Kind::paragraph;
        // 1…6 for headings, 0 otherwise.
        int level = 0;
        std::string text;
        std::vector<Link> links;
    };

    // Reads the page leniently, as browsers do; `encoding` may be empty to
    // let the page say (or default to UTF-8).
    static WebPage parse(std::string_view html, const std::string& address,
                         const std::string& encoding = {});

    const std::string& title() const { return title_; }
    const std::vector<Block>& blocks() const { return blocks_; }
    // Every block's text, one per line.
    std::string text() const;

private:
    friend class WebPageBuilder;
    std::string title_;
    std::vector<Block> blocks_;
};

} // namespace florelle
