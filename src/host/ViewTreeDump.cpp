// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewTreeDump.h"

#include "ui/View.h"

#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

namespace florelle {

namespace {

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string inQuotes(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
    return out + '"';
}

} // namespace

std::string ViewTreeDump::className(const View& view) {
    const char* mangled = typeid(view).name();
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
    std::string name = status == 0 && demangled ? demangled.get() : mangled;
    auto separator = name.rfind("::");
    return separator == std::string::npos ? name : name.substr(separator + 2);
}

std::string ViewTreeDump::describe(const View& root) {
    std::string out;
    describe(root, 0, out);
    return out;
}

void ViewTreeDump::describe(const View& view, int depth, std::string& out) {
    Rect frame = view.frame();
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    out += className(view) + " frame=(" + number(frame.minX()) + "," + number(frame.minY()) + "," +
           number(frame.width()) + "," + number(frame.height()) +
           ") alpha=" + number(view.alpha()) + " hidden=" + (view.isHidden() ? "1" : "0");
    if (std::string text = view.displayedText(); !text.empty()) {
        out += " text=" + inQuotes(text);
    }
    out += '\n';
    for (const auto& subview : view.subviews()) {
        describe(*subview, depth + 1, out);
    }
}

} // namespace florelle
