#include "cli/label_check.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <algorithm>

namespace qv::cli {

std::vector<qsizetype> labels_sharing_names(const QStringList& labels, const QStringList& names,
                                            const QStringList& suffixes) {
    struct Writer {
        qsizetype label;
        qsizetype look;
    };
    QHash<QByteArray, Writer> owner;  // the first label to use each file name
    std::vector<bool> shared(size_t(names.size()), false);
    for (qsizetype i = 0; i < names.size(); ++i) {
        for (qsizetype k = 0; k < suffixes.size(); ++k) {
            const QByteArray name = QFile::encodeName(QDir::cleanPath(names[i] + suffixes[k]));
            const auto it = owner.constFind(name);
            if (it == owner.cend()) {
                owner.insert(name, {i, k});
            } else if (it->look != k || labels[it->label] != labels[i]) {
                shared[size_t(it->label)] = true;
                shared[size_t(i)] = true;
            }
        }
    }
    std::vector<qsizetype> result;
    for (qsizetype i = 0; i < names.size(); ++i)
        if (shared[size_t(i)]) result.push_back(i);
    return result;
}

}  // namespace qv::cli
