#include "core/render/style_conversions.h"

#include <QString>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace qv {

namespace {

bool is_blank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool is_digit(QChar c) {
    return c >= u'0' && c <= u'9';
}

}  // namespace

double round_half_even(double v) {
    // Explicit, so the rule does not depend on the floating-point rounding mode.
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

    // The well-formed number is copied as ASCII and converted in the C locale, so the user's
    // locale never changes what a colour text means.
    std::string ascii;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    long long int_digits = 0;     // significant digits before the point
    long long leading_zeros = 0;  // zeros after the point before the first significant digit
    qsizetype mantissa_digits = 0;
    for (; i < n && is_digit(text[i]); ++i, ++mantissa_digits) {
        if (int_digits > 0 || text[i] != u'0') ++int_digits;
        ascii.push_back(char(text[i].unicode()));
    }
    if (i < n && text[i] == u'.') {
        ascii.push_back('.');
        bool significant = int_digits > 0;
        for (++i; i < n && is_digit(text[i]); ++i, ++mantissa_digits) {
            significant = significant || text[i] != u'0';
            if (!significant) ++leading_zeros;
            ascii.push_back(char(text[i].unicode()));
        }
    }
    if (mantissa_digits == 0) return std::nullopt;
    long long exponent = 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ascii.push_back('e');
        ++i;
        bool negative_exponent = false;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) {
            negative_exponent = text[i] == u'-';
            ascii.push_back(char(text[i++].unicode()));
        }
        qsizetype exponent_digits = 0;
        for (; i < n && is_digit(text[i]); ++i, ++exponent_digits) {
            exponent = std::min(exponent * 10 + (text[i].unicode() - u'0'), 1'000'000'000LL);
            ascii.push_back(char(text[i].unicode()));
        }
        if (exponent_digits == 0) return std::nullopt;
        if (negative_exponent) exponent = -exponent;
    }
    if (i != n) return std::nullopt;

    double value = 0;
    const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value,
                                           std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Too large is not a number a colour can have; too small is zero.
        const long long magnitude = (int_digits > 0 ? int_digits : -leading_zeros) + exponent;
        if (magnitude > 0) return std::nullopt;
        value = 0;
    } else if (ec != std::errc{}) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<std::int16_t> to_int16(QStringView text) {
    const auto v = parse_number(text);
    if (!v) return std::nullopt;
    const double r = round_half_even(*v);
    if (r < std::numeric_limits<std::int16_t>::min() ||
        r > std::numeric_limits<std::int16_t>::max())
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
    // Blanks anywhere are skipped, as the captions' reader always did ("1 2" reads 12); the
    // longest leading well-formed number is then converted.
    QString compact;
    for (QChar c : text)
        if (!is_blank(c) && c != u'\n' && c != u'\r') compact.append(c);
    qsizetype i = 0;
    const qsizetype n = compact.size();
    if (i < n && (compact[i] == u'+' || compact[i] == u'-')) ++i;
    qsizetype digits = 0;
    for (; i < n && is_digit(compact[i]); ++i) ++digits;
    if (i < n && compact[i] == u'.')
        for (++i; i < n && is_digit(compact[i]); ++i) ++digits;
    if (digits == 0) return 0;
    qsizetype end = i;
    if (i < n &&
        (compact[i] == u'e' || compact[i] == u'E' || compact[i] == u'd' || compact[i] == u'D')) {
        compact[i] = u'e';
        if (++i < n && (compact[i] == u'+' || compact[i] == u'-')) ++i;
        const qsizetype exponent_start = i;
        while (i < n && is_digit(compact[i])) ++i;
        if (i > exponent_start) end = i;
    }
    return parse_number(QStringView(compact).first(end)).value_or(0);
}

std::optional<float> font_size_points(QStringView text) {
    const auto v = parse_number(text);
    if (!v || std::fabs(*v) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(*v);
}

}  // namespace qv
