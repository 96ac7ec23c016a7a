#include "cli/style_options.h"

#include "core/io/message_text.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

namespace qv::cli {

StyleSettings style_to_save(const Options& o) {
    StyleSettings s = o.style;
    if (!s.background.isEmpty())
        s.background = QDir::cleanPath(QFileInfo(s.background).absoluteFilePath());
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
    if (given.style.font.isEmpty() && !s.font.isEmpty() && !QFontDatabase::hasFamily(s.font))
        return Failure{QStringLiteral("--style %1: \"font\": no font family \"%2\" is installed")
                           .arg(file, shown_in_message(s.font))};
    if (given.style.background.isEmpty() && !s.background.isEmpty() &&
        !QFileInfo(s.background).isFile())
        return Failure{QStringLiteral("--style %1: \"background\": there is no file %2")
                           .arg(file, shown_in_message(s.background))};
    Options base;
    base.style = s;
    base.style_file_read = true;
    return parse_options(args, base);
}

}  // namespace qv::cli
