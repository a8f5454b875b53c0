// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalDateFormatter.h"

#include <stdexcept>
#include <unicode/dtfmtsym.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/ucal.h>

namespace florelle {

namespace {

std::string toUtf8(const icu::UnicodeString& text) {
    std::string utf8;
    text.toUTF8String(utf8);
    return utf8;
}

} // namespace

CalDateFormatter::CalDateFormatter(std::string pattern) : pattern_(std::move(pattern)) {}

CalDateFormatter::CalDateFormatter(Style style) : style_(style) {}

CalDateFormatter::~CalDateFormatter() = default;

icu::SimpleDateFormat& CalDateFormatter::formatter() const {
    Locale locale = Locale::current();
    TimeZone zone = TimeZone::current();
    if (!formatter_ || locale.identifier() != localeIdentifier_ ||
        zone.identifier() != zoneIdentifier_) {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale icuLocale(locale.identifier().c_str());
        std::unique_ptr<icu::SimpleDateFormat> made;
        if (style_) {
            std::unique_ptr<icu::DateFormat> styled(icu::DateFormat::createDateInstance(
                *style_ == Style::shortStyle ? icu::DateFormat::kShort
                : *style_ == Style::full     ? icu::DateFormat::kFull
                                             : icu::DateFormat::kMedium,
                icuLocale));
            // ICU makes every style formatter a pattern formatter.
            if (auto* simple = dynamic_cast<icu::SimpleDateFormat*>(styled.get())) {
                styled.release();
                made.reset(simple);
            } else {
                status = U_UNSUPPORTED_ERROR;
            }
        } else {
            made = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString::fromUTF8(pattern_),
                                                           icuLocale, status);
        }
        if (U_FAILURE(status)) {
            throw std::runtime_error("cannot make a date formatter for \"" + pattern_ +
                                     "\": " + u_errorName(status));
        }
        made->adoptTimeZone(
            icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(zone.identifier())));
        formatter_ = std::move(made);
        localeIdentifier_ = locale.identifier();
        zoneIdentifier_ = zone.identifier();
    }
    return *formatter_;
}

std::string CalDateFormatter::stringFromDate(Date date) const {
    icu::UnicodeString text;
    formatter().format(date.timeIntervalSince1970() * 1000.0, text);
    return toUtf8(text);
}

std::vector<std::string> CalDateFormatter::shortWeekdaySymbols(const Locale& locale) {
    UErrorCode status = U_ZERO_ERROR;
    icu::DateFormatSymbols symbols(icu::Locale(locale.identifier().c_str()), status);
    if (U_FAILURE(status)) {
        throw std::runtime_error("no weekday names for " + locale.identifier());
    }
    int32_t count = 0;
    const icu::UnicodeString* names = symbols.getShortWeekdays(count);
    std::vector<std::string> result;
    // ICU's list starts with an empty entry so that UCAL_SUNDAY (1) indexes Sunday.
    for (int32_t index = UCAL_SUNDAY; index < count && result.size() < 7; ++index) {
        result.push_back(toUtf8(names[index]));
    }
    return result;
}

} // namespace florelle
