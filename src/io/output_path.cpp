#include "io/output_path.h"

#include <QStringTokenizer>

namespace qv {
namespace {

// The label as it can be shown in a message: a NUL would cut the text short.
QString shown(const QString& label) {
    QString text = label;
    text.replace(QChar(u'\0'), QStringLiteral("\\0"));
    return text;
}

bool has_parent_component(const QString& label) {
    for (const QStringView part : QStringView(label).tokenize(u'/'))
        if (part == u"..") return true;
    return false;
}

}  // namespace

Result<QString> output_path(const QString& directory, const QString& label,
                            const QString& extension) {
    if (directory.isEmpty())
        return Failure{QStringLiteral("No output directory for \"%1\": choose one first, or load a "
                                      "background picture to write beside it")
                           .arg(shown(label))};
    if (label.contains(QChar(u'\0')))
        return Failure{QStringLiteral("The label \"%1\" contains a NUL character, which no file "
                                      "name can hold: remove it from the text list")
                           .arg(shown(label))};
    if (label.startsWith(u'/'))
        return Failure{QStringLiteral("The label \"%1\" is an absolute path: buttons are written "
                                      "only inside the output directory %2")
                           .arg(label, directory)};
    if (has_parent_component(label))
        return Failure{QStringLiteral("The label \"%1\" has a \"..\" part that leads out of the "
                                      "output directory %2: buttons are written only inside it")
                           .arg(label, directory)};

    QString path;
    path.reserve(directory.size() + 1 + label.size() + extension.size());
    path += directory;
    if (!directory.endsWith(u'/')) path += u'/';
    path += label;
    path += extension;
    return path;
}

}  // namespace qv
