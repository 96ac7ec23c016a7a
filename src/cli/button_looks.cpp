#include "cli/button_looks.h"

namespace qv::cli {

Placement place_on_look(Canvas& scratch, const ButtonLook& look, const ButtonStyle& style,
                        int main_width) {
    LabelLayout layout = look.layout;
    if (look.main_width && layout.stretch) {
        // Bounds of one width: the label is fitted to that width and the button takes it.
        layout.stretch->min_width = main_width;
        layout.stretch->max_width = main_width;
    }
    return place_label(scratch, style, layout, look.background.width());
}

PlacedLabel packed(const Placement& p) {
    PlacedLabel placed;
    if (p.lines.size() == 2) {
        placed.first = std::int32_t(p.lines[0].size());
        placed.second = std::int32_t(p.lines[1].size());
    }
    placed.width = p.width;
    placed.size = std::int16_t(p.size);
    placed.style_size = std::int16_t(p.style_size);
    placed.fits = p.fits;
    return placed;
}

Placement unpacked(const PlacedLabel& placed, const QString& label) {
    Placement p;
    p.lines = placed.first < 0 ? QStringList{label}
                               : QStringList{label.left(placed.first), label.right(placed.second)};
    p.size = placed.size;
    p.style_size = placed.style_size;
    p.width = placed.width;
    p.fits = placed.fits;
    return p;
}

}  // namespace qv::cli
