#include "orderdb/reader/jet_values.h"

#include <cmath>
#include <cstdio>

namespace jet_values {

std::u16string decodeText(const std::uint8_t* bytes, std::size_t length)
{
    std::u16string text;
    if (length >= 2 && bytes[0] == 0xff && bytes[1] == 0xfe) {
        text.reserve(length - 2);
        bool oneByte = true;
        std::size_t i = 2;
        while (i < length) {
            if (bytes[i] == 0) {
                oneByte = !oneByte;
                ++i;
            } else if (oneByte) {
                text.push_back(bytes[i++]);
            } else if (i + 1 < length) {
                text.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
                i += 2;
            } else {
                break;
            }
        }
        return text;
    }
    text.reserve(length / 2);
    for (std::size_t i = 0; i + 1 < length; i += 2)
        text.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
    return text;
}

namespace {

// Days since 1970-01-01 to a civil date (proleptic Gregorian calendar).
void civilFromDays(long long z, long long& year, unsigned& month, unsigned& day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<long long>(yoe) + era * 400 + (month <= 2 ? 1 : 0);
}

} // namespace

std::string dateTimeText(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3e6)
        return {};
    // The whole part counts days; the fraction is the time of day even for
    // negative values (-1.25 is 1899-12-29 06:00).
    const double whole = std::trunc(days);
    long long seconds = std::llround(std::fabs(days - whole) * 86400.0);
    long long dayNumber = static_cast<long long>(whole);
    if (seconds >= 86400) {
        seconds -= 86400;
        dayNumber += days < 0 ? -1 : 1;
    }

    std::string text;
    if (dayNumber != 0) {
        long long year;
        unsigned month, day;
        civilFromDays(dayNumber - 25569, year, month, day); // 1899-12-30 is day -25569
        text = std::to_string(month) + "/" + std::to_string(day) + "/" + std::to_string(year);
    }
    if (seconds != 0 || dayNumber == 0) {
        const long long hour = seconds / 3600;
        char time[32];
        std::snprintf(time, sizeof time, "%lld:%02lld:%02lld %s", hour % 12 == 0 ? 12 : hour % 12,
                      seconds / 60 % 60, seconds % 60, hour < 12 ? "AM" : "PM");
        if (!text.empty())
            text += ' ';
        text += time;
    }
    return text;
}

std::u16string utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = lead < 0x80         ? 0
                    : (lead >> 5) == 6  ? 1
                    : (lead >> 4) == 14 ? 2
                    : (lead >> 3) == 30 ? 3
                                        : -1;
        char32_t code = extra == 0   ? lead
                        : extra == 1 ? lead & 0x1f
                        : extra == 2 ? lead & 0x0f
                                     : lead & 0x07;
        bool valid = extra >= 0;
        for (int k = 1; valid && k <= extra; ++k) {
            if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xc0) != 0x80)
                valid = false;
            else
                code = code << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3f);
        }
        if (!valid || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff)) {
            out.push_back(u'\ufffd');
            ++i;
            continue;
        }
        i += static_cast<std::size_t>(extra) + 1;
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xd800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xdc00 + (code & 0x3ff)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
    }
    return out;
}

} // namespace jet_values
