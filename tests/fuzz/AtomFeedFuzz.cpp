// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the reader of the calendar server's documents:
// it must refuse what it cannot use with AtomFeedError and nothing else.
#include "sync/AtomFeed.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace florelle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const AtomFeed feed(Calendar(TimeZone("Europe/Berlin"), Locale("de_DE")));
    std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string address = "https://calendar.example.org/calendar/feeds/cal0/private/full";
    try {
        feed.parseEventFeed(text, address);
    } catch (const AtomFeedError&) {
    }
    try {
        feed.parseCalendarList(text, address);
    } catch (const AtomFeedError&) {
    }
    feed.parseTime(text);
    return 0;
}
