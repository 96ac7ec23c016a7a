#pragma once
// --style and --save-style: a style file stands for a set of options, and the options describe a
// style.
#include "cli/options.h"
#include "core/io/result.h"
#include "core/io/style_file.h"

#include <QStringList>

namespace qv::cli {

// The style that the options describe, as a style file holds it: a relative --background is
// made absolute.
StyleSettings style_to_save(const Options& options);

// When --style is given: reads it and reads the command line again over it, so that every option
// given overrides the file. The style's warnings (unknown keys) are added to `warnings`. The
// failure names the file, the key and the reason.
Result<Parsed> with_style_file(const QStringList& args, const Parsed& parsed,
                               QStringList& warnings);

}  // namespace qv::cli
