// Start-up: the defaults, the window's place, the font catalogue and its splash window, and the
// about window.
#include "window/catalogue_gauge.h"
#include "window_test_support.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>

namespace {

// The window's middle is the screen's, to the half pixel that whole pixels allow.
bool centred(const QWidget& w) {
    const QRectF screen = QGuiApplication::primaryScreen()->geometry();
    const QPointF middle = QRectF(w.geometry()).center();
    return qAbs(middle.x() - screen.center().x()) <= 0.5 &&
           qAbs(middle.y() - screen.center().y()) <= 0.5;
}

}  // namespace

class ShellStartup : public QObject {
    Q_OBJECT

  private slots:
    // The gauge fills exactly at the last font, also when there is only one.
    void gaugeIsFullAtTheLastFont() {
        for (const int count : {1, 2, 88})
            QVERIFY(qAbs(qv::gauge_width(count - 1, count) - qv::kGaugeFullWidth) < 1e-3f);
    }

    // The splash window shows the catalogue's progress; closing it then only hides the one the
    // catalogue goes on with.
    void endStateOfStartUp() {
        ScriptedPlatform platform;
        platform.fonts = {"Zeta Sans", "beta", "DejaVu Sans", "Alpha", "Beta Bold"};
        Form_Main f(platform);
        bool busy_with_splash = false;
        int reloaded_hidden = 0;
        platform.on_fonts = [&] {
            const QCursor* cursor = QGuiApplication::overrideCursor();
            const Form_Splash& s = f.splash();
            busy_with_splash = cursor && cursor->shape() == Qt::WaitCursor && s.isVisible() &&
                               centred(s) && s.gauge_width() == 0 &&
                               s.Label1->text() == QStringLiteral("Loading TrueType...");
            QTimer::singleShot(0, &f, [&] {  // after the first font
                QTest::mouseClick(f.splash().Image_Quit, Qt::LeftButton);
                QTimer::singleShot(0, &f, [&] {
                    reloaded_hidden += f.splash_loaded() && !f.splash().isVisible();
                });
            });
        };
        f.Form_Load();
        QVERIFY(busy_with_splash);
        QCOMPARE(reloaded_hidden, 1);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QVERIFY(!f.splash_loaded());
        for (const Form_Splash* s : f.findChildren<Form_Splash*>())  // none on its way out either
            QVERIFY(!s->isVisible());

        QCOMPARE((QStringList{f.Text_Texte->text(), f.Text_R->text(), f.Text_G->text(),
                              f.Text_B->text(), f.Label_size->text(), f.Label_alignleft->text(),
                              f.Label_alignright->text(), f.Label_Directory->text()}),
                 (QStringList{"Quorvane", "255", "255", "255", "10", "0", "0", ""}));
        QVERIFY(f.isVisible());
        QCOMPARE(f.size(), QSize(319, 240));
        QVERIFY(centred(f));

        QCOMPARE(f.align_mode, std::int16_t{1});
        QVERIFY(shows(f.persistent_image(), f.Image_center, f.Picture_Etat2()));
        for (const qv::HotSpot* off : {f.Image_left, f.Image_right, f.Image_effet1, f.Image_effet2,
                                       f.Image_effet3, f.Image2, f.Image3, f.Image4})
            QVERIFY2(shows(f.persistent_image(), off, f.Picture_Etat1()),
                     qPrintable(off->objectName()));

        QStringList fonts;
        for (int i = 0; i < f.List_Typo->count(); ++i) fonts << f.List_Typo->item(i)->text();
        QCOMPARE(fonts, QStringList({"Alpha", "beta", "Beta Bold", "DejaVu Sans", "Zeta Sans"}));
        QCOMPARE(f.List_Typo->currentItem(), nullptr);  // and so nothing selected
    }

    void aboutShowsEmptySplashModallyEvenWithoutFonts() {
        Window w(QStringList{});
        QCOMPARE(w.form.List_Typo->count(), 0);
        QVERIFY(!w.form.splash_loaded());
        bool as_about = false;
        w.platform.on_modal = [&](QDialog& d) {
            auto* s = qobject_cast<Form_Splash*>(&d);
            QVERIFY(s);
            as_about = s->isVisible() && s->isModal() && s->Label1->text().isEmpty() &&
                       s->Label2->text().isEmpty() && s->gauge_width() == 0 && centred(*s);
            QTest::mouseClick(s->Image_Quit, Qt::LeftButton);
            QVERIFY(!s->isVisible());
        };
        QTest::mouseClick(w.form.Image_About, Qt::LeftButton);
        QCOMPARE(w.platform.modal_count, 1);
        QVERIFY(as_about);
        QVERIFY(!w.form.splash_loaded());
    }
};

QTEST_MAIN(ShellStartup)
#include "test_shell_startup.moc"
