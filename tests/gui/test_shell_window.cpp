// Window commands: moving by the title strips, minimise and quit.
#include "scripted_platform.h"
#include "shell/form_main.h"

#include <QMouseEvent>
#include <QtTest>

namespace {

void send(QWidget* w, QEvent::Type type, QPoint global, Qt::MouseButton button,
          Qt::MouseButtons held) {
    QMouseEvent e(type, w->mapFromGlobal(global), global, button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// A drag along a strip: three pointer moves with the buttons held, then their release.
void drag(QWidget* strip, QPoint from, QPoint by, Qt::MouseButtons held) {
    for (int step = 0; step <= 2; ++step)
        send(strip, QEvent::MouseMove, from + by * step / 2, Qt::NoButton, held);
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        if (held & b) send(strip, QEvent::MouseButtonRelease, from + by, b, held &= ~b);
}

}  // namespace

class ShellWindow : public QObject {
    Q_OBJECT
    ScriptedPlatform platform_;
    std::unique_ptr<Form_Main> form_;

  private slots:
    void init() {
        form_ = std::make_unique<Form_Main>(platform_);
        form_->Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }
    void cleanup() { form_.reset(); }

    void onlyTheLeftButtonAloneMovesTheWindow() {
        Form_Main& f = *form_;
        for (HotSpot* strip : {f.Image_Move, f.Image1}) {
            const QPoint grip = f.mapToGlobal(strip->geometry().center());
            for (Qt::MouseButtons held :
                 {Qt::MouseButtons(Qt::RightButton), Qt::LeftButton | Qt::RightButton,
                  Qt::MouseButtons(Qt::MiddleButton)}) {
                const QPoint before = f.pos();
                drag(strip, grip, QPoint(40, 30), held);
                QCOMPARE(f.pos(), before);
            }
            const QPoint before = f.pos();
            drag(strip, grip, QPoint(40, 30), Qt::LeftButton);
            QCOMPARE(f.pos(), before + QPoint(20, 15));  // the first move only takes hold
            // Released: further moves leave the window where it is.
            send(strip, QEvent::MouseMove, grip + QPoint(90, 90), Qt::NoButton, Qt::NoButton);
            QCOMPARE(f.pos(), before + QPoint(20, 15));
        }
    }

    void minimiseAndQuitGivePushFeedback() {
        Form_Main& f = *form_;
        const QRect min = f.Image_Min->window_rect();
        QTest::mousePress(f.Image_Min, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(f.screen_image().copy(min), f.Picture_Etat2().copy(min));
        QTest::mouseRelease(f.Image_Min, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(f.screen_image().copy(min), f.Picture_Etat1().copy(min));
        QVERIFY(f.windowState() & Qt::WindowMinimized);
        QVERIFY(!platform_.ended);

        f.showNormal();
        QTest::mouseClick(f.Image_Quit, Qt::MiddleButton, {}, QPoint(3, 3));
        QVERIFY(platform_.ended);
    }
};

QTEST_MAIN(ShellWindow)
#include "test_shell_window.moc"
