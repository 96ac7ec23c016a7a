// Looks of the hot-spots: transient and latched paints, repaints, the push pattern, and the look
// each hot-spot's layout entry declares.
#include "window/skin/skin_layout.h"
#include "window_test_support.h"

#include <QSignalSpy>

#include <memory>

class ShellFeedback : public QObject {
    Q_OBJECT
    std::unique_ptr<Window> w_;

  private slots:
    void init() { w_ = std::make_unique<Window>(); }  // every look told apart: see the last case
    void cleanup() { w_.reset(); }

    void latchedLooksSurviveRepaintsTransientOnesDoNot() {
        Form_Main& f = w_->form;
        f.latch_etat({{f.Image_typobitmap, Form_Main::kPressed}});
        f.draw_etat(f.Image_Make, Form_Main::kPressed);
        QVERIFY(shows(f.screen_image(), f.Image_Make, f.Picture_Etat2()));
        QVERIFY(shows(f.persistent_image(), f.Image_Make, f.Picture_Etat1()));
        if (real_window_system()) {  // uncovered for real
            QWidget cover(nullptr, Qt::FramelessWindowHint);
            cover.setGeometry(f.geometry());
            cover.show();
            QVERIFY(QTest::qWaitForWindowExposed(&cover));
            cover.hide();
            QTRY_VERIFY(shows(f.screen_image(), f.Image_Make, f.Picture_Etat1()));
        }
        f.repaint();  // a paint the window did not ask for
        for (const QImage& image : {f.screen_image(), grabbed(f)}) {
            QVERIFY(shows(image, f.Image_typobitmap, f.Picture_Etat2()));
            QVERIFY(shows(image, f.Image_Make, f.Picture_Etat1()));
        }

        // A latched look beyond the closed width shows when widened, whatever was drawn there.
        f.latch_etat({{f.Image_effet2, Form_Main::kPressed}});
        f.draw_etat(f.Image_effet2, Form_Main::kNormal);
        f.set_width_twips(9000);
        QTRY_VERIFY(shows(f.screen_image(), f.Image_effet2, f.Picture_Etat2()));
        QVERIFY(shows(grabbed(f), f.Image_effet2, f.Picture_Etat2()));
    }

    // The release goes to the pressed hot-spot wherever the pointer is: it restores the look and
    // the mouse-up acts (quit ends the program), but a click action (loading a list) does not.
    void releaseElsewhereRestoresLookAndSkipsClick() {
        Form_Main& f = w_->form;
        for (qv::HotSpot* spot : {f.Image_loadTxt, f.Image_Quit}) {
            QSignalSpy ups(spot, &qv::HotSpot::MouseUp), clicks(spot, &qv::HotSpot::Click);
            QTest::mousePress(f.windowHandle(), Qt::RightButton, {}, spot->geometry().center());
            QVERIFY(shows(f.screen_image(), spot, f.Picture_Etat2()));
            QVERIFY(!w_->platform.ended);
            QTest::mouseRelease(f.windowHandle(), Qt::RightButton, {}, QPoint(100, 150));
            QCOMPARE(ups.count(), 1);
            QCOMPARE(ups.first().at(0).toInt(), 2);  // the right button
            QCOMPARE(clicks.count(), 0);
            QVERIFY(shows(f.screen_image(), spot, f.Picture_Etat1()));
        }
        QVERIFY(w_->platform.ended);
        QVERIFY(w_->platform.dialog_dirs.isEmpty());  // no list was asked for

        QTest::mouseClick(f.Image_loadTxt, Qt::MiddleButton);  // any button clicks over it
        QCOMPARE(w_->platform.dialog_dirs.size(), 1);
    }

    // The layout table declares how each hot-spot answers the mouse; the push looks are wired from
    // it, the others by hand. Walking the table over the real window keeps the two together.
    void everyHotSpotGivesTheLookItsEntryDeclares() {
        using qv::layout::Feedback;
        Form_Main& f = w_->form;
        const QImage &normal = f.Picture_Etat1(), &pressed = f.Picture_Etat2();
        for (const qv::layout::Item& item : qv::layout::main_hot_spots()) {
            auto* spot = f.findChild<qv::HotSpot*>(item.name, Qt::FindDirectChildrenOnly);
            QVERIFY2(spot && spot->window_rect() == item.rect, item.name);
            // A title strip looks the same in both skins; every other look can be told apart.
            QVERIFY2(item.feedback == Feedback::Move || !shows(normal, spot, pressed), item.name);
            // Open and restored, so that the hot-spot is on view, and no repaint still pending
            // (from a resize, or a dialog that covered the window) to take a momentary look away.
            f.showNormal();
            f.set_width_twips(qv::layout::kExpandedTwips);
            settle();

            const QImage before = look(f.persistent_image(), spot);
            const auto as_before = [&] {
                return look(f.persistent_image(), spot) == before &&
                       look(f.screen_image(), spot) == before;
            };
            QTest::mousePress(spot, Qt::LeftButton);
            const bool pushed = shows(f.screen_image(), spot, pressed) &&
                                look(f.persistent_image(), spot) == before;
            const bool held_as_before = as_before();
            QTest::mouseRelease(spot, Qt::LeftButton);
            switch (item.feedback) {
                case Feedback::Push:
                case Feedback::PushClick:  // pressed on screen only, and back
                    QVERIFY2(pushed && latched(f, spot, normal), item.name);
                    break;
                case Feedback::Radio:
                    QVERIFY2(held_as_before && latched(f, spot, pressed), item.name);
                    break;
                case Feedback::Toggle:  // and off again
                    QVERIFY2(held_as_before && latched(f, spot, pressed), item.name);
                    QTest::mouseClick(spot, Qt::LeftButton);
                    QVERIFY2(latched(f, spot, normal), item.name);
                    break;
                case Feedback::None:
                case Feedback::Move:
                case Feedback::Inert:
                    QVERIFY2(held_as_before && as_before(), item.name);
                    break;
            }
        }
    }
};

QTEST_MAIN(ShellFeedback)
#include "test_shell_feedback.moc"
