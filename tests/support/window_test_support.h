#pragma once
// What the window tests share: a started main window on a scripted desktop, and its looks.
#include "scripted_platform.h"
#include "window/form_main.h"

#include <QMouseEvent>
#include <QtTest>

#include <initializer_list>
#include <utility>

// Lets the window system's answers arrive: a real one uncovers and repaints a window late.
inline void settle() {
    QCoreApplication::processEvents();
    if (QGuiApplication::platformName() == QLatin1String("xcb")) QTest::qWait(100);
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
// The looks can be told apart only where the two skins differ.
inline bool skins_differ(const Form_Main& f, std::initializer_list<const qv::HotSpot*> spots) {
    for (const qv::HotSpot* spot : spots)
        if (shows(f.Picture_Etat1(), spot, f.Picture_Etat2())) return false;
    return true;
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
