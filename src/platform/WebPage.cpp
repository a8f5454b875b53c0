// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebPage.h"

#include "XmlHandles.h"

#include <algorithm>
#include <cctype>
#include <libxml/HTMLparser.h>
#include <libxml/uri.h>
#include <memory>
#include <set>

namespace florelle {

namespace {

const std::set<std::string, std::less<>> skipped = {
    "head",   "script", "style",  "noscript", "template", "iframe", "object", "embed", "svg",
    "canvas", "input",  "select", "textarea", "button",   "form",   "video",  "audio"};

const std::set<std::string, std::less<>> blockElements = {
    "p",       "div",     "h1",     "h2",         "h3",      "h4",   "h5",         "h6",
    "li",      "ul",      "ol",     "dl",         "dt",      "dd",   "blockquote", "pre",
    "section", "article", "header", "footer",     "nav",     "main", "aside",      "table",
    "tr",      "hr",      "figure", "figcaption", "address", "body", "html",       "center"};

bool isSpace(char c) {
    return c == ' ' || c == '\n' || c == '\t' || c == '\r' || c == '\f';
}

std::string name(const xmlNode* node) {
    return node->name ? reinterpret_cast<const char*>(node->name) : "";
}

} // namespace

// Walks the parsed tree and collects blocks.
class WebPageBuilder {
public:
    explicit WebPageBuilder(WebPage& page, const std::string& address)
        : page_(page), address_(address) {}

    void visit(const xmlNode* node) {
        for (; node; node = node->next) {
            if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
                appendText(reinterpret_cast<const char*>(node->content));
            } else if (node->type == XML_ELEMENT_NODE) {
                visitElement(node);
            }
        }
    }

    void finish() { flush(); }

private:
    void visitElement(const xmlNode* node) {
        std::string tag = name(node);
        if (tag == "title" && page_.title_.empty()) {
            page_.title_ = collapsed(node);
            return;
        }
        if (skipped.count(tag)) {
            if (tag == "head") {
                findTitle(node->children);
            }
            return;
        }
        if (tag == "br") {
            current_.text += '\n';
            return;
        }
        if (!blockElements.count(tag)) {
            if (tag == "a") {
                visitLink(node);
            } else {
                visit(node->children);
            }
            return;
        }
        flush();
        auto savedKind = kind_;
        auto savedLevel = level_;
        bool savedPre = pre_;
        if (tag.size() == 2 && tag[0] == 'h' && tag[1] >= '1' && tag[1] <= '6') {
            kind_ = WebPage::Block::Kind::heading;
            level_ = tag[1] - '0';
        } else if (tag == "li") {
            kind_ = WebPage::Block::Kind::listItem;
        } else if (tag == "pre") {
            kind_ = WebPage::Block::Kind::preformatted;
            pre_ = true;
        }
        visit(node->children);
        flush();
        kind_ = savedKind;
        level_ = savedLevel;
        pre_ = savedPre;
    }

    void findTitle(const xmlNode* node) {
        for (; node; node = node->next) {
            if (node->type == XML_ELEMENT_NODE && name(node) == "title") {
                page_.title_ = collapsed(node);
                return;
            }
        }
    }

    void visitLink(const xmlNode* node) {
        XmlString href(xmlGetProp(node, reinterpret_cast<const xmlChar*>("href")));
        std::size_t begin = current_.text.size();
        visit(node->children);
        if (!href) {
            return;
        }
        XmlString resolved(
            xmlBuildURI(href.get(), reinterpret_cast<const xmlChar*>(address_.c_str())));
        std::size_t end = current_.text.size();
        while (end > begin && current_.text[end - 1] == ' ') {
            --end;
        }
        if (resolved && end > begin) {
            current_.links.push_back(
                WebPage::Link{begin, end, reinterpret_cast<const char*>(resolved.get())});
        }
    }

    static std::string collapsed(const xmlNode* node) {
        XmlString content(xmlNodeGetContent(node));
        std::string result;
        if (!content) {
            return result;
        }
        for (const char* c = reinterpret_cast<const char*>(content.get()); *c; ++c) {
            if (isSpace(*c)) {
                if (!result.empty() && result.back() != ' ') {
                    result += ' ';
                }
            } else {
                result += *c;
            }
        }
        while (!result.empty() && result.back() == ' ') {
            result.pop_back();
        }
        return result;
    }

    void appendText(const char* text) {
        if (!text) {
            return;
        }
        if (pre_) {
            current_.text += text;
            return;
        }
        for (const char* c = text; *c; ++c) {
            if (isSpace(*c)) {
                bool atLineStart = current_.text.empty() || current_.text.back() == '\n';
                if (!atLineStart && current_.text.back() != ' ') {
                    current_.text += ' ';
                }
            } else {
                current_.text += *c;
            }
        }
    }

    void flush() {
        std::string& text = current_.text;
        std::size_t end = text.size();
        while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\n')) {
            --end;
        }
        text.resize(end);
        if (!text.empty()) {
            for (auto& link : current_.links) {
                link.end = std::min(link.end, end);
            }
            std::erase_if(current_.links, [](const auto& link) { return link.end <= link.begin; });
            current_.kind = kind_;
            current_.level = kind_ == WebPage::Block::Kind::heading ? level_ : 0;
            page_.blocks_.push_back(std::move(current_));
        }
        current_ = WebPage::Block{};
    }

    WebPage& page_;
    const std::string& address_;
    WebPage::Block current_;
    WebPage::Block::Kind kind_ = WebPage::Block::Kind::paragraph;
    int level_ = 0;
    bool pre_ = false;
};

WebPage WebPage::parse(std::string_view html, const std::string& address,
                       const std::string& encoding) {
    WebPage page;
    if (html.empty()) {
        return page;
    }
    // A page that names no character set is taken as UTF-8.
    std::string used = encoding;
    if (used.empty()) {
        std::string start(html.substr(0, 4096));
        std::transform(start.begin(), start.end(), start.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (start.find("charset") == std::string::npos) {
            used = "UTF-8";
        }
    }
    XmlDoc doc(htmlReadMemory(html.data(), static_cast<int>(html.size()), address.c_str(),
                              used.empty() ? nullptr : used.c_str(),
                              HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                                  HTML_PARSE_NONET));
    if (!doc) {
        return page;
    }
    WebPageBuilder builder(page, address);
    builder.visit(xmlDocGetRootElement(doc.get()));
    builder.finish();
    return page;
}

std::string WebPage::text() const {
    std::string result;
    for (const auto& block : blocks_) {
        if (!result.empty()) {
            result += '\n';
        }
        result += block.text;
    }
    return result;
}

} // namespace florelle
