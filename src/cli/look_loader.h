#pragma once
// Reading the looks of a run: the main look from the command line, the hover and pressed looks
// from their style files. Everything is read before the first file is written.
#include "cli/button_looks.h"
#include "cli/options.h"
#include "core/io/output_plan.h"
#include "core/io/result.h"

#include <QStringList>

#include <cstdint>
#include <vector>

namespace qv::cli {

// The picture under a look: as the window shows it, and with its alpha channel when the output
// format keeps it.
struct LookPicture {
    Canvas background;
    QImage transparent;
    bool has_picture = false;  // false: the window's blank 65x43 canvas
};

// An empty path gives the blank canvas.
Result<LookPicture> load_look_picture(const QString& path, ButtonFormat format);

// The text line's top: as given, or centred on the picture as the window centres it when it loads
// one (measured in the look's own font); before any picture it stays at the top.
std::int16_t text_y_for(const StyleSettings& style, const LookPicture& picture);

ButtonLook look_for(const StyleSettings& style, const LookPicture& picture, const QString& suffix);

// The look a style file describes, for `option` (--hover or --pressed). A style without a
// background is drawn on the main look's picture; the main look's format applies. When the main
// look stretches, the state look takes the main look's width for each label (ButtonLook's
// main_width); its own style gives the fit. Unknown keys
// are added to `warnings`, and the style file and its picture to `read` (what the run must not
// replace); the failure names the option, the file and the reason.
Result<ButtonLook> state_look(const QString& option, const QString& style_path,
                              const QString& suffix, const Options& main,
                              const LookPicture& main_picture, QStringList& warnings,
                              std::vector<PlanInput>& read);

}  // namespace qv::cli
