// The style controls: steppers, alignment, the vertical drag, the switches and the entries.
#include "controls/control_math.h"
#include "render/text_renderer.h"
#include "scripted_platform.h"
#include "shell/form_main.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QtTest>

#include <limits>
#include <memory>

namespace {

QImage look(const QImage& image, const HotSpot* spot) {
    return image.copy(spot->window_rect());
}

// The spot shows that skin's look, latched: in the persistent image and on the screen.
bool shows(const Form_Main& f, const HotSpot* spot, const QImage& skin) {
    return look(f.persistent_image(), spot) == look(skin, spot) &&
           look(f.screen_image(), spot) == look(skin, spot);
}

// Pixels dark enough to come only from the black effect passes (the label is white on grey).
int dark_pixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += qGray(image.pixel(x, y)) < 60;
    return n;
}

void send_mouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
                double y) {
    const QPointF pos(20, y);
    QMouseEvent event(type, pos, w->mapToGlobal(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

}  // namespace

class ControlsStyleTest : public QObject {
    Q_OBJECT
    ScriptedPlatform platform_;
    std::unique_ptr<Form_Main> form_;

  private slots:
    void init() {
        platform_.fonts = {QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Serif")};
        form_ = std::make_unique<Form_Main>(platform_);
        form_->Form_Load();
    }
    void cleanup() { form_.reset(); }

    void steppers_hold_limits_and_redraw() {
        Form_Main& f = *form_;
        struct Case {
            QLabel* caption;
            void (Form_Main::*click)();
            const char* from;
            const char* to;
        };
        const Case cases[] = {
            {f.Label_alignleft, &Form_Main::Image_leftmoins_Click, "0", "0"},
            {f.Label_alignleft, &Form_Main::Image_leftplus_Click, "199", "200"},
            {f.Label_alignleft, &Form_Main::Image_leftplus_Click, "200", "200"},
            {f.Label_alignright, &Form_Main::Image_rightmoins_Click, "0", "0"},
            {f.Label_alignright, &Form_Main::Image_rightmoins_Click, "1", "0"},
            {f.Label_alignright, &Form_Main::Image_rightplus_Click, "200", "200"},
            {f.Label_size, &Form_Main::Image_sizemoins_Click, "5", "5"},
            {f.Label_size, &Form_Main::Image_sizeplus_Click, "99", "100"},
            {f.Label_size, &Form_Main::Image_sizeplus_Click, "100", "100"},
        };
        for (const Case& c : cases) {
            c.caption->setText(QString::fromLatin1(c.from));
            const int draws = f.draw_count;
            (f.*c.click)();
            QCOMPARE(c.caption->text(), QString::fromLatin1(c.to));
            QCOMPARE(f.draw_count, draws + 1);
        }
    }

    void size_steps_down_to_five_through_the_hot_spot() {
        Form_Main& f = *form_;
        QCOMPARE(f.Label_size->text(), QStringLiteral("10"));
        const QString expected[] = {"9", "8", "7", "6", "5", "5"};
        for (const QString& size : expected) {
            const int draws = f.draw_count;
            QTest::mouseClick(f.Image_sizemoins, Qt::LeftButton);
            QCOMPARE(f.Label_size->text(), size);
            QCOMPARE(f.draw_count, draws + 1);
        }
        QCOMPARE(f.Picture_previewscroll->canvas().font.pointSizeF(), 5.0);
    }

    void alignment_is_a_latched_radio_group() {
        Form_Main& f = *form_;
        QVERIFY(look(f.Picture_Etat1(), f.Image_right) != look(f.Picture_Etat2(), f.Image_right));
        QCOMPARE(f.align_mode, std::int16_t(1));
        QVERIFY(shows(f, f.Image_center, f.Picture_Etat2()));
        for (int round = 0; round < 2; ++round) {  // the second click repaints the same looks
            const int draws = f.draw_count;
            QTest::mouseClick(f.Image_right, Qt::LeftButton);
            QCOMPARE(f.align_mode, std::int16_t(2));
            QCOMPARE(f.draw_count, draws + 1);
            QVERIFY(shows(f, f.Image_right, f.Picture_Etat2()));
            QVERIFY(shows(f, f.Image_left, f.Picture_Etat1()));
            QVERIFY(shows(f, f.Image_center, f.Picture_Etat1()));
        }
        f.Image_left_Click();
        QCOMPARE(f.align_mode, std::int16_t(0));
        QVERIFY(shows(f, f.Image_left, f.Picture_Etat2()));
        QVERIFY(shows(f, f.Image_right, f.Picture_Etat1()));
    }

    void drag_arithmetic() {
        QCOMPARE(qv::drag_text_y(10, 15), std::int16_t(2));  // 2.5 halves to even
        QCOMPARE(qv::drag_text_y(11, 15), std::int16_t(4));  // 3.5 goes to 4
        QCOMPARE(qv::drag_text_y(-20, 16), std::int16_t(-28));
        QCOMPARE(qv::drag_text_y(1e9, 15), std::numeric_limits<std::int16_t>::max());
        QCOMPARE(qv::drag_text_y(-1e9, 15), std::numeric_limits<std::int16_t>::min());
        QCOMPARE(qv::drag_text_y(std::numeric_limits<double>::quiet_NaN(), 15), std::int16_t(0));
    }

    void drag_follows_the_left_button_alone() {
        Form_Main& f = *form_;
        CanvasView* preview = f.Picture_previewscroll;
        preview->show();  // as the first background picture does
        const int height = qv::line_height(preview->canvas());

        send_mouse(preview, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, 30);
        QCOMPARE(f.text_y, qv::drag_text_y(30, height));
        int draws = f.draw_count;
        send_mouse(preview, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, -12);  // above it
        QCOMPARE(f.text_y, qv::drag_text_y(-12, height));
        QVERIFY(f.text_y < 0);
        QCOMPARE(f.draw_count, draws + 1);
        send_mouse(preview, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, -12);

        const std::int16_t kept = f.text_y;
        draws = f.draw_count;
        send_mouse(preview, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, 40);
        send_mouse(preview, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton | Qt::RightButton, 41);
        send_mouse(preview, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, 42);
        QCOMPARE(f.text_y, kept);
        QCOMPARE(f.draw_count, draws);

        preview->hide();  // no picture yet: the drag does nothing, even called directly
        f.Picture_previewscroll_MouseDown(1, 0, 20, 40);
        QCOMPARE(f.text_y, kept);
        QCOMPARE(f.draw_count, draws);
    }

    void switches_flip_flag_and_look() {
        Form_Main& f = *form_;
        struct Switch {
            qv::Flag Form_Main::*flag;
            HotSpot* spot;
        };
        const Switch switches[] = {
            {&Form_Main::effet1_on, f.Image_effet1}, {&Form_Main::effet2_on, f.Image_effet2},
            {&Form_Main::effet3_on, f.Image_effet3}, {&Form_Main::font_italic, f.Image2},
            {&Form_Main::font_underline, f.Image3},  {&Form_Main::font_bold, f.Image4},
        };
        for (const Switch& s : switches) {
            QVERIFY(look(f.Picture_Etat1(), s.spot) != look(f.Picture_Etat2(), s.spot));
            const int draws = f.draw_count;
            QTest::mouseClick(s.spot, Qt::LeftButton);
            QCOMPARE(f.*s.flag, qv::kTrue);
            QVERIFY(shows(f, s.spot, f.Picture_Etat2()));
            QTest::mouseClick(s.spot, Qt::LeftButton);
            QCOMPARE(f.*s.flag, qv::kFalse);
            QVERIFY(shows(f, s.spot, f.Picture_Etat1()));
            QCOMPARE(f.draw_count, draws + 2);
        }
    }

    void switches_combine_in_the_preview() {
        Form_Main& f = *form_;
        const QImage& preview = f.Picture_previewscroll->canvas().image;
        QCOMPARE(dark_pixels(preview), 0);
        f.Image_effet2_Click();  // outline
        const int outlined = dark_pixels(preview);
        QVERIFY(outlined > 0);
        f.Image_effet1_Click();  // and shadow
        QCOMPARE(f.effet2_on, qv::kTrue);
        QVERIFY(dark_pixels(preview) > outlined);

        f.Image2_Click();
        f.Image3_Click();
        f.Image4_Click();
        for (const qv::Canvas* c :
             {&f.Picture_previewscroll->canvas(), &f.Picture_typoscroll->canvas()}) {
            QVERIFY(c->font.italic());
            QVERIFY(c->font.underline());
            QVERIFY(c->font.bold());
        }
    }

    void typing_redraws_at_every_keystroke() {
        Form_Main& f = *form_;
        QCOMPARE(f.Text_R->text(), QStringLiteral("255"));
        f.Text_R->selectAll();
        QString typed;
        for (const char key : {'1', '2', '8'}) {
            const int draws = f.draw_count;
            QTest::keyClick(f.Text_R, key);
            typed += QLatin1Char(key);
            QCOMPARE(f.Text_R->text(), typed);
            QCOMPARE(f.draw_count, draws + 1);
        }
        // Fully covered face pixels of the font preview now carry the typed red.
        const QImage& typo = f.Picture_typoscroll->canvas().image;
        bool found = false;
        for (int y = 0; y < typo.height() && !found; ++y)
            for (int x = 0; x < typo.width() && !found; ++x)
                found = typo.pixel(x, y) == qRgb(128, 255, 255);
        QVERIFY(found);
    }

    void clearing_the_label_leaves_the_background() {
        Form_Main& f = *form_;
        f.Text_Texte->selectAll();
        const int draws = f.draw_count;
        QTest::keyClick(f.Text_Texte, Qt::Key_Backspace);
        QCOMPARE(f.draw_count, draws + 1);
        QCOMPARE(f.Picture_previewscroll->canvas().image, f.Picture_buttonscroll->canvas().image);
    }

    void choosing_a_font_redraws_once_by_mouse_or_keyboard() {
        Form_Main& f = *form_;
        QListWidget* list = f.List_Typo;
        QCOMPARE(list->count(), 2);
        QVERIFY(list->selectedItems().isEmpty());
        const QImage button = f.Picture_previewscroll->canvas().image;
        const QImage typo = f.Picture_typoscroll->canvas().image;

        QListWidgetItem* serif =
            list->findItems(QStringLiteral("DejaVu Serif"), Qt::MatchExactly)[0];
        int draws = f.draw_count;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(serif).center());
        QCOMPARE(f.draw_count, draws + 1);
        QCOMPARE(f.Picture_previewscroll->canvas().font.family(), QStringLiteral("DejaVu Serif"));
        QVERIFY(f.Picture_previewscroll->canvas().image != button);
        QVERIFY(f.Picture_typoscroll->canvas().image != typo);

        draws = f.draw_count;
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(f.draw_count, draws + 1);
        QCOMPARE(f.Picture_typoscroll->canvas().font.family(), QStringLiteral("DejaVu Sans"));
    }
};

QTEST_MAIN(ControlsStyleTest)
#include "test_controls_style.moc"
