#pragma once
// File names for buttons made from a template, so a set can be named for a web server or a
// stylesheet rather than after each label as typed. The result has no extension; it then goes
// through the same path rules as a label.
#include <QString>

#include <optional>

namespace qv {

inline const QString kDefaultNameTemplate = QStringLiteral("{label}");

// Why a template cannot be used, or nothing when it can: it must not be empty, and every "{"
// must open one of {label}, {slug} or {n}.
std::optional<QString> name_template_error(const QString& name_template);

// The label in lower case with its letters and digits (of any script) kept, every run of other
// characters turned into one "-" and none at either end; a label without any letter or digit
// gives its `position` instead.
QString slug(const QString& label, qsizetype position);

// The template with {label} (the label as typed), {slug} and {n} (`position`, from 1) filled in.
// Expects a template that name_template_error accepts.
QString expand_name(const QString& name_template, const QString& label, qsizetype position);

}  // namespace qv
