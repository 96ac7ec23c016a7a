// The style controls (steppers, alignment, the vertical drag, the switches, the entries), the
// font configuration panel (the TrueType/bitmap pair, the close box, the animations) and the label
// fitting settings its right-click menu holds.
#include "core/io/picture_loader.h"
#include "core/render/button_painter.h"
#include "core/render/text_renderer.h"
#include "ink.h"
#include "test_inputs_support.h"
#include "window/controls/label_fitting_dialog.h"
#include "window/controls/text_drag.h"
#include "window/skin/skin_layout.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include <cmath>
#include <limits>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// An animation's widths as the test reads them: the first two, how many, the last two.
std::vector<int> outline(const std::vector<int>& widths) {
    if (widths.size() < 2) return widths;
    return {widths[0], widths[1], int(widths.size()), widths[widths.size() - 2], widths.back()};
}
// Opening from closed and collapsing from the full width, in twips.
const std::vector<int> kOpening{4785, 4935, 30, 8985, 9000}, kCollapse{9000, 8850, 30, 4800, 4785};

}  // namespace

class ControlsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Window> w_;
    std::vector<int> widths_;  // every width the window was given, in order

  private slots:
    void init() {
        w_ = std::make_unique<Window>(QStringList{"DejaVu Sans", "DejaVu Serif"});
        widths_.clear();
        Form_Main& f = w_->form;
        f.on_width_set = [this](int twips) { widths_.push_back(twips); };
    }
    void cleanup() { w_.reset(); }

    void steppers_hold_limits_and_redraw() {
        Form_Main& f = w_->form;
        DrawCounter draws{f};
        const std::tuple<QLabel*, void (Form_Main::*)(), int> limits[] = {
            {f.Label_alignleft, &Form_Main::Image_leftmoins_Click, 0},
            {f.Label_alignleft, &Form_Main::Image_leftplus_Click, 200},
            {f.Label_alignright, &Form_Main::Image_rightmoins_Click, 0},
            {f.Label_alignright, &Form_Main::Image_rightplus_Click, 200},
            {f.Label_size, &Form_Main::Image_sizemoins_Click, 5},
            {f.Label_size, &Form_Main::Image_sizeplus_Click, 100},
        };
        for (const auto& [caption, click, limit] : limits) {
            caption->setText(QString::number(limit));
            (f.*click)();
            QCOMPARE(caption->text(), QString::number(limit));
            QCOMPARE(draws.since(), 1);
        }
        // From the start-up 10, through the hot-spot: five steps down to 5, then it holds.
        f.Label_size->setText(QStringLiteral("10"));
        for (int size : {9, 8, 7, 6, 5, 5}) {
            QTest::mouseClick(f.Image_sizemoins, Qt::LeftButton);
            QCOMPARE(f.Label_size->text(), QString::number(size));
            QCOMPARE(draws.since(), 1);
        }
    }

    void drag_follows_the_left_button_alone() {
        QCOMPARE(qv::drag_text_y(10, 15), std::int16_t(2));  // 2.5 halves to even
        QCOMPARE(qv::drag_text_y(11, 15), std::int16_t(4));
        QCOMPARE(qv::drag_text_y(1e9, 15), std::numeric_limits<std::int16_t>::max());
        QCOMPARE(qv::drag_text_y(-1e9, 15), std::numeric_limits<std::int16_t>::min());
        QCOMPARE(qv::drag_text_y(std::nan(""), 15), std::int16_t(0));

        Form_Main& f = w_->form;
        qv::CanvasView* preview = f.Picture_previewscroll;
        preview->show();  // as the first background picture does
        const int height = qv::line_height(preview->canvas());
        const auto send = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
                              double y) {
            send_mouse(preview, type, {20, y}, button, held);
        };
        // The middle of the text line lies under the pointer, to the half pixel.
        const auto middle_at = [&](double y) { return qAbs(f.text_y + height / 2.0 - y) <= 0.5; };
        send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, 30);
        QVERIFY(middle_at(30));
        DrawCounter draws{f};
        send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, -12);  // above the picture
        QVERIFY(middle_at(-12));
        QCOMPARE(draws.since(), 1);
        send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, -12);

        const std::int16_t kept = f.text_y;
        send(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, 40);
        send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton | Qt::RightButton, 41);
        send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, 42);
        preview->hide();  // no picture yet: the drag does nothing, even called directly
        f.Picture_previewscroll_MouseDown(1, 0, 20, 40);
        QCOMPARE(f.text_y, kept);
        QCOMPARE(draws.since(), 0);
    }

    void switches_and_alignments() {
        Form_Main& f = w_->form;
        DrawCounter draws{f};
        const std::pair<qv::Flag Form_Main::*, qv::HotSpot*> switches[] = {
            {&Form_Main::effet1_on, f.Image_effet1}, {&Form_Main::effet2_on, f.Image_effet2},
            {&Form_Main::effet3_on, f.Image_effet3}, {&Form_Main::font_italic, f.Image2},
            {&Form_Main::font_underline, f.Image3},  {&Form_Main::font_bold, f.Image4},
        };
        for (const auto& [flag, spot] : switches) {
            for (const qv::Flag on : {qv::kTrue, qv::kFalse}) {
                QTest::mouseClick(spot, Qt::LeftButton);
                QCOMPARE(f.*flag, on);  // the looks are the look-table walk's
                QCOMPARE(draws.since(), 1);
            }
        }
        // The alignments are a radio group; that only one shows selected is the storm test's.
        qv::HotSpot* const alignments[] = {f.Image_left, f.Image_center, f.Image_right};
        for (int mode : {2, 0, 1}) {
            QTest::mouseClick(alignments[mode], Qt::LeftButton);
            QCOMPARE(f.align_mode, std::int16_t(mode));
            QCOMPARE(draws.since(), 1);
        }
    }

    void entries_redraw_at_every_keystroke_and_choice() {
        Form_Main& f = w_->form;
        DrawCounter draws{f};
        f.Text_R->selectAll();  // over the start-up 255
        for (int typed = 1; typed <= 3; ++typed) {
            QTest::keyClick(f.Text_R, "128"[typed - 1]);
            QCOMPARE(f.Text_R->text(), QStringLiteral("128").left(typed));
            QCOMPARE(draws.since(), 1);
        }

        QListWidget* list = f.List_Typo;
        const QImage button = f.Picture_previewscroll->canvas().image;
        const QImage typo = f.Picture_typoscroll->canvas().image;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(1)).center());  // sorted: Serif second
        QCOMPARE(draws.since(), 1);
        QCOMPARE(f.Picture_previewscroll->canvas().font.family(), QStringLiteral("DejaVu Serif"));
        QVERIFY(f.Picture_previewscroll->canvas().image != button);
        QVERIFY(f.Picture_typoscroll->canvas().image != typo);

        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(draws.since(), 1);
        QCOMPARE(f.Picture_typoscroll->canvas().font.family(), QStringLiteral("DejaVu Sans"));
    }

    // Once chosen, a font stays chosen: Ctrl+click and Ctrl+Space on it, and a click below the
    // last entry, leave it selected and drawn; only another entry changes it.
    void the_chosen_font_stays_chosen() {
        Form_Main& f = w_->form;
        QListWidget* list = f.List_Typo;
        const QPoint serif = list->visualItemRect(list->item(1)).center();
        const QPoint below(serif.x(), list->visualItemRect(list->item(1)).bottom() + 20);
        QVERIFY(!list->indexAt(below).isValid());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, below);  // nothing chosen yet
        QVERIFY(f.current_style().font_name.isEmpty());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, serif);

        DrawCounter draws{f};
        const QImage button = f.Picture_previewscroll->canvas().image;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, serif);
        QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, below);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, below);
        QCOMPARE(f.current_style().font_name, QStringLiteral("DejaVu Serif"));
        QCOMPARE(list->selectedItems(), QList<QListWidgetItem*>{list->item(1)});
        QCOMPARE(f.Picture_previewscroll->canvas().image, button);

        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list->visualItemRect(list->item(0)).center());
        QCOMPARE(f.current_style().font_name, QStringLiteral("DejaVu Sans"));
        QVERIFY(draws.since() >= 1);
    }

    // The font panel's right click offers the label fitting settings before the commands; a mode
    // chosen there, or the dialog's OK (by keyboard), changes how labels fit and redraws once. The
    // dialog holds OK back while its widths disagree; Escape changes nothing.
    void fitting_from_the_panel_menu_and_dialog() {
        Form_Main& f = w_->form;
        f.expand();
        const QPoint panel = bare_face(f, qv::layout::kCollapsedWidth);
        const auto menu_texts = [&](QPoint at) {
            QStringList texts;
            if (!right_click(f, at)) return texts;
            for (const QAction* a : open_menu()->actions()) texts << a->text();
            open_menu()->close();
            return texts;
        };
        for (const QPoint at :
             {panel, f.Label_size->geometry().center(), f.List_Typo->geometry().center()}) {
            const QStringList texts = menu_texts(at);
            QCOMPARE(texts.mid(0, 3), (QStringList{"Fit labels", "Label fitting...", ""}));
            QCOMPARE(texts.size(), 3 + 10);
        }
        // The main panel and the title strips: the commands alone.
        QCOMPARE(menu_texts(bare_face(f)).size(), 10);
        QCOMPARE(menu_texts(f.Image1->geometry().center()).size(), 10);

        // The fit items, checked as the layout is when the menu opens.
        const auto fit_items = [&] {
            right_click(f, panel);
            QList<QAction*> items = open_menu()->actions().first()->menu()->actions();
            open_menu()->close();
            return items;
        };
        DrawCounter draws{f};
        fit_items()[1]->trigger();
        QCOMPARE(f.label_layout().fit, qv::FitMode::Shrink);
        QCOMPARE(draws.since(), 1);
        QVERIFY(!fit_items()[0]->isChecked() && fit_items()[1]->isChecked());

        const qv::LabelLayout wanted{qv::FitMode::Wrap, 8,
                                     qv::Stretch{12, 14, qv::StretchMode::Tile, std::nullopt, 300}};
        bool refused = false;
        w_->platform.on_modal = [&](QDialog& d) {
            auto& dialog = dynamic_cast<qv::LabelFittingDialog&>(d);
            QPushButton* ok = dialog.buttons->button(QDialogButtonBox::Ok);
            QVERIFY(dialog.layout() == f.label_layout());  // it opens on the window's settings
            dialog.fit->setCurrentIndex(2);
            dialog.min_size->setValue(8);
            dialog.stretch->setChecked(true);
            dialog.left_cap->setValue(12);
            dialog.right_cap->setValue(14);
            dialog.stretch_mode->setCurrentIndex(1);
            dialog.max_width->setValue(25);  // narrower than the caps
            QVERIFY(!ok->isEnabled() && dialog.problem->text().contains(u"26 px"));
            QTest::keyClick(&dialog, Qt::Key_Return);
            refused = dialog.isVisible();
            dialog.max_width->setValue(300);
            QVERIFY(ok->isEnabled() && dialog.problem->isHidden());
            QTest::keyClick(&dialog, Qt::Key_Return);
        };
        f.open_label_fitting();
        QVERIFY(refused);
        QVERIFY(f.label_layout() == wanted);
        QCOMPARE(draws.since(), 1);
        QVERIFY(fit_items()[2]->isChecked());

        w_->platform.on_modal = [](QDialog& d) {
            dynamic_cast<qv::LabelFittingDialog&>(d).stretch->setChecked(false);
            QTest::keyClick(&d, Qt::Key_Escape);
        };
        f.open_label_fitting();
        QVERIFY(f.label_layout() == wanted);
        QCOMPARE(draws.since(), 0);
    }

    // Fitted, the preview is the button a run paints: a long label shrunk between the margins, a
    // button stretched to its label, cropped by the frame as a wide picture is. A drag still
    // moves the style's line. Back to no fitting, the preview is the picture's own again.
    void preview_shows_the_fitted_button() {
        Form_Main& f = w_->form;
        QTemporaryDir tmp;
        w_->platform.file_answers.push_back(write_picture(tmp.path(), "back.bmp", {150, 56}));
        f.Image_loadbutton_MouseUp(1, 0, 0, 0);
        const QImage& picture = f.Picture_buttonscroll->canvas().image;
        const QImage& preview = f.Picture_previewscroll->canvas().image;
        f.Label_alignleft->setText(QStringLiteral("6"));
        f.Label_alignright->setText(QStringLiteral("6"));
        f.Label_size->setText(QStringLiteral("14"));
        f.Text_Texte->setText(QStringLiteral("Einstellungsverwaltung"));
        f.Picture_previewscroll_MouseDown(1, 0, 20, 30);
        const std::int16_t dragged = f.text_y;
        const QImage unfitted = preview;
        const QPoint place = f.Picture_previewscroll->pos();
        const QRect cut = ink::box(unfitted, picture);
        QVERIFY(cut.left() == 0 && cut.right() == 149);  // cut at both edges

        const auto painted = [&] {
            qv::ButtonPainter painter(f.Picture_buttonscroll->canvas(), QImage(), f.label_layout());
            return painter.paint(f.current_style());
        };
        f.set_label_layout({qv::FitMode::Shrink, 5, std::nullopt});
        const QRect shrunk = ink::box(preview, picture);
        QVERIFY2(shrunk.left() >= 6 && shrunk.right() < 144,
                 qPrintable(QStringLiteral("%1-%2").arg(shrunk.left()).arg(shrunk.right())));
        QCOMPARE(preview, painted());
        f.Picture_previewscroll_MouseDown(1, 0, 20, 30);
        QCOMPARE(f.text_y, dragged);

        const qv::Stretch caps{10, 10, qv::StretchMode::Scale, std::nullopt, std::nullopt};
        f.set_label_layout({qv::FitMode::None, 5, caps});
        const QSize frame = f.Picture_Preview->size();
        for (const char* label : {"Opening hours and prices", "Hi"}) {
            f.Text_Texte->setText(QString::fromUtf8(label));
            QCOMPARE(preview, painted());
            QVERIFY(preview.width() != 150);
            QCOMPARE(f.Picture_previewscroll->size(), preview.size());
            QCOMPARE(f.Picture_previewscroll->pos(), qv::canvas_position(frame, preview.size()));
        }

        f.Text_Texte->setText(QStringLiteral("Einstellungsverwaltung"));
        f.set_label_layout({});
        QCOMPARE(preview, unfitted);
        QCOMPARE(f.Picture_previewscroll->geometry(), QRect(place, QSize(150, 56)));
    }

    void truetype_and_bitmap_open_and_close() {
        Form_Main& f = w_->form;
        const QPoint left_edge = f.pos();
        f.Image_typobitmap_Click();  // closed: only the looks change
        QVERIFY(widths_.empty());
        QVERIFY(latched(f, f.Image_typobitmap, f.Picture_Etat2()));
        for (const bool opening : {true, false}) {
            widths_.clear();
            QTest::mouseClick(f.Image_typotruetype, Qt::LeftButton);
            QCOMPARE(outline(widths_), opening ? kOpening : kCollapse);
            QCOMPARE(f.size(), QSize(opening ? 600 : 319, 240));
            QCOMPARE(f.pos(), left_edge);
            QVERIFY(latched(f, f.Image_typotruetype, f.Picture_Etat2()));
            QVERIFY(latched(f, f.Image_typobitmap, f.Picture_Etat1()));
        }
        f.set_width_twips(6000);  // part way: TrueType opens from there
        widths_.clear();
        f.Image_typotruetype_Click();
        QCOMPARE(outline(widths_), (std::vector<int>{6000, 6150, 22, 9000, 9000}));
        widths_.clear();
        f.Image_typobitmap_Click();  // open: bitmap closes it
        QCOMPARE(outline(widths_), kCollapse);
    }

    // Both answer any button, released anywhere; only the close box acts, collapsing from the
    // full width whatever the width now.
    void close_box_and_browse_push() {
        Form_Main& f = w_->form;
        const auto push = [&](qv::HotSpot* spot) {
            QTest::mousePress(spot, Qt::RightButton);
            QTest::mouseRelease(spot, Qt::RightButton, {}, QPoint(-200, 5));  // off it
        };
        const QImage before = f.persistent_image();
        push(f.Image_TypoBrowse);
        QVERIFY(widths_.empty());
        QCOMPARE(f.persistent_image(), before);

        f.Image_typotruetype_Click();
        f.set_width_twips(6000);
        widths_.clear();
        push(f.Image_typoback);
        QCOMPARE(outline(widths_), kCollapse);
        QVERIFY(latched(f, f.Image_typotruetype, f.Picture_Etat2()));
    }

    void truetype_click_during_a_collapse() {
        Form_Main& f = w_->form;
        f.expand();
        widths_.clear();
        // A click arriving at 7500 twips is handled at the yield that follows.
        f.on_width_set = [&, clicked = false](int twips) mutable {
            widths_.push_back(twips);
            if (twips == 7500 && !std::exchange(clicked, true))
                QTimer::singleShot(
                    0, [&] { QTest::mouseClick(f.Image_typotruetype, Qt::LeftButton); });
        };
        f.Image_typotruetype_Click();
        // The collapse down to 7500, the whole expansion from there, then the rest of the
        // collapse.
        QCOMPARE(widths_.size(), size_t(11 + 12 + 19));
        QCOMPARE(std::vector<int>(widths_.begin() + 9, widths_.begin() + 13),
                 (std::vector<int>{7650, 7500, 7500, 7650}));
        QCOMPARE(std::vector<int>(widths_.begin() + 21, widths_.begin() + 25),
                 (std::vector<int>{9000, 9000, 7350, 7200}));
        QCOMPARE(widths_.back(), 4785);
        QCOMPARE(f.size(), QSize(319, 240));
        QVERIFY(latched(f, f.Image_typotruetype, f.Picture_Etat2()));
    }
};

QTEST_MAIN(ControlsTest)
#include "test_controls_style.moc"
