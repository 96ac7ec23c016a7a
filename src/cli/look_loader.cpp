#include "cli/look_loader.h"

#include "core/io/message_text.h"
#include "core/io/picture_loader.h"
#include "core/io/style_file.h"
#include "core/render/text_renderer.h"

#include <QFontDatabase>

namespace qv::cli {

Result<LookPicture> load_look_picture(const QString& path, ButtonFormat format) {
    LookPicture look;
    if (path.isEmpty()) {
        look.background = Canvas::make({65, 43}, kWindowBackground);
        return look;
    }
    auto picture = decode_picture(path);
    if (!picture) return Failure{picture.error()};
    look.background =
        Canvas::from_picture(flattened(*picture, kWindowBackground), kWindowBackground);
    look.transparent = transparency_kept(format, *picture);
    look.has_picture = true;
    return look;
}

std::int16_t text_y_for(const StyleSettings& s, const LookPicture& picture) {
    if (s.text_y) return *s.text_y;
    if (!picture.has_picture) return 0;
    Canvas preview = Canvas::make(picture.background.image.size(), kWindowBackground);
    set_label_font(preview, style_for(s, 0));
    return centred_text_y(preview.height(), line_height(preview));
}

ButtonLook look_for(const StyleSettings& s, const LookPicture& picture, const QString& suffix) {
    return {style_for(s, text_y_for(s, picture)), picture.background, picture.transparent, suffix,
            LabelLayout{s.fit, s.min_size, s.stretch}};
}

namespace {

// A button's looks are one size, so that a page can swap them: when the main look stretches, a
// state look takes its width label by label, its picture stretched with its own style's caps (or
// the main look's); otherwise every look is its picture's width.
ButtonLook following_main(ButtonLook look, const StyleSettings& state, const Options& main) {
    look.layout.stretch.reset();
    if (!main.style.stretch) return look;
    Stretch caps = state.stretch ? *state.stretch : *main.style.stretch;
    caps.min_width.reset();
    caps.max_width.reset();
    look.layout.stretch = caps;
    look.main_width = true;
    return look;
}

}  // namespace

Result<ButtonLook> state_look(const QString& option, const QString& style_path,
                              const QString& suffix, const Options& main,
                              const LookPicture& main_picture, QStringList& warnings,
                              std::vector<PlanInput>& read) {
    const QString file = option + u' ' + shown_in_message(style_path);
    read.push_back({QStringLiteral("the %1 style").arg(option), style_path});
    auto style = read_style_file(style_path);
    if (!style) return Failure{file + QStringLiteral(": ") + style.error()};
    for (const QString& w : style->warnings) warnings << file + QStringLiteral(": ") + w;
    const StyleSettings& state = style->settings;
    if (!state.font.isEmpty() && !QFontDatabase::hasFamily(state.font))
        return Failure{QStringLiteral("%1: \"font\": no font family \"%2\" is installed")
                           .arg(file, shown_in_message(state.font))};
    if (state.background.isEmpty())
        return following_main(look_for(state, main_picture, suffix), state, main);
    read.push_back({QStringLiteral("the %1 style's picture").arg(option), state.background});
    auto picture = load_look_picture(state.background, main.style.format);
    if (!picture) return Failure{file + QStringLiteral(": \"background\": ") + picture.error()};
    return following_main(look_for(state, *picture, suffix), state, main);
}

}  // namespace qv::cli
