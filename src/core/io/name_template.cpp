#include "core/io/name_template.h"

#include <QList>
#include <QStringView>

#include <array>

namespace qv {
namespace {

constexpr std::array<QStringView, 3> kFields = {u"{label}", u"{slug}", u"{n}"};

// The field that starts at `at`, if any.
std::optional<QStringView> field_at(QStringView text, qsizetype at) {
    for (QStringView field : kFields)
        if (text.sliced(at).startsWith(field)) return field;
    return std::nullopt;
}

bool is_letter_or_digit(char32_t c) {
    return QChar::isLetter(c) || QChar::isDigit(c);
}

bool is_mark(char32_t c) {
    switch (QChar::category(c)) {
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
            return true;
        default:
            return false;
    }
}

}  // namespace

std::optional<QString> name_template_error(const QString& name_template) {
    if (name_template.isEmpty()) return QStringLiteral("the template is empty; try {slug}");
    for (qsizetype i = name_template.indexOf(u'{'); i >= 0; i = name_template.indexOf(u'{', i)) {
        const auto field = field_at(name_template, i);
        if (!field)
            return QStringLiteral("a \"{\" must open {label}, {slug} or {n} (at character %1)")
                .arg(i + 1);
        i += field->size();
    }
    return std::nullopt;
}

QString slug(const QString& label, qsizetype position) {
    // Composed form, so that an accent typed as a separate mark and one typed with its letter
    // make the same name; after lower-casing, which can add marks (İ gives i and a dot above).
    const QList<uint> points = label.toLower().normalized(QString::NormalizationForm_C).toUcs4();
    QString out;
    out.reserve(points.size());
    bool gap = false;  // characters were dropped since the last one kept
    for (const uint point : points) {
        const char32_t c = point;
        // A mark belongs to the letter before it: scripts such as Devanagari write vowels so.
        const bool keep = is_letter_or_digit(c) || (!out.isEmpty() && !gap && is_mark(c));
        if (!keep) {
            gap = true;
            continue;
        }
        if (gap && !out.isEmpty()) out += u'-';
        gap = false;
        out += QStringView(QChar::fromUcs4(c));
    }
    return out.isEmpty() ? QString::number(position) : out;
}

QString expand_name(const QString& name_template, const QString& label, qsizetype position) {
    QString out;
    out.reserve(name_template.size() + label.size());
    qsizetype i = 0;
    while (i < name_template.size()) {
        const auto field = name_template[i] == u'{' ? field_at(name_template, i) : std::nullopt;
        if (!field) {
            out += name_template[i++];
            continue;
        }
        if (*field == u"{label}")
            out += label;
        else if (*field == u"{slug}")
            out += slug(label, position);
        else
            out += QString::number(position);
        i += field->size();
    }
    return out;
}

}  // namespace qv
