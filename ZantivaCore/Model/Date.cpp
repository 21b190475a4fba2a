#include "Model/Date.h"

#include <charconv>
#include <cstdio>

namespace zantiva {
namespace {

bool readNumber(std::string_view text, std::size_t at, std::size_t width, int& out) {
    if (at + width > text.size()) return false;
    for (std::size_t i = at; i < at + width; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    std::from_chars(text.data() + at, text.data() + at + width, out);
    return true;
}

} // namespace

std::string iso8601(Date date) {
    using namespace std::chrono;
    const auto seconds = floor<std::chrono::seconds>(date);
    const auto days = floor<std::chrono::days>(seconds);
    const year_month_day ymd{days};
    const hh_mm_ss time{seconds - days};
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02uT%02d:%02d:%02dZ", int(ymd.year()),
                  unsigned(ymd.month()), unsigned(ymd.day()), int(time.hours().count()),
                  int(time.minutes().count()), int(time.seconds().count()));
    return buffer;
}

std::optional<Date> parseIso8601(std::string_view text) {
    using namespace std::chrono;
    int y, mo, d, h, mi, s;
    if (text.size() < 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':')
        return std::nullopt;
    if (!readNumber(text, 0, 4, y) || !readNumber(text, 5, 2, mo) || !readNumber(text, 8, 2, d) ||
        !readNumber(text, 11, 2, h) || !readNumber(text, 14, 2, mi) || !readNumber(text, 17, 2, s))
        return std::nullopt;
    const year_month_day ymd{year{y}, month{unsigned(mo)}, day{unsigned(d)}};
    if (!ymd.ok() || h > 23 || mi > 59 || s > 60) return std::nullopt;

    int offsetMinutes = 0;
    const std::string_view zone = text.substr(19);
    if (zone != "Z") {
        int oh, om;
        if (zone.size() != 6 || (zone[0] != '+' && zone[0] != '-') || zone[3] != ':' ||
            !readNumber(zone, 1, 2, oh) || !readNumber(zone, 4, 2, om))
            return std::nullopt;
        offsetMinutes = (zone[0] == '-' ? -1 : 1) * (oh * 60 + om);
    }
    const sys_seconds instant = sys_days{ymd} + hours{h} + minutes{mi} + seconds{s} - minutes{offsetMinutes};
    // The clock counts nanoseconds in 64 bits (1677-09-21T00:12:44Z to 2262-04-11T23:47:16Z
    // in whole seconds): a time outside would wrap into another year, so it fails like any
    // other text that is not a date. The casts cut toward zero, so both ends lie inside.
    constexpr sys_seconds earliest = time_point_cast<seconds>(Date::min());
    constexpr sys_seconds latest = time_point_cast<seconds>(Date::max());
    if (instant < earliest || instant > latest) return std::nullopt;
    return time_point_cast<Date::duration>(instant);
}

} // namespace zantiva
