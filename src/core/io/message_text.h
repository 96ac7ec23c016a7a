#pragma once
// Names and paths as a message shows them: a NUL or another control character would cut or garble
// the text, and a name of a megabyte would bury the reason, so both are made readable.
#include <QString>

namespace qv {

inline QString shown_in_message(const QString& text) {
    constexpr qsizetype kKeep = 400;  // characters kept at each end of a very long name
    QString shown;
    const bool elide = text.size() > 2 * kKeep + 20;
    shown.reserve(elide ? 2 * kKeep + 40 : text.size() + 8);
    auto append = [&shown](QStringView part) {
        for (const QChar c : part) {
            if (c.unicode() < 0x20 || c.unicode() == 0x7f)
                shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                shown += c;
        }
    };
    if (!elide) {
        append(text);
        return shown;
    }
    append(QStringView(text).left(kKeep));
    shown += QStringLiteral("...(%1 characters)...").arg(text.size() - 2 * kKeep);
    append(QStringView(text).right(kKeep));
    return shown;
}

}  // namespace qv
