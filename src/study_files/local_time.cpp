#include "study_files/local_time.h"

namespace cpt {

std::time_t systemTimeOf(const DateTime& moment) {
    std::tm calendar{};
    calendar.tm_year = moment.year - 1900;
    calendar.tm_mon = moment.month - 1;
    calendar.tm_mday = moment.day;
    calendar.tm_hour = moment.hour;
    calendar.tm_min = moment.minute;
    calendar.tm_sec = moment.second;
    calendar.tm_isdst = -1;
    return std::mktime(&calendar);
}

}  // namespace cpt
