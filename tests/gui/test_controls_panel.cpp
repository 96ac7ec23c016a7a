// The font configuration panel: the TrueType/bitmap pair, the close box and the animations.
#include "controls/control_math.h"
#include "scripted_platform.h"
#include "shell/form_main.h"

#include <QMouseEvent>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

QImage look(const QImage& image, const HotSpot* spot) {
    return image.copy(spot->window_rect());
}

std::vector<int> concat(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

class ControlsPanelTest : public QObject {
    Q_OBJECT
    ScriptedPlatform platform_;
    std::unique_ptr<Form_Main> form_;
    std::vector<int> widths_;  // every width the window was given, in order

    bool selected(HotSpot* spot) const {
        return look(form_->persistent_image(), spot) == look(form_->Picture_Etat2(), spot) &&
               look(form_->screen_image(), spot) == look(form_->Picture_Etat2(), spot);
    }
    bool normal(HotSpot* spot) const {
        return look(form_->persistent_image(), spot) == look(form_->Picture_Etat1(), spot) &&
               look(form_->screen_image(), spot) == look(form_->Picture_Etat1(), spot);
    }

  private slots:
    void init() {
        form_ = std::make_unique<Form_Main>(platform_);
        form_->Form_Load();
        // A late exposure (the splash window leaving) would repaint over the momentary looks
        // checked below: let the window settle first.
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        QTest::qWait(100);
        widths_.clear();
        form_->on_width_set = [this](int twips) { widths_.push_back(twips); };
        QCOMPARE(form_->width_twips(), 4785);
        for (HotSpot* s : {form_->Image_typotruetype, form_->Image_typobitmap,
                           form_->Image_typoback, form_->Image_TypoBrowse})
            QVERIFY2(look(form_->Picture_Etat1(), s) != look(form_->Picture_Etat2(), s),
                     "the two skins must differ under the panel's buttons");
    }
    void cleanup() { form_.reset(); }

    void width_sequences() {
        const std::vector<int> collapse = qv::collapse_widths();
        QCOMPARE(collapse.size(), std::size_t(30));
        for (std::size_t i = 0; i < 29; ++i) QCOMPARE(collapse[i], (600 - 10 * int(i)) * 15);
        QCOMPARE(collapse.back(), 4785);

        const std::vector<int> expand = qv::expand_widths(4785);
        QCOMPARE(expand.size(), std::size_t(30));
        for (std::size_t i = 0; i < 29; ++i) QCOMPARE(expand[i], (319 + 10 * int(i)) * 15);
        QCOMPARE(expand.back(), 9000);

        QCOMPARE(qv::expand_widths(8850), (std::vector<int>{8850, 9000, 9000}));
        QCOMPARE(qv::expand_widths(9000), (std::vector<int>{9000, 9000}));
    }

    void truetype_opens_and_closes_the_panel() {
        Form_Main& f = *form_;
        const QPoint left_edge = f.pos();
        QTest::mouseClick(f.Image_typotruetype, Qt::LeftButton);
        QCOMPARE(widths_, qv::expand_widths(4785));
        QCOMPARE(f.size(), QSize(600, 240));
        QCOMPARE(f.pos(), left_edge);
        QVERIFY(selected(f.Image_typotruetype));
        QVERIFY(normal(f.Image_typobitmap));

        widths_.clear();
        QTest::mouseClick(f.Image_typotruetype, Qt::LeftButton);
        QCOMPARE(widths_, qv::collapse_widths());
        QCOMPARE(f.size(), QSize(319, 240));
        QCOMPARE(f.pos(), left_edge);
        QVERIFY(selected(f.Image_typotruetype));
    }

    void bitmap_collapses_only_an_open_panel() {
        Form_Main& f = *form_;
        f.Image_typobitmap_Click();
        QVERIFY(widths_.empty());
        QCOMPARE(f.width_twips(), 4785);
        QVERIFY(selected(f.Image_typobitmap));
        QVERIFY(normal(f.Image_typotruetype));

        f.expand();
        widths_.clear();
        f.Image_typobitmap_Click();
        QCOMPARE(widths_, qv::collapse_widths());
        QCOMPARE(f.width_twips(), 4785);
    }

    void truetype_at_an_intermediate_width_expands() {
        form_->set_width_twips(6000);
        widths_.clear();
        form_->Image_typotruetype_Click();
        QCOMPARE(widths_, qv::expand_widths(6000));
        QCOMPARE(form_->width_twips(), 9000);
    }

    void close_box_collapses_from_the_full_width() {
        Form_Main& f = *form_;
        f.Image_typotruetype_Click();
        f.set_width_twips(6000);  // partly open
        widths_.clear();
        QTest::mousePress(f.Image_typoback, Qt::RightButton);
        QCOMPARE(look(f.screen_image(), f.Image_typoback),
                 look(f.Picture_Etat2(), f.Image_typoback));
        QTest::mouseRelease(f.Image_typoback, Qt::RightButton, {}, QPoint(-200, 5));  // off it
        QCOMPARE(look(f.screen_image(), f.Image_typoback),
                 look(f.Picture_Etat1(), f.Image_typoback));
        QCOMPARE(widths_, qv::collapse_widths());
        QVERIFY(selected(f.Image_typotruetype));
    }

    void browse_only_answers_the_press() {
        Form_Main& f = *form_;
        const QImage before = f.persistent_image();
        QTest::mousePress(f.Image_TypoBrowse, Qt::LeftButton);
        QCOMPARE(look(f.screen_image(), f.Image_TypoBrowse),
                 look(f.Picture_Etat2(), f.Image_TypoBrowse));
        QTest::mouseRelease(f.Image_TypoBrowse, Qt::LeftButton);
        QCOMPARE(look(f.screen_image(), f.Image_TypoBrowse),
                 look(f.Picture_Etat1(), f.Image_TypoBrowse));
        QCOMPARE(f.persistent_image(), before);
        QVERIFY(widths_.empty());
    }

    void truetype_click_during_a_collapse() {
        Form_Main& f = *form_;
        f.expand();
        widths_.clear();
        // At 7500 twips a click arrives; it is handled at the yield that follows.
        bool clicked = false;
        f.on_width_set = [&](int twips) {
            widths_.push_back(twips);
            if (twips != 7500 || clicked) return;
            clicked = true;
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                const QPointF p(5, 5);
                const Qt::MouseButtons held =
                    type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
                QCoreApplication::postEvent(
                    f.Image_typotruetype,
                    new QMouseEvent(type, p, f.Image_typotruetype->mapToGlobal(p), Qt::LeftButton,
                                    held, Qt::NoModifier));
            }
        };
        f.Image_typotruetype_Click();
        // The collapse up to 7500, the whole expansion from there, then the rest of the collapse.
        const std::vector<int> all = qv::collapse_widths();
        const auto at = std::find(all.begin(), all.end(), 7500) + 1;
        const std::vector<int> expected =
            concat(concat(std::vector<int>(all.begin(), at), qv::expand_widths(7500)),
                   std::vector<int>(at, all.end()));
        QCOMPARE(widths_, expected);
        QCOMPARE(f.size(), QSize(319, 240));
        QVERIFY(selected(f.Image_typotruetype));
    }
};

QTEST_MAIN(ControlsPanelTest)
#include "test_controls_panel.moc"
