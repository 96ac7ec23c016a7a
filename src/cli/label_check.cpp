#include "cli/label_check.h"

#include <QHash>

#include <algorithm>

namespace qv::cli {

std::vector<qsizetype> labels_sharing_names(const QStringList& names, const QStringList& suffixes) {
    QHash<QString, qsizetype> owner;  // the first label to use each file name
    std::vector<bool> shared(size_t(names.size()), false);
    for (qsizetype i = 0; i < names.size(); ++i) {
        for (const QString& suffix : suffixes) {
            const QString name = names[i] + suffix;
            const auto it = owner.constFind(name);
            if (it == owner.cend()) {
                owner.insert(name, i);
            } else if (*it != i) {
                shared[size_t(*it)] = true;
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
