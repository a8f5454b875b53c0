// SPDX-License-Identifier: GPL-3.0-or-later
#include "BarButtonItem.h"

namespace florelle {

namespace {

std::string systemTitle(BarButtonItem::SystemItem item) {
    switch (item) {
    case BarButtonItem::SystemItem::done:
        return "Done";
    case BarButtonItem::SystemItem::cancel:
        return "Cancel";
    case BarButtonItem::SystemItem::edit:
        return "Edit";
    case BarButtonItem::SystemItem::save:
        return "Save";
    case BarButtonItem::SystemItem::add:
        return "+";
    case BarButtonItem::SystemItem::none:
        break;
    }
    return {};
}

} // namespace

BarButtonItem::BarButtonItem(std::string title, Style style, std::function<void()> action)
    : action(std::move(action)), title_(std::move(title)), style_(style) {}

BarButtonItem::BarButtonItem(SystemItem item, std::function<void()> action)
    : action(std::move(action)), title_(systemTitle(item)), systemItem_(item),
      style_(item == SystemItem::done || item == SystemItem::save ? Style::done : Style::bordered) {
}

} // namespace florelle
