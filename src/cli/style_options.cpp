#include "cli/style_options.h"

#include "core/io/message_text.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

namespace qv::cli {

Options options_from_style(const StyleSettings& s) {
    Options o;
    o.font_family = s.font;
    o.size = s.size;
    o.bold = s.bold;
    o.italic = s.italic;
    o.underline = s.underline;
    for (int i = 0; i < 3; ++i) o.color[i] = s.color[i];
    o.align = s.align;
    o.margin_left = s.margin_left;
    o.margin_right = s.margin_right;
    o.text_y = s.text_y;
    o.shadow = s.shadow;
    o.outline = s.outline;
    o.relief = s.relief;
    o.background_path = s.background;
    o.format = s.format;
    return o;
}

StyleSettings style_from_options(const Options& o) {
    StyleSettings s;
    s.font = o.font_family;
    s.size = o.size;
    s.bold = o.bold;
    s.italic = o.italic;
    s.underline = o.underline;
    for (int i = 0; i < 3; ++i) s.color[i] = o.color[i];
    s.align = o.align;
    s.margin_left = o.margin_left;
    s.margin_right = o.margin_right;
    s.text_y = o.text_y;
    s.shadow = o.shadow;
    s.outline = o.outline;
    s.relief = o.relief;
    if (!o.background_path.isEmpty())
        s.background = QDir::cleanPath(QFileInfo(o.background_path).absoluteFilePath());
    s.format = o.format;
    return s;
}

Result<Parsed> with_style_file(const QStringList& args, const Parsed& parsed,
                               QStringList& warnings) {
    const Options& given = parsed.options;
    if (given.style_path.isEmpty()) return parsed;
    const QString file = shown_in_message(given.style_path);
    auto style = read_style_file(given.style_path);
    if (!style) return Failure{QStringLiteral("--style: ") + style.error()};
    for (const QString& w : style->warnings)
        warnings << QStringLiteral("--style %1: %2").arg(file, w);

    // The font and the picture are named as the style's keys when they come from it.
    const StyleSettings& s = style->settings;
    if (given.font_family.isEmpty() && !s.font.isEmpty() && !QFontDatabase::hasFamily(s.font))
        return Failure{QStringLiteral("--style %1: \"font\": no font family \"%2\" is installed")
                           .arg(file, shown_in_message(s.font))};
    if (given.background_path.isEmpty() && !s.background.isEmpty() &&
        !QFileInfo(s.background).isFile())
        return Failure{QStringLiteral("--style %1: \"background\": there is no file %2")
                           .arg(file, shown_in_message(s.background))};
    return parse_options(args, options_from_style(s));
}

}  // namespace qv::cli
