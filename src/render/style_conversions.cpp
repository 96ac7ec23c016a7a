#include "render/style_conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace qv {

namespace {

bool is_blank(QChar c) { return c == u' ' || c == u'\t'; }
bool is_digit(QChar c) { return c >= u'0' && c <= u'9'; }

// Converts a string already known to be well formed ("-12.5e3", ".5", "5."): the standard
// conversion in the C locale, so a user's locale never changes what a colour text means.
// A value too large for a double is nullopt; one too small is 0.
std::optional<double> convert_checked(const std::string& s) {
    const char* first = s.data();
    const char* last = first + s.size();
    bool negative = false;
    if (first != last && (*first == '-' || *first == '+')) {
        negative = *first == '-';
        ++first;  // from_chars takes no plus sign; handle both signs alike
    }
    double value = 0;
    auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Decimal magnitude of the number: positive means it overflowed, otherwise underflowed.
        long long exponent = 0;
        const char* p = first;
        long long int_digits = 0;
        bool seen_nonzero = false;
        long long leading_fraction_zeros = 0;
        for (; p != last && *p >= '0' && *p <= '9'; ++p) {
            if (*p != '0') seen_nonzero = true;
            if (seen_nonzero) ++int_digits;
        }
        if (p != last && *p == '.') {
            ++p;
            for (; p != last && *p >= '0' && *p <= '9'; ++p) {
                if (!seen_nonzero && *p == '0') ++leading_fraction_zeros;
                if (*p != '0') seen_nonzero = true;
            }
        }
        if (p != last && (*p == 'e' || *p == 'E')) {
            ++p;
            bool neg_exp = false;
            if (p != last && (*p == '-' || *p == '+')) neg_exp = *p++ == '-';
            for (; p != last && *p >= '0' && *p <= '9'; ++p)
                exponent = std::min<long long>(exponent * 10 + (*p - '0'), 1'000'000'000);
            if (neg_exp) exponent = -exponent;
        }
        const long long magnitude =
            int_digits > 0 ? exponent + int_digits : exponent - leading_fraction_zeros;
        if (magnitude > 0) return std::nullopt;
        value = 0;
    } else if (ec != std::errc{} || end != last) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

}  // namespace

double round_half_even(double v) {
    // nearbyint follows the current rounding mode, which is to-nearest-even unless someone
    // changed it; rounding explicitly keeps the rule independent of that.
    const double floor_v = std::floor(v);
    const double diff = v - floor_v;
    if (diff < 0.5) return floor_v;
    if (diff > 0.5) return floor_v + 1;
    return std::fmod(floor_v, 2.0) == 0 ? floor_v : floor_v + 1;
}

std::optional<double> parse_number(QStringView text) {
    qsizetype i = 0;
    qsizetype n = text.size();
    while (i < n && is_blank(text[i])) ++i;
    while (n > i && is_blank(text[n - 1])) --n;

    std::string ascii;
    ascii.reserve(static_cast<std::size_t>(n - i));
    if (i < n && (text[i] == u'+' || text[i] == u'-')) ascii.push_back(char(text[i++].unicode()));
    qsizetype mantissa_digits = 0;
    while (i < n && is_digit(text[i])) {
        ascii.push_back(char(text[i++].unicode()));
        ++mantissa_digits;
    }
    if (i < n && text[i] == u'.') {
        ascii.push_back('.');
        ++i;
        while (i < n && is_digit(text[i])) {
            ascii.push_back(char(text[i++].unicode()));
            ++mantissa_digits;
        }
    }
    if (mantissa_digits == 0) return std::nullopt;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ascii.push_back('e');
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) ascii.push_back(char(text[i++].unicode()));
        qsizetype exponent_digits = 0;
        while (i < n && is_digit(text[i])) {
            ascii.push_back(char(text[i++].unicode()));
            ++exponent_digits;
        }
        if (exponent_digits == 0) return std::nullopt;
    }
    if (i != n) return std::nullopt;
    return convert_checked(ascii);
}

std::optional<std::int16_t> to_int16(QStringView text) {
    const auto v = parse_number(text);
    if (!v) return std::nullopt;
    const double r = round_half_even(*v);
    if (r < std::numeric_limits<std::int16_t>::min() || r > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(r);
}

std::optional<int> face_component(QStringView text) {
    const auto v = to_int16(text);
    if (!v) return std::nullopt;
    return std::clamp<int>(*v, 0, 255);
}

std::optional<int> dark_shade(QStringView text) {
    const auto v = parse_number(text);
    if (!v) return std::nullopt;
    return static_cast<int>(round_half_even(std::clamp(*v - 100.0, 0.0, 255.0)));
}

std::optional<int> light_shade(QStringView text) {
    const auto v = parse_number(text);
    if (!v) return std::nullopt;
    return static_cast<int>(round_half_even(std::clamp(*v + 100.0, 0.0, 255.0)));
}

double leading_number(QStringView text) {
    // Blanks anywhere are skipped, as the captions' reader always did ("1 2" reads 12).
    std::string ascii;
    bool digits = false;
    bool point = false;
    bool exponent = false;
    qsizetype exponent_start = 0;
    for (QChar c : text) {
        if (is_blank(c) || c == u'\n' || c == u'\r') continue;
        if (ascii.empty() && (c == u'+' || c == u'-')) {
            ascii.push_back(char(c.unicode()));
        } else if (is_digit(c)) {
            ascii.push_back(char(c.unicode()));
            if (!exponent) digits = true;
        } else if (c == u'.' && !point && !exponent) {
            ascii.push_back('.');
            point = true;
        } else if ((c == u'e' || c == u'E' || c == u'd' || c == u'D') && digits && !exponent) {
            exponent = true;
            exponent_start = static_cast<qsizetype>(ascii.size());
            ascii.push_back('e');
        } else if ((c == u'+' || c == u'-') && exponent &&
                   static_cast<qsizetype>(ascii.size()) == exponent_start + 1) {
            ascii.push_back(char(c.unicode()));
        } else {
            break;
        }
    }
    if (!digits) return 0;
    // An exponent marker without digits is not part of the number.
    if (exponent) {
        const auto tail = ascii.find_last_not_of("+-");
        if (tail == static_cast<std::size_t>(exponent_start)) ascii.resize(exponent_start);
    }
    if (ascii.back() == '.') ascii.pop_back();
    return convert_checked(ascii).value_or(0);
}

std::optional<float> font_size_points(QStringView text) {
    const auto v = parse_number(text);
    if (!v || std::fabs(*v) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(*v);
}

}  // namespace qv
