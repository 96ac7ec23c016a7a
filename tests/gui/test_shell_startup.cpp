// Start-up: the defaults, the window's place, the font catalogue and its splash window, the
// about window, and the arithmetic behind the gauge and the centring.
#include "render/canvas.h"
#include "scripted_platform.h"
#include "shell/form_main.h"
#include "shell/shell_math.h"
#include "shell/window_move.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QtTest>

namespace {

bool shows(const Form_Main& f, const HotSpot* spot, const QImage& skin) {
    const QRect r = spot->window_rect();
    return f.persistent_image().copy(r) == skin.copy(r);
}

QStringList items(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
    return names;
}

QPoint centred(const QWidget& w) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return screen.topLeft() + qv::centred_origin(screen.size(), w.size());
}

// Splash windows still on the screen, whether loaded or on their way out.
int visible_splashes(const Form_Main& f) {
    int n = 0;
    for (const Form_Splash* s : f.findChildren<Form_Splash*>()) n += s->isVisible();
    return n;
}

}  // namespace

class ShellStartup : public QObject {
    Q_OBJECT

  private slots:
    void arithmetic() {
        QCOMPARE(qv::gauge_width(0, 88), 0.0f);
        QVERIFY(qAbs(qv::gauge_width(43, 88) - 85.5057f) < 1e-3f);
        QVERIFY(qAbs(qv::gauge_width(87, 88) - 173.0f) < 1e-3f);
        QCOMPARE(qv::gauge_width(0, 1), 173.0f);  // one font: full at once
        QCOMPARE(qv::whole_pixels(85.5f), 86);
        QCOMPARE(qv::whole_pixels(84.5f), 84);  // a half goes to the even neighbour
        // 1280 x 1024 screen: (9600 - 2392.5) twips = 480.5 px -> 480.
        QCOMPARE(qv::centred_origin({1280, 1024}, {319, 240}), QPoint(480, 392));
        QCOMPARE(qv::centred_origin({1280, 1024}, {185, 109}), QPoint(548, 458));
    }

    void endStateOfStartUp() {
        ScriptedPlatform platform;
        platform.fonts = {"Zeta Sans", "beta", "DejaVu Sans", "Alpha", "Beta Bold"};
        Form_Main f(platform);
        bool busy_during_catalogue = false;
        platform.on_fonts = [&] {
            busy_during_catalogue = QGuiApplication::overrideCursor() &&
                                    QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        };
        f.Form_Load();

        QCOMPARE(f.Text_Texte->text(), QStringLiteral("Quorvane"));
        for (const QLineEdit* c : {f.Text_R, f.Text_G, f.Text_B}) {
            QCOMPARE(c->text(), QStringLiteral("255"));
            QCOMPARE(c->palette().color(QPalette::Base), qv::kPanelColour);
        }
        QCOMPARE(f.Label_size->text(), QStringLiteral("10"));
        QCOMPARE(f.Label_alignleft->text(), QStringLiteral("0"));
        QCOMPARE(f.Label_alignright->text(), QStringLiteral("0"));
        QCOMPARE(f.Label_Directory->text(), QString());
        QCOMPARE(f.Picture_typoscroll->size(), QSize(150, 36));

        QVERIFY(f.isVisible());
        QCOMPARE(f.width(), 319);
        QCOMPARE(f.height(), 240);
        QCOMPARE(f.pos(), centred(f));

        QCOMPARE(f.align_mode, std::int16_t{1});
        QVERIFY(shows(f, f.Image_center, f.Picture_Etat2()));
        for (const HotSpot* off : {f.Image_left, f.Image_right, f.Image_effet1, f.Image_effet2,
                                   f.Image_effet3, f.Image2, f.Image3, f.Image4})
            QVERIFY2(shows(f, off, f.Picture_Etat1()), qPrintable(off->objectName()));
        for (qv::Flag flag :
             {f.effet1_on, f.effet2_on, f.effet3_on, f.font_bold, f.font_italic, f.font_underline})
            QCOMPARE(flag, qv::kFalse);

        QCOMPARE(items(f.List_Typo),
                 QStringList({"Alpha", "beta", "Beta Bold", "DejaVu Sans", "Zeta Sans"}));
        QVERIFY(f.List_Typo->selectedItems().isEmpty());
        QCOMPARE(f.List_Typo->currentItem(), nullptr);
        QVERIFY(busy_during_catalogue);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QVERIFY(!f.splash_loaded());
        QCOMPARE(visible_splashes(f), 0);
    }

    void catalogueShowsSplashAndSurvivesItsClosing() {
        ScriptedPlatform platform;
        platform.fonts.clear();
        for (int i = 0; i < 6; ++i) platform.fonts << QStringLiteral("Font %1").arg(i);
        Form_Main f(platform);
        QString message;
        bool centred_splash = false;
        int reloaded_hidden = 0;
        platform.on_fonts = [&] {
            Form_Splash& s = f.splash();
            message = s.Label1->text();
            centred_splash = s.isVisible() && s.pos() == centred(s) && s.gauge_width() == 0;
            // After the first font the user closes the splash window.
            QTimer::singleShot(0, &f, [&] {
                QTest::mouseClick(f.splash().Image_Quit, Qt::LeftButton);
                QTimer::singleShot(0, &f, [&] {
                    reloaded_hidden += f.splash_loaded() && !f.splash().isVisible();
                });
            });
        };
        f.Form_Load();
        QCOMPARE(message, QStringLiteral("Loading TrueType..."));
        QVERIFY(centred_splash);
        QCOMPARE(reloaded_hidden, 1);
        QCOMPARE(f.List_Typo->count(), 6);
        QVERIFY(!f.splash_loaded());
        QCOMPARE(visible_splashes(f), 0);
    }

    void noFontsEndsNormally() {
        ScriptedPlatform platform;
        platform.fonts.clear();
        Form_Main f(platform);
        f.Form_Load();
        QCOMPARE(f.List_Typo->count(), 0);
        QVERIFY(f.isVisible());
        QVERIFY(!f.splash_loaded());
    }

    void aboutShowsEmptySplashModally() {
        ScriptedPlatform platform;
        Form_Main f(platform);
        f.Form_Load();
        bool as_about = false;
        platform.on_modal = [&](QDialog& d) {
            auto* s = qobject_cast<Form_Splash*>(&d);
            QVERIFY(s);
            as_about = s->isVisible() && s->isModal() && s->Label1->text().isEmpty() &&
                       s->Label2->text().isEmpty() && s->gauge_width() == 0 &&
                       s->pos() == centred(*s);
            QTest::mouseClick(s->Image_Quit, Qt::LeftButton);
            QVERIFY(!s->isVisible());
        };
        QTest::mouseClick(f.Image_About, Qt::LeftButton);
        QCOMPARE(platform.modal_count, 1);
        QVERIFY(as_about);
        QVERIFY(!f.splash_loaded());
    }
};

QTEST_MAIN(ShellStartup)
#include "test_shell_startup.moc"
