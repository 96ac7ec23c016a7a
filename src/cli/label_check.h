#pragma once
// Finding the labels whose files would overwrite another label's.
#include <QStringList>

#include <vector>

namespace qv::cli {

// The indices of the labels, in list order, one of whose files has the name of another label's
// file, or of another look's. A label's files are its name (`names`, one per label) followed by
// each of `suffixes`; names are compared as the file system gets them, so two that differ only in
// characters no file name can hold (lone surrogates) are one. The same label listed twice writes
// the same file twice and shares nothing.
std::vector<qsizetype> labels_sharing_names(const QStringList& labels, const QStringList& names,
                                            const QStringList& suffixes);

}  // namespace qv::cli
