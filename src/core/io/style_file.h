#pragma once
// Style files (*.qvstyle): a label style, its background picture and the output format as a small
// UTF-8 JSON object, so that a look designed in the window can be used again, by the window or by
// quorvane-batch. docs/style-format.md describes the keys.
#include "core/io/button_output.h"
#include "core/io/result.h"
#include "core/render/button_style.h"
#include "core/render/label_fit.h"
#include "core/render/stretch.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

namespace qv {

inline constexpr int kStyleVersion = 1;
inline constexpr qint64 kMaxStyleFileBytes = 1 << 20;  // a style is a few hundred bytes

struct StyleSettings {
    QString font;  // family; empty: the default face
    int size = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    // As the window's colour boxes hold them ("12.5" stays "12.5": it draws differently from 12).
    std::array<QString, 3> color{QStringLiteral("255"), QStringLiteral("255"),
                                 QStringLiteral("255")};
    std::int16_t align = kAlignCentre;
    int margin_left = 0;
    int margin_right = 0;
    std::optional<std::int16_t> text_y;  // unset: centred on the picture
    bool shadow = false;
    bool outline = false;
    bool relief = false;  // the 3D effect
    QString background;   // absolute and clean; empty: none
    ButtonFormat format = ButtonFormat::Bmp;
    // Labels too wide for the button: drawn as they are, made smaller, or broken in two and then
    // made smaller, never below min_size (nor above size).
    FitMode fit = FitMode::None;
    int min_size = kDefaultMinSize;
    std::optional<Stretch> stretch;  // unset: every button is the picture's width

    bool operator==(const StyleSettings&) const = default;
};

struct ReadStyle {
    StyleSettings settings;
    QStringList warnings;  // one per unknown key, naming it
};

// Reads a style from its bytes; a relative "background" is taken from `folder`. The failure names
// the key and the value that are wrong.
Result<ReadStyle> parse_style(QByteArrayView bytes, const QString& folder);
Result<ReadStyle> read_style_file(const QString& path);

// Checks what a writer is about to save by the rules a reader applies, so that no program writes a
// style it would refuse to read (a colour box holding "abc", say).
Result<void> check_style(const StyleSettings& settings);

// The file's bytes, keys in the documented order; the background is written relative to `folder`
// when it lies inside it, so that a folder of styles and pictures can move as a whole.
QByteArray style_to_json(const StyleSettings& settings, const QString& folder);
// Checks, then replaces `path` atomically.
Result<void> write_style_file(const QString& path, const StyleSettings& settings);

}  // namespace qv
