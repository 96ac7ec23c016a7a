#include "core/io/style_file.h"

#include "core/io/atomic_write.h"
#include "core/io/message_text.h"
#include "core/render/style_conversions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace qv {
namespace {

const char* const kColourNames[3] = {"red", "green", "blue"};

// The keys in the order the file lists them; anything else is warned about.
const QStringList& known_keys() {
    static const QStringList keys{
        "quorvane_style", "font",        "size",         "bold",     "italic", "underline", "color",
        "align",          "margin_left", "margin_right", "y",        "shadow", "outline",   "3d",
        "background",     "format",      "fit",          "min_size", "stretch"};
    return keys;
}

QString number_text(double v) {
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

// A value as a message shows it: strings quoted, anything long cut short.
QString shown(const QJsonValue& v) {
    switch (v.type()) {
        case QJsonValue::String:
            return u'"' + shown_in_message(v.toString()) + u'"';
        case QJsonValue::Double:
            return number_text(v.toDouble());
        case QJsonValue::Bool:
            return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
        case QJsonValue::Array:
            return shown_in_message(
                QString::fromUtf8(QJsonDocument(v.toArray()).toJson(QJsonDocument::Compact)));
        case QJsonValue::Object:
            return shown_in_message(
                QString::fromUtf8(QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact)));
        default:
            return QStringLiteral("null");
    }
}

Failure wrong(const QString& key, const QString& wanted, const QJsonValue& value) {
    return Failure{QStringLiteral("\"%1\" must be %2, not %3").arg(key, wanted, shown(value))};
}

// A number, or the text a window box holds ("12.5", " 7"), read with the window's conversion.
std::optional<double> number_of(const QJsonValue& v) {
    if (v.isDouble()) return v.toDouble();
    if (v.isString()) return parse_number(v.toString());
    return std::nullopt;
}

Result<long long> whole(const QJsonObject& o, const QString& key, long long low, long long high,
                        long long absent) {
    const QJsonValue v = o.value(key);
    if (v.isUndefined()) return absent;
    const std::optional<double> n = number_of(v);
    if (!n || *n != std::floor(*n) || *n < double(low) || *n > double(high))
        return wrong(key, QStringLiteral("a whole number from %1 to %2").arg(low).arg(high), v);
    return static_cast<long long>(*n);
}

Result<bool> flag(const QJsonObject& o, const QString& key) {
    const QJsonValue v = o.value(key);
    if (v.isUndefined()) return false;
    if (!v.isBool()) return wrong(key, QStringLiteral("true or false"), v);
    return v.toBool();
}

Result<QString> text(const QJsonObject& o, const QString& key) {
    const QJsonValue v = o.value(key);
    if (v.isUndefined()) return QString();
    if (!v.isString()) return wrong(key, QStringLiteral("a text"), v);
    return v.toString();
}

// Each part must draw: a number whose face colour fits the window's 16-bit conversion.
Result<std::array<QString, 3>> colour(const QJsonObject& o) {
    std::array<QString, 3> parts{QStringLiteral("255"), QStringLiteral("255"),
                                 QStringLiteral("255")};
    const QJsonValue v = o.value(QLatin1String("color"));
    if (v.isUndefined()) return parts;
    const QJsonArray a = v.toArray();
    if (!v.isArray() || a.size() != 3)
        return wrong(QStringLiteral("color"), QStringLiteral("a list of three numbers [r, g, b]"),
                     v);
    for (int i = 0; i < 3; ++i) {
        const QJsonValue part = a[i];
        parts[i] = part.isDouble() ? number_text(part.toDouble()) : part.toString();
        if (!(part.isDouble() || part.isString()) || !face_component(parts[i]))
            return Failure{QStringLiteral("\"color\": the %1 part must be a number from %2 to %3, "
                                          "not %4")
                               .arg(QLatin1String(kColourNames[i]))
                               .arg(kMinColourPart)
                               .arg(kMaxColourPart)
                               .arg(shown(part))};
    }
    return parts;
}

const char* const kStretchKeys[] = {"left_cap", "right_cap", "stretch_mode", "min_width",
                                    "max_width"};

// What the ranges of single values cannot say: the width limits must leave room for the caps.
Result<void> check_stretch_widths(const Stretch& s) {
    const int caps = s.left_cap + s.right_cap;
    if (s.min_width && s.max_width && *s.min_width > *s.max_width)
        return Failure{QStringLiteral("\"stretch\": \"min_width\" must not be above \"max_width\" "
                                      "(%1), not %2")
                           .arg(*s.max_width)
                           .arg(*s.min_width)};
    if (s.max_width && *s.max_width < caps)
        return Failure{QStringLiteral("\"stretch\": \"max_width\" must be at least the two caps "
                                      "(%1), not %2")
                           .arg(caps)
                           .arg(*s.max_width)};
    return {};
}

Result<FitMode> fit_of(const QJsonObject& o) {
    const QJsonValue v = o.value(QLatin1String("fit"));
    if (v.isUndefined() || v == QJsonValue(QStringLiteral("none"))) return FitMode::None;
    if (v == QJsonValue(QStringLiteral("shrink"))) return FitMode::Shrink;
    if (v == QJsonValue(QStringLiteral("wrap"))) return FitMode::Wrap;
    return wrong(QStringLiteral("fit"), QStringLiteral("\"none\", \"shrink\" or \"wrap\""), v);
}

Result<std::optional<Stretch>> stretch_of(const QJsonObject& o) {
    const QJsonValue v = o.value(QLatin1String("stretch"));
    if (v.isUndefined()) return std::optional<Stretch>();
    if (!v.isObject())
        return wrong(QStringLiteral("stretch"),
                     QStringLiteral("an object such as {\"left_cap\": 10, \"right_cap\": 10}"), v);
    const QJsonObject so = v.toObject();
    auto inside = [](const QString& reason) {
        return Failure{QStringLiteral("\"stretch\": ") + reason};
    };
    Stretch s;
    auto left = whole(so, QStringLiteral("left_cap"), 0, kMaxStretchCap, 0);
    if (!left) return inside(left.error());
    s.left_cap = int(*left);
    auto right = whole(so, QStringLiteral("right_cap"), 0, kMaxStretchCap, 0);
    if (!right) return inside(right.error());
    s.right_cap = int(*right);
    const QJsonValue mode = so.value(QLatin1String("stretch_mode"));
    if (mode == QJsonValue(QStringLiteral("tile")))
        s.mode = StretchMode::Tile;
    else if (!mode.isUndefined() && mode != QJsonValue(QStringLiteral("scale")))
        return inside(
            wrong(QStringLiteral("stretch_mode"), QStringLiteral("\"scale\" or \"tile\""), mode)
                .message);
    for (auto [key, limit] : {std::pair{"min_width", &s.min_width}, {"max_width", &s.max_width}}) {
        if (!so.contains(QLatin1String(key))) continue;
        auto width = whole(so, QLatin1String(key), 1, kMaxStretchWidth, 0);
        if (!width) return inside(width.error());
        *limit = int(*width);
    }
    if (auto checked = check_stretch_widths(s); !checked) return Failure{checked.error()};
    return std::optional<Stretch>(s);
}

Result<StyleSettings> settings_of(const QJsonObject& o, const QString& folder) {
    StyleSettings s;
    auto font = text(o, QStringLiteral("font"));
    if (!font) return Failure{font.error()};
    s.font = *font;

    auto size = whole(o, QStringLiteral("size"), kMinFontSize, kMaxFontSize, 10);
    if (!size) return Failure{size.error()};
    s.size = int(*size);

    bool* const flags[] = {&s.bold, &s.italic, &s.underline, &s.shadow, &s.outline, &s.relief};
    const char* const flag_keys[] = {"bold", "italic", "underline", "shadow", "outline", "3d"};
    for (int i = 0; i < 6; ++i) {
        auto on = flag(o, QLatin1String(flag_keys[i]));
        if (!on) return Failure{on.error()};
        *flags[i] = *on;
    }

    auto parts = colour(o);
    if (!parts) return Failure{parts.error()};
    s.color = *parts;

    const QJsonValue align = o.value(QLatin1String("align"));
    if (align == QJsonValue(QStringLiteral("left")))
        s.align = kAlignLeft;
    else if (align == QJsonValue(QStringLiteral("right")))
        s.align = kAlignRight;
    else if (!align.isUndefined() && align != QJsonValue(QStringLiteral("center")))
        return wrong(QStringLiteral("align"), QStringLiteral("\"left\", \"center\" or \"right\""),
                     align);

    auto left = whole(o, QStringLiteral("margin_left"), 0, kMaxMargin, 0);
    if (!left) return Failure{left.error()};
    s.margin_left = int(*left);
    auto right = whole(o, QStringLiteral("margin_right"), 0, kMaxMargin, 0);
    if (!right) return Failure{right.error()};
    s.margin_right = int(*right);

    if (o.contains(QLatin1String("y"))) {
        auto y = whole(o, QStringLiteral("y"), std::numeric_limits<std::int16_t>::min(),
                       std::numeric_limits<std::int16_t>::max(), 0);
        if (!y) return Failure{y.error()};
        s.text_y = std::int16_t(*y);
    }

    auto background = text(o, QStringLiteral("background"));
    if (!background) return Failure{background.error()};
    if (!background->isEmpty())
        s.background = QDir::cleanPath(QDir(folder).absoluteFilePath(*background));

    const QJsonValue format = o.value(QLatin1String("format"));
    if (format == QJsonValue(QStringLiteral("png")))
        s.format = ButtonFormat::Png;
    else if (!format.isUndefined() && format != QJsonValue(QStringLiteral("bmp")))
        return wrong(QStringLiteral("format"), QStringLiteral("\"bmp\" or \"png\""), format);

    auto fit = fit_of(o);
    if (!fit) return Failure{fit.error()};
    s.fit = *fit;
    auto min_size =
        whole(o, QStringLiteral("min_size"), kMinFontSize, kMaxFontSize, kDefaultMinSize);
    if (!min_size) return Failure{min_size.error()};
    s.min_size = int(*min_size);
    auto stretch = stretch_of(o);
    if (!stretch) return Failure{stretch.error()};
    s.stretch = *stretch;
    return s;
}

// JSON string syntax: quotes, backslashes and control characters escaped, the rest as UTF-8.
void append_string(QByteArray& out, const QString& s) {
    out += '"';
    for (const char c : s.toUtf8()) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            out += QByteArray("\\u00") +
                   QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0');
        } else {
            out += c;
        }
    }
    out += '"';
}

// A colour box's text: a plain whole number as a number, any other text kept as text.
void append_colour_part(QByteArray& out, const QString& part) {
    bool whole_number = false;
    const int n = part.toInt(&whole_number);
    if (whole_number && QString::number(n) == part)
        out += QByteArray::number(n);
    else
        append_string(out, part);
}

QString background_for(const QString& background, const QString& folder) {
    const QString relative = QDir(folder).relativeFilePath(background);
    if (relative == u".." || relative.startsWith(u"../") || QDir::isAbsolutePath(relative))
        return background;
    return relative;
}

}  // namespace

Result<ReadStyle> parse_style(QByteArrayView bytes, const QString& folder) {
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);  // a BOM some editors add
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError)
        return Failure{QStringLiteral("it is not JSON (%1 at byte %2)")
                           .arg(error.errorString())
                           .arg(error.offset)};
    const QJsonObject o = doc.object();
    const QJsonValue version = o.value(QLatin1String("quorvane_style"));
    if (!doc.isObject() || version.isUndefined())
        return Failure{QStringLiteral("it is not a style file (it has no \"quorvane_style\" key)")};
    if (version.isDouble() && version.toDouble() > kStyleVersion)
        return Failure{QStringLiteral("it is a style of version %1; this program reads version %2")
                           .arg(shown(version))
                           .arg(kStyleVersion)};
    if (version != QJsonValue(kStyleVersion))
        return wrong(QStringLiteral("quorvane_style"), QString::number(kStyleVersion), version);

    auto settings = settings_of(o, folder);
    if (!settings) return Failure{settings.error()};
    ReadStyle read{*settings, {}};
    for (const QString& key : o.keys())
        if (!known_keys().contains(key))
            read.warnings
                << QStringLiteral("unknown key \"%1\" ignored").arg(shown_in_message(key));
    for (const QString& key : o.value(QLatin1String("stretch")).toObject().keys())
        if (std::ranges::find(kStretchKeys, key) == std::end(kStretchKeys))
            read.warnings
                << QStringLiteral("unknown key \"stretch.%1\" ignored").arg(shown_in_message(key));
    return read;
}

Result<ReadStyle> read_style_file(const QString& path) {
    auto failed = [&](const QString& reason) {
        return Failure{
            QStringLiteral("Cannot read style %1: %2").arg(shown_in_message(path), reason)};
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return failed(file.errorString());
    if (file.size() > kMaxStyleFileBytes)
        return failed(QStringLiteral("it is larger than %1 bytes").arg(kMaxStyleFileBytes));
    const QByteArray bytes = file.read(kMaxStyleFileBytes + 1);
    if (file.error() != QFileDevice::NoError) return failed(file.errorString());
    auto read = parse_style(bytes, QFileInfo(path).absolutePath());
    if (!read) return failed(read.error());
    return read;
}

Result<void> check_style(const StyleSettings& s) {
    auto range = [](const char* key, int v, int low, int high) -> Result<void> {
        if (v >= low && v <= high) return {};
        return Failure{QStringLiteral("\"%1\" must be a whole number from %2 to %3, not %4")
                           .arg(QLatin1String(key))
                           .arg(low)
                           .arg(high)
                           .arg(v)};
    };
    if (auto r = range("size", s.size, kMinFontSize, kMaxFontSize); !r) return r;
    if (auto r = range("margin_left", s.margin_left, 0, kMaxMargin); !r) return r;
    if (auto r = range("margin_right", s.margin_right, 0, kMaxMargin); !r) return r;
    if (auto r = range("align", s.align, kAlignLeft, kAlignRight); !r) return r;
    for (int i = 0; i < 3; ++i)
        if (!face_component(s.color[i]))
            return Failure{QStringLiteral("\"color\": the %1 part must be a number from %2 to %3, "
                                          "not \"%4\"")
                               .arg(QLatin1String(kColourNames[i]))
                               .arg(kMinColourPart)
                               .arg(kMaxColourPart)
                               .arg(shown_in_message(s.color[i]))};
    if (auto r = range("min_size", s.min_size, kMinFontSize, kMaxFontSize); !r) return r;
    if (s.stretch) {
        const Stretch& st = *s.stretch;
        auto inside = [](Result<void> r) -> Result<void> {
            if (r) return r;
            return Failure{QStringLiteral("\"stretch\": ") + r.error()};
        };
        if (auto r = inside(range("left_cap", st.left_cap, 0, kMaxStretchCap)); !r) return r;
        if (auto r = inside(range("right_cap", st.right_cap, 0, kMaxStretchCap)); !r) return r;
        for (auto [key, limit] :
             {std::pair{"min_width", st.min_width}, {"max_width", st.max_width}})
            if (limit)
                if (auto r = inside(range(key, *limit, 1, kMaxStretchWidth)); !r) return r;
        if (auto r = check_stretch_widths(st); !r) return r;
    }
    return {};
}

QByteArray style_to_json(const StyleSettings& s, const QString& folder) {
    QByteArray out;
    auto key = [&out](const char* name) {
        out += out.isEmpty() ? "{\n  \"" : ",\n  \"";
        out += name;
        out += "\": ";
    };
    auto boolean = [&](const char* name, bool on) {
        key(name);
        out += on ? "true" : "false";
    };
    key("quorvane_style");
    out += QByteArray::number(kStyleVersion);
    key("font");
    append_string(out, s.font);
    key("size");
    out += QByteArray::number(s.size);
    boolean("bold", s.bold);
    boolean("italic", s.italic);
    boolean("underline", s.underline);
    key("color");
    out += '[';
    for (int i = 0; i < 3; ++i) {
        if (i > 0) out += ", ";
        append_colour_part(out, s.color[i]);
    }
    out += ']';
    key("align");
    out += s.align == kAlignLeft ? "\"left\"" : s.align == kAlignRight ? "\"right\"" : "\"center\"";
    key("margin_left");
    out += QByteArray::number(s.margin_left);
    key("margin_right");
    out += QByteArray::number(s.margin_right);
    if (s.text_y) {
        key("y");
        out += QByteArray::number(*s.text_y);
    }
    boolean("shadow", s.shadow);
    boolean("outline", s.outline);
    boolean("3d", s.relief);
    if (!s.background.isEmpty()) {
        key("background");
        append_string(out, background_for(s.background, folder));
    }
    key("format");
    out += s.format == ButtonFormat::Png ? "\"png\"" : "\"bmp\"";
    // Only a style that uses them carries the fit keys, so other styles are written as before.
    if (s.fit != FitMode::None || s.min_size != kDefaultMinSize) {
        key("fit");
        out += s.fit == FitMode::Shrink ? "\"shrink\""
               : s.fit == FitMode::Wrap ? "\"wrap\""
                                        : "\"none\"";
        key("min_size");
        out += QByteArray::number(s.min_size);
    }
    if (s.stretch) {
        const Stretch& st = *s.stretch;
        key("stretch");
        out += "{\"left_cap\": " + QByteArray::number(st.left_cap) +
               ", \"right_cap\": " + QByteArray::number(st.right_cap) +
               ", \"stretch_mode\": " + (st.mode == StretchMode::Tile ? "\"tile\"" : "\"scale\"");
        if (st.min_width) out += ", \"min_width\": " + QByteArray::number(*st.min_width);
        if (st.max_width) out += ", \"max_width\": " + QByteArray::number(*st.max_width);
        out += '}';
    }
    out += "\n}\n";
    return out;
}

Result<void> write_style_file(const QString& path, const StyleSettings& settings) {
    if (auto checked = check_style(settings); !checked)
        return Failure{QStringLiteral("Cannot write style %1: %2")
                           .arg(shown_in_message(path), checked.error())};
    return write_file_atomically(path, style_to_json(settings, QFileInfo(path).absolutePath()));
}

}  // namespace qv
