#pragma once
// The command line of quorvane-batch, read into typed settings through QCommandLineParser
// ("--size 12" or "--size=12"). Reading checks every value (ranges are refused, never clamped)
// but touches no file: the caller checks the inputs.
#include "core/io/button_output.h"
#include "core/io/name_template.h"
#include "core/io/result.h"
#include "core/io/style_file.h"
#include "core/render/button_style.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace qv::cli {

// The style's ranges are the core's (button_style.h), shared with the window and style files.
inline constexpr int kMaxJobs = 256;

struct Options {
    QString labels_path;  // "-" is standard input
    QString out_dir;
    // The label style, its picture and the format. The background is the path as given (relative
    // to the working directory, as messages show it); a saved style makes it absolute.
    StyleSettings style;
    int jobs = 0;  // 0: one per core
    QString contact_sheet_path;
    QString name_template = kDefaultNameTemplate;
    QString hover_style_path;    // empty: no hover look
    QString pressed_style_path;  // empty: no pressed look
    QString hover_suffix = QStringLiteral("-hover");
    QString pressed_suffix = QStringLiteral("-pressed");
    QString html_path;        // empty: no page
    QString style_path;       // --style: read first, the other options override it
    QString save_style_path;  // --save-style
    bool check = false;
    bool strict = false;  // any warning fails the run before anything is written
    bool quiet = false;
    // --stretch-mode, --min-width and --max-width as given: they change the stretch that --stretch
    // or the --style file gives, so they are applied once both are read.
    std::optional<StretchMode> stretch_mode;
    std::optional<int> min_width;
    std::optional<int> max_width;
    bool style_file_read = false;  // `style` already holds the --style file's settings
};

enum class Action { Run, Help, Version };

struct Parsed {
    Action action = Action::Run;
    Options options;
};

// Reads the arguments (without the program name) over `base` (the defaults, or a style file's
// settings). The failure says which argument is wrong.
Result<Parsed> parse_options(const QStringList& args, const Options& base = {});

// The style every button of the run shares; the runner sets label_text per label. `text_y` must
// already be resolved (the default depends on the picture and the font).
ButtonStyle style_for(const StyleSettings& style, std::int16_t text_y);

QString help_text();
QString version_text();

}  // namespace qv::cli
