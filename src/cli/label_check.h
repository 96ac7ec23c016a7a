#pragma once
// Finding the labels whose files would overwrite another label's.
#include <QStringList>

#include <vector>

namespace qv::cli {

// The indices of the labels, in list order, one of whose files has the name of another label's
// file. A label's files are its name (`names`, one per label) followed by each of `suffixes`.
std::vector<qsizetype> labels_sharing_names(const QStringList& names, const QStringList& suffixes);

}  // namespace qv::cli
