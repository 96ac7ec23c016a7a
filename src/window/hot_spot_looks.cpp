#include "window/form_main.h"

#include <QPainter>

namespace {

// A pixel-exact copy of one rectangle between images of the skin's size, at the same place.
void copy_rect(QImage& to, const QImage& from, const QRect& r) {
    if (from.isNull()) return;
    QPainter p(&to);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(r.topLeft(), from, r);
}

}  // namespace

void Form_Main::draw_etat(qv::HotSpot* spot, int etat) {
    const QRect r = spot->window_rect();
    copy_rect(screen_, skin(etat), r);
    show_on_screen(r);
    process_events();
}

void Form_Main::latch_etat(std::initializer_list<std::pair<qv::HotSpot*, int>> looks) {
    for (const auto& [spot, etat] : looks) copy_rect(persistent_, skin(etat), spot->window_rect());
    QRegion shown;
    for (const auto& [spot, etat] : looks) {
        copy_rect(screen_, skin(etat), spot->window_rect());
        shown += spot->window_rect();
    }
    show_on_screen(shown);
}
