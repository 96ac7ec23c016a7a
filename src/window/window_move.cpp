#include "window/window_move.h"

#include "window/screen_geometry.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace qv {
namespace {

// Moves the window with the pointer while the left button is held, for when the window manager
// cannot. The window is anchored to the pointer where the move began, so that it follows from
// the very next pointer move; the left button's release, or a move without it, ends the follow.
// Pointer moves are the move's own while it lasts, as they would be inside a window manager's move,
// so the title strip does not see them.
class PointerFollower final : public QObject {
  public:
    PointerFollower(QWidget& window, QPoint pointer)
        : QObject(&window), window_(window), grip_(pointer - window.pos()) {
        QCoreApplication::instance()->installEventFilter(this);
    }

    // Until the follow ends; the follower itself goes once control is back in the event loop.
    bool following() const { return following_; }

  protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (!following_ || !target->isWidgetType()) return false;
        if (event->type() == QEvent::MouseMove) {
            const auto* e = static_cast<const QMouseEvent*>(event);
            if (!(e->buttons() & Qt::LeftButton)) {
                finish();
                return false;
            }
            window_.move(e->globalPosition().toPoint() - grip_);
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton)
            finish();
        return false;
    }

  private:
    void finish() {
        following_ = false;
        QCoreApplication::instance()->removeEventFilter(this);
        deleteLater();
    }

    QWidget& window_;
    QPoint grip_;  // the pointer's place relative to the window's
    bool following_ = true;
};

// The window's follower while it follows, so that a second start joins it.
const PointerFollower* follower_of(const QWidget& window) {
    for (const QObject* child : window.children())
        if (const auto* follower = dynamic_cast<const PointerFollower*>(child);
            follower && follower->following())
            return follower;
    return nullptr;
}

}  // namespace

bool begin_window_move(QWidget& window, int buttons, QPointF pointer) {
    if (buttons != Qt::LeftButton) return false;
    if (follower_of(window)) return true;
    QWindow* handle = window.windowHandle();
    if (handle && handle->startSystemMove()) return true;
    new PointerFollower(window, pointer.toPoint());
    return true;
}

void centre_on_screen(QWidget& window) {
    QScreen* screen = window.screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    window.move(area.topLeft() + centred_origin(area.size(), window.size()));
}

}  // namespace qv
