#include "core/io/output_path.h"

#include "core/io/message_text.h"

#include <QStringTokenizer>

namespace qv {
namespace {

QString joined(const QString& directory, const QString& label, const QString& extension) {
    QString path;
    path.reserve(directory.size() + 1 + label.size() + extension.size());
    path += directory;
    if (!directory.endsWith(u'/')) path += u'/';
    path += label;
    path += extension;
    return path;
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
                           .arg(shown_in_message(label))};
    if (label.contains(QChar(u'\0')))
        return Failure{QStringLiteral("Cannot write %1: the label contains a NUL character, which "
                                      "no file name can hold; remove it from the text list")
                           .arg(shown_in_message(joined(directory, label, extension)))};
    if (label.startsWith(u'/'))
        return Failure{QStringLiteral("The label \"%1\" is an absolute path: buttons are written "
                                      "only inside the output directory %2")
                           .arg(shown_in_message(label), shown_in_message(directory))};
    if (has_parent_component(label))
        return Failure{QStringLiteral("The label \"%1\" has a \"..\" part that leads out of the "
                                      "output directory %2: buttons are written only inside it")
                           .arg(shown_in_message(label), shown_in_message(directory))};
    return joined(directory, label, extension);
}

}  // namespace qv
