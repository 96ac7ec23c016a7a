#pragma once
// Where a set goes by default: beside its background picture, except for the samples installed
// with the program, whose folder is the package's (as root the set would land inside it).
#include <QString>

namespace qv {

// True when `path` lies inside `folder`, at any depth, both with links and ".." resolved; false
// when either does not exist. "share/quorvane-old" does not lie in "share/quorvane".
bool lies_in(const QString& path, const QString& folder);

// "<pictures>/Quorvane/": the program's folder in the user's pictures folder.
QString pictures_output_folder(const QString& pictures);

// The default output directory for the background picture at `picture`: its own folder (with a
// trailing "/"), or the program's folder in `pictures` when it lies in the program's `data_folder`.
QString output_folder_for_picture(const QString& picture, const QString& data_folder,
                                  const QString& pictures);

}  // namespace qv
