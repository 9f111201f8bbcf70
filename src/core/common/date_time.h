#pragma once
// A local calendar date and time to the second.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cpt {

struct DateTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const DateTime&, const DateTime&) = default;
};

// Seconds since 1970-01-01 00:00:00 of the same (local) calendar.
std::int64_t secondsSinceEpoch(const DateTime& moment);
DateTime fromSecondsSinceEpoch(std::int64_t seconds);

// "2026-12-09 22:32:02": the form of every stamp, caption and clock.
std::string formatDateTime(const DateTime& moment);
// Reads that form back; nothing when the text is not a valid date and time.
std::optional<DateTime> parseDateTime(std::string_view text);
// Why the text given as answerName (an option, a field, an argument) is no
// date and time.
std::string dateTimeComplaint(std::string_view answerName, std::string_view text);

}  // namespace cpt
