// Looks of the hot-spots: transient and latched paints, repaints, and the push pattern.
#include "scripted_platform.h"
#include "shell/form_main.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// Whether `image` shows the given skin over the hot-spot's rectangle.
bool shows(const QImage& image, const HotSpot* spot, const QImage& skin) {
    const QRect r = spot->window_rect();
    return image.copy(r) == skin.copy(r);
}

// Mouse events through the window, as the platform delivers them (a release goes to the widget
// that got the press).
void press(Form_Main& f, const HotSpot* spot, Qt::MouseButton button) {
    QTest::mousePress(f.windowHandle(), button, {}, spot->geometry().center());
}
void release(Form_Main& f, Qt::MouseButton button, QPoint where) {
    QTest::mouseRelease(f.windowHandle(), button, {}, where);
}

}  // namespace

class ShellFeedback : public QObject {
    Q_OBJECT
    ScriptedPlatform platform_;
    std::unique_ptr<Form_Main> form_;

  private slots:
    void init() {
        form_ = std::make_unique<Form_Main>(platform_);
        form_->Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        // The looks are told apart only if the two skins differ under every hot-spot used.
        for (const HotSpot* spot :
             {form_->Image_Make, form_->Image_typobitmap, form_->Image_effet2, form_->Image_Quit})
            QVERIFY(!shows(form_->Picture_Etat1(), spot, form_->Picture_Etat2()));
    }
    void cleanup() { form_.reset(); }

    void latchedLookSurvivesRepaintTransientDoesNot() {
        Form_Main& f = *form_;
        f.latch_etat({{f.Image_typobitmap, Form_Main::kPressed}});
        f.draw_etat(f.Image_Make, Form_Main::kPressed);
        QVERIFY(shows(f.screen_image(), f.Image_Make, f.Picture_Etat2()));
        QVERIFY(shows(f.persistent_image(), f.Image_Make, f.Picture_Etat1()));

        f.repaint();  // as when the window is uncovered
        QVERIFY(shows(f.screen_image(), f.Image_typobitmap, f.Picture_Etat2()));
        QVERIFY(shows(f.screen_image(), f.Image_Make, f.Picture_Etat1()));
        const QImage on_screen = f.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY(shows(on_screen, f.Image_typobitmap, f.Picture_Etat2()));
        QVERIFY(shows(on_screen, f.Image_Make, f.Picture_Etat1()));
    }

    void latchedLookBeyondClosedWidthShowsWhenWidened() {
        Form_Main& f = *form_;
        QCOMPARE(f.width(), 319);
        f.latch_etat({{f.Image_effet2, Form_Main::kPressed}});
        // A transient normal look out there must not be what the widened window shows.
        f.draw_etat(f.Image_effet2, Form_Main::kNormal);
        f.set_width_twips(9000);
        QTRY_COMPARE(f.width(), 600);
        QTRY_VERIFY(shows(f.screen_image(), f.Image_effet2, f.Picture_Etat2()));
        const QImage on_screen = f.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY(shows(on_screen, f.Image_effet2, f.Picture_Etat2()));
    }

    void uncoveredWindowRepaintsFromPersistentImage() {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("only a real window system uncovers windows");
        Form_Main& f = *form_;
        f.latch_etat({{f.Image_typobitmap, Form_Main::kPressed}});
        f.draw_etat(f.Image_Make, Form_Main::kPressed);
        QWidget cover(nullptr, Qt::FramelessWindowHint);
        cover.setGeometry(f.geometry());
        cover.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cover));
        cover.hide();
        QTRY_VERIFY(shows(f.screen_image(), f.Image_Make, f.Picture_Etat1()));
        QVERIFY(shows(f.screen_image(), f.Image_typobitmap, f.Picture_Etat2()));
    }

    void releaseGoesToPressedHotSpotWhereverPointerIs() {
        Form_Main& f = *form_;
        QSignalSpy ups(f.Image_Quit, &HotSpot::MouseUp);
        QSignalSpy clicks(f.Image_Quit, &HotSpot::Click);
        press(f, f.Image_Quit, Qt::RightButton);
        QVERIFY(shows(f.screen_image(), f.Image_Quit, f.Picture_Etat2()));
        QVERIFY(!platform_.ended);
        // Released over the panel, well away from the hot-spot.
        release(f, Qt::RightButton, QPoint(100, 150));
        QCOMPARE(ups.count(), 1);
        QCOMPARE(ups.first().at(0).toInt(), 2);  // the right button
        QCOMPARE(clicks.count(), 0);
        QVERIFY(shows(f.screen_image(), f.Image_Quit, f.Picture_Etat1()));
        QVERIFY(platform_.ended);  // quit acts on the mouse-up
    }

    void clickActionSkippedWhenReleasedElsewhere() {
        Form_Main& f = *form_;
        QSignalSpy ups(f.Image_loadTxt, &HotSpot::MouseUp);
        QSignalSpy clicks(f.Image_loadTxt, &HotSpot::Click);
        press(f, f.Image_loadTxt, Qt::LeftButton);
        release(f, Qt::LeftButton, QPoint(250, 60));
        QCOMPARE(ups.count(), 1);
        QCOMPARE(clicks.count(), 0);
        QVERIFY(platform_.dialog_dirs.isEmpty());  // nothing loaded
        QVERIFY(shows(f.screen_image(), f.Image_loadTxt, f.Picture_Etat1()));

        press(f, f.Image_loadTxt, Qt::MiddleButton);
        release(f, Qt::MiddleButton, f.Image_loadTxt->geometry().center());
        QCOMPARE(clicks.count(), 1);  // any button clicks when released over it
    }
};

QTEST_MAIN(ShellFeedback)
#include "test_shell_feedback.moc"
