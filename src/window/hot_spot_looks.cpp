#include "window/form_main.h"

#include <QPainter>

#include <algorithm>
#include <iterator>

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

void Form_Main::wire_push_spots() {
    using Feedback = qv::layout::Feedback;
    using MouseHandler = void (Form_Main::*)(int, int, double, double);
    // What each does on its mouse-up (Push) or on the click released over it (PushClick). The
    // browse buttons have no command yet: they only answer the press.
    struct Action {
        qv::HotSpot* spot;
        MouseHandler on_up = nullptr;
        void (Form_Main::*on_click)() = nullptr;
    };
    const Action actions[] = {
        {Image_Min, &Form_Main::Image_Min_MouseUp},
        {Image_Quit, &Form_Main::Image_Quit_MouseUp},
        {Image_loadbutton, &Form_Main::Image_loadbutton_MouseUp},
        {Image_loadTxt, nullptr, &Form_Main::Image_loadTxt_Click},
        {Image_DirectoryBrowse, &Form_Main::Image_DirectoryBrowse_MouseUp},
        {Image_Make, &Form_Main::Image_Make_MouseUp},
        {Image_typoback, &Form_Main::Image_typoback_MouseUp},
    };
    for (auto* spot : findChildren<qv::HotSpot*>(Qt::FindDirectChildrenOnly)) {
        const Feedback feedback = spot->item().feedback;
        if (feedback != Feedback::Push && feedback != Feedback::PushClick) continue;
        const auto* action = std::find_if(std::begin(actions), std::end(actions),
                                          [spot](const Action& a) { return a.spot == spot; });
        const bool acts = action != std::end(actions);
        // Pressed on screen only, whatever the window repaints from; the normal look is back
        // before the action, which may open a dialog or run for a while.
        connect(spot, &qv::HotSpot::MouseDown, this, [this, spot] { draw_etat(spot, kPressed); });
        const MouseHandler on_up = acts ? action->on_up : nullptr;
        connect(spot, &qv::HotSpot::MouseUp, this,
                [this, spot, on_up](int button, int shift, double x, double y) {
                    draw_etat(spot, kNormal);
                    if (on_up) (this->*on_up)(button, shift, x, y);
                });
        if (acts && action->on_click) connect(spot, &qv::HotSpot::Click, this, action->on_click);
        // An action's kind must match the table's: a mouse-up action for Push, a click for
        // PushClick.
        Q_ASSERT(!acts || (feedback == Feedback::Push) == (action->on_up != nullptr));
    }
}

void Form_Main::press_and_release(qv::HotSpot* spot) {
    emit spot->MouseDown(Qt::LeftButton, 0, 0, 0);
    emit spot->MouseUp(Qt::LeftButton, 0, 0, 0);
    if (spot->item().feedback == qv::layout::Feedback::PushClick) emit spot->Click();
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
