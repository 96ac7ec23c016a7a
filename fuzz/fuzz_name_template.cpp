// Any template and label: a template is either refused or expands, the slug is never empty and
// holds no "-" at either end, no "--" and nothing but letters, digits, their marks and "-".
#include "core/io/name_template.h"
#include "fuzz_support.h"

#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte splits the input into a template and a label, both read as UTF-16 so that
    // surrogates, lone or paired, are reached.
    if (size < 1) return 0;
    const std::size_t split = std::min<std::size_t>(data[0], size - 1) & ~std::size_t(1);
    const auto* text = reinterpret_cast<const char16_t*>(data + 1);
    const QString name_template = QString::fromUtf16(text, qsizetype(split / 2));
    const QString label = QString::fromUtf16(text + split / 2, qsizetype((size - 1 - split) / 2));
    const qsizetype position = qsizetype(size);

    const QString slug = qv::slug(label, position);
    FUZZ_CHECK(!slug.isEmpty());
    FUZZ_CHECK(!slug.startsWith(u'-') && !slug.endsWith(u'-') && !slug.contains(u"--"));
    for (const uint c : slug.toUcs4()) {
        const auto category = QChar::category(char32_t(c));
        FUZZ_CHECK(c == u'-' || QChar::isLetterOrNumber(char32_t(c)) ||
                   category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
                   category == QChar::Mark_Enclosing);
    }
    FUZZ_CHECK(slug == qv::slug(slug, position));  // a slug is its own slug

    if (!qv::name_template_error(name_template)) {
        const QString name = qv::expand_name(name_template, label, position);
        FUZZ_CHECK(qv::expand_name(name_template + QStringLiteral("{label}"), label, position) ==
                   name + label);
    }
    FUZZ_CHECK(qv::expand_name(QStringLiteral("{label}"), label, position) == label);
    return 0;
}
