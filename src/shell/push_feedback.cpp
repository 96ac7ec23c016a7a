#include "shell/form_main.h"

#include <QPainter>

namespace {

void copy_rect(QImage& to, const QImage& from, const QRect& r) {
    QPainter p(&to);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(r.topLeft(), from, r);
}

}  // namespace

void Form_Main::draw_etat(HotSpot* spot, int etat) {
    const QRect r = spot->window_rect();
    copy_rect(screen_, etat == kPressed ? etat2_ : etat1_, r);
    painting_transient_ = true;
    repaint(r);
    painting_transient_ = false;
    process_events();
}

void Form_Main::latch_etat(std::initializer_list<std::pair<HotSpot*, int>> looks) {
    for (const auto& [spot, etat] : looks)
        copy_rect(persistent_, etat == kPressed ? etat2_ : etat1_, spot->window_rect());
    for (const auto& [spot, etat] : looks) {
        const QRect r = spot->window_rect();
        copy_rect(screen_, etat == kPressed ? etat2_ : etat1_, r);
        painting_transient_ = true;
        repaint(r);
        painting_transient_ = false;
    }
}
