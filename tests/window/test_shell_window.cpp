// Window commands: moving by the title strips, minimise (their looks are checked with the rest).
#include "window_test_support.h"

namespace {

// How far the window moves for a drag along a strip: three pointer moves with the buttons held,
// their release, then one more move.
QPoint drag(Form_Main& f, QWidget* strip, Qt::MouseButtons held) {
    const QPoint before = f.pos();
    const QPoint grip = f.mapToGlobal(strip->geometry().center());
    // Positions are the pointer's on the screen: the strip moves with the window.
    const auto send = [&](QEvent::Type type, QPoint by, Qt::MouseButton button,
                          Qt::MouseButtons buttons) {
        send_mouse(strip, type, strip->mapFromGlobal(grip + by), button, buttons);
    };
    for (int step = 0; step <= 2; ++step)
        send(QEvent::MouseMove, {20 * step, 15 * step}, Qt::NoButton, held);
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        if (held & b) send(QEvent::MouseButtonRelease, {40, 30}, b, held &= ~b);
    send(QEvent::MouseMove, {90, 90}, Qt::NoButton, Qt::NoButton);
    return f.pos() - before;
}

}  // namespace

class ShellWindow : public QObject {
    Q_OBJECT

  private slots:
    void onlyTheLeftButtonAloneMovesTheWindow() {
        Window w;
        for (qv::HotSpot* strip : {w.form.Image_Move, w.form.Image1})
            for (Qt::MouseButtons held :
                 {Qt::MouseButtons(Qt::RightButton), Qt::LeftButton | Qt::RightButton,
                  Qt::MouseButtons(Qt::MiddleButton), Qt::MouseButtons(Qt::LeftButton)})
                // The window follows from the first move, by as much as the pointer.
                QCOMPARE(drag(w.form, strip, held),
                         held == Qt::LeftButton ? QPoint(40, 30) : QPoint());
    }

    void minimiseLeavesTheProgramRunning() {
        Window w;
        QTest::mouseClick(w.form.Image_Min, Qt::LeftButton);
        QVERIFY(w.form.windowState() & Qt::WindowMinimized);
        QVERIFY(!w.platform.ended);
    }
};

QTEST_MAIN(ShellWindow)
#include "test_shell_window.moc"
