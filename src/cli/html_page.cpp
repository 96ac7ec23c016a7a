#include "cli/html_page.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace qv::cli {
namespace {

// Every look of a button is in it; the main one shows until the pointer or a press picks another.
// One rule set serves all buttons, since every label is made in the same looks.
QString style_sheet(bool hover, bool pressed) {
    QString css = QStringLiteral(
        "body{margin:16px;background:#fff}\n"
        "nav{display:flex;flex-wrap:wrap;gap:8px;align-items:flex-start}\n"
        "nav a{display:block;line-height:0}\n"
        "nav img{display:block;border:0}\n"
        "nav .h,nav .p{display:none}\n");
    if (hover)
        css += QStringLiteral("nav a:hover .m{display:none}\nnav a:hover .h{display:block}\n");
    // After the hover rules, so that a press wins over the pointer resting on the button.
    if (pressed)
        css += QStringLiteral(
            "nav a:active .m,nav a:active .h{display:none}\nnav a:active .p{display:block}\n");
    return css;
}

// Put together piece by piece: a URL or a label holds "%" followed by digits often enough
// ("100%", "%3F" in an encoded name), and placeholders filled one after another would fill those.
QString image_tag(const char* look, const QString& label, const PageImage& image,
                  const QString& page_dir) {
    return QStringLiteral("<img class=\"") + QLatin1String(look) + QStringLiteral("\" src=\"") +
           relative_url(page_dir, image.file).toHtmlEscaped() + QStringLiteral("\" alt=\"") +
           label.toHtmlEscaped() + QStringLiteral("\" width=\"") +
           QString::number(image.size.width()) + QStringLiteral("\" height=\"") +
           QString::number(image.size.height()) + QStringLiteral("\">");
}

}  // namespace

QString relative_url(const QString& page_dir, const QString& file) {
    const QString relative = QDir(page_dir).relativeFilePath(QFileInfo(file).absoluteFilePath());
    QStringList parts = relative.split(u'/');
    for (QString& part : parts) part = QString::fromLatin1(QUrl::toPercentEncoding(part));
    return parts.join(u'/');
}

QString page_html(const std::vector<PageButton>& buttons, const QString& page_dir,
                  const QString& title) {
    QString html =
        QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>") +
        title.toHtmlEscaped() + QStringLiteral("</title>\n<style>\n");
    const bool hover = !buttons.empty() && buttons.front().hover;
    const bool pressed = !buttons.empty() && buttons.front().pressed;
    html += style_sheet(hover, pressed);
    html += QStringLiteral("</style>\n</head>\n<body>\n<nav>\n");
    for (const PageButton& b : buttons) {
        html += QStringLiteral("<a href=\"#\">");
        html += image_tag("m", b.label, b.main, page_dir);
        if (b.hover) html += image_tag("h", b.label, *b.hover, page_dir);
        if (b.pressed) html += image_tag("p", b.label, *b.pressed, page_dir);
        html += QStringLiteral("</a>\n");
    }
    html += QStringLiteral("</nav>\n</body>\n</html>\n");
    return html;
}

}  // namespace qv::cli
