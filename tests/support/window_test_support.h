#pragma once
// What the window tests share: a started main window on a scripted desktop, and its looks.
#include "scripted_platform.h"
#include "window/form_main.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QtTest>

#include <utility>

// Under xvfb rather than offscreen: windows can cover each other.
inline bool real_window_system() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}
// Lets the window system's answers arrive: a real one uncovers and repaints a window late.
inline void settle() {
    QCoreApplication::processEvents();
    if (real_window_system()) QTest::qWait(100);
}

struct Window {
    ScriptedPlatform platform;
    Form_Main form{platform};

    explicit Window(const QStringList& fonts = {QStringLiteral("DejaVu Sans")}) {
        platform.fonts = fonts;
        form.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        settle();  // where the splash window was
    }
};

inline QImage look(const QImage& image, const qv::HotSpot* spot) {
    return image.copy(spot->window_rect());
}
inline bool shows(const QImage& image, const qv::HotSpot* spot, const QImage& skin) {
    return look(image, spot) == look(skin, spot);
}
// A latched look: in the persistent image and on the screen.
inline bool latched(const Form_Main& f, const qv::HotSpot* spot, const QImage& skin) {
    return shows(f.persistent_image(), spot, skin) && shows(f.screen_image(), spot, skin);
}
// The window's pixels as they are on the screen.
inline QImage grabbed(QWidget& w) {
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Counts the previews' draws since it was last asked.
struct DrawCounter {
    const Form_Main& form;
    int seen = form.draw_count;
    int since() { return form.draw_count - std::exchange(seen, form.draw_count); }
};

// Delivered at once, to that widget, whatever Qt's own mouse grab says.
inline void send_mouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButton button,
                       Qt::MouseButtons held) {
    QMouseEvent event(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

// The context menu open now, if any.
inline QMenu* open_menu() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* menu = qobject_cast<QMenu*>(w); menu && menu->isVisible()) return menu;
    return nullptr;
}

// A right click at `at` (window pixels), delivered to the control there as the window system
// would deliver it; true when the window took it.
inline bool right_click(Form_Main& f, QPoint at) {
    QWidget* under = f.childAt(at);
    QWidget* target = under ? under : &f;
    QContextMenuEvent event(QContextMenuEvent::Mouse, target->mapFrom(&f, at), f.mapToGlobal(at));
    QCoreApplication::sendEvent(target, &event);
    return event.isAccepted();
}

// A point of the face with no control over it, from column `from_x` on.
inline QPoint bare_face(const Form_Main& f, int from_x = 0) {
    for (int y = 0; y < f.height(); ++y)
        for (int x = from_x; x < f.width(); ++x)
            if (!f.childAt(x, y)) return {x, y};
    return {};
}
