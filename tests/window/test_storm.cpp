// A quick and careless hand: 20,000 random presses, releases, drags, clicks and keystrokes over
// everything the main window lets a user reach, dialogs answered at random, some events arriving
// while handlers yield. Afterwards every look must still tell the truth and the preview must be
// what the style draws. QUORVANE_STORM_SEED and QUORVANE_STORM_EVENTS override seed and count;
// the printed seed replays much the same storm.
#include "core/io/picture_loader.h"
#include "core/io/text_list.h"
#include "core/render/composer.h"
#include "test_inputs_support.h"
#include "window/form_main.h"
#include "window/form_splash.h"
#include "window/inputs/form_dir.h"
#include "window/skin/skin_layout.h"

#include <QLineEdit>
#include <QListWidget>
#include <QStringListModel>
#include <QtTest>

#include <random>

namespace {

// Answers the file dialogs from the queue and notes what the window must then hold: a file that
// cannot be read changes nothing.
struct StormPlatform : ScriptedPlatform {
    std::optional<QStringList> labels;  // the last list that could be read
    std::optional<QImage> background;   // the last picture that could be decoded

    std::optional<QString> open_file(QWidget* parent, const QString& dir,
                                     const QString& pattern) override {
        const std::optional<QString> answer = ScriptedPlatform::open_file(parent, dir, pattern);
        if (!answer) return answer;
        const bool list = pattern == u"*.txt";
        if (auto read = qv::read_text_list(*answer); list && read) labels = *read;
        if (auto picture = qv::load_picture(*answer, qv::kWindowBackground); picture && !list)
            background = *picture;
        return answer;
    }
};

// The part of `w` a user can reach: inside its frames and the window's current width.
QRect reachable(const QWidget* w, const QWidget* window) {
    if (!w->isVisible()) return {};
    QRect r = w->rect();
    for (const QWidget* p = w; p != window; p = p->parentWidget())
        r = r.translated(p->pos()) & p->parentWidget()->rect();
    return r.translated(-w->mapTo(window, QPoint(0, 0)));
}

// An animation sets 319 upwards and 600 downwards in 10-pixel steps.
bool animation_width(int w) {
    return w >= 319 && w <= 600 && ((w - 319) % 10 == 0 || (600 - w) % 10 == 0);
}

int env_or(const char* name, int fallback) {
    return qEnvironmentVariableIsSet(name) ? qEnvironmentVariableIntValue(name) : fallback;
}

}  // namespace

using namespace QTest;  // the mouse actions

class Storm : public QObject {
    Q_OBJECT

    StormPlatform platform_;
    std::unique_ptr<Form_Main> form_;
    QTemporaryDir tmp_;
    std::mt19937 rng_;
    std::vector<QWidget*> mouse_targets_, key_targets_;
    std::vector<std::optional<QString>> answers_;  // pictures, lists, a missing path, a cancel
    QPointer<QWidget> grabber_;                    // got the press of the buttons held
    Qt::MouseButtons held_;
    int depth_ = 0, pending_ = 0;  // pending: actions posted to run when a handler yields
    std::vector<int> widths_;

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(int percent) { return pick(100) < percent; }
    QPoint point_in(QRect r) { return r.topLeft() + QPoint{pick(r.width()), pick(r.height())}; }

    // Mostly inside, sometimes just beside: a release or a drag that strays off the control.
    QPoint near(QWidget* w) {
        const QRect r = reachable(w, form_.get());
        return point_in(!r.isEmpty() && chance(75) ? r : w->rect().adjusted(-30, -30, 30, 30));
    }

    QWidget* reachable_target(const std::vector<QWidget*>& from) {
        for (int tries = 0; tries < 20; ++tries) {
            QWidget* w = from[size_t(pick(int(from.size())))];
            if (!reachable(w, form_.get()).isEmpty()) return w;
        }
        return nullptr;
    }

    void mouse(MouseAction action, QWidget* w, Qt::MouseButton b, QPoint at) {
        if (action == MousePress && !held_) grabber_ = w;
        if (action == MousePress) held_ |= b;
        if (action == MouseRelease) held_ &= ~Qt::MouseButtons(b);
        QTest::mouseEvent(action, w, b, {}, at);
    }

    void release_lowest() {
        const int b = held_.toInt() & -held_.toInt();
        mouse(MouseRelease, grabber_, Qt::MouseButton(b), near(grabber_));
    }

    void answer_modal(QDialog& dialog) {  // OK, Cancel or nothing
        const int choice = pick(3);
        auto* chooser = qobject_cast<Form_Dir*>(&dialog);
        auto* about = qobject_cast<Form_Splash*>(&dialog);
        if (choice == 0 && (chooser || about))
            QTest::mouseClick(chooser ? chooser->Image_Ok : about->Image_Quit, Qt::LeftButton);
        if (choice == 1 && chooser) QTest::mouseClick(chooser->Image_Cancel, Qt::LeftButton);
        if (choice == 1 && about) QTest::keyClick(about, Qt::Key_Escape);
    }

    void act() {
        maybe_post_action();
        ++depth_;
        if (platform_.file_answers.empty())  // the next answer, whichever dialog asks
            platform_.file_answers.push_back(answers_[size_t(pick(int(answers_.size())))]);
        if (grabber_.isNull()) held_ = {};
        step(pick(100), pick(5) < 3  ? Qt::LeftButton
                        : chance(50) ? Qt::RightButton
                                     : Qt::MiddleButton);
        if (form_->isMinimized()) form_->showNormal();  // brought back from the task bar
        --depth_;
    }

    // While a button is held the grabber gets every mouse event until the last one is up.
    void step(int kind, Qt::MouseButton b) {
        if (held_ && kind < 45) return mouse(MouseMove, grabber_, Qt::NoButton, near(grabber_));
        if (held_ && kind < 85) return release_lowest();
        if (held_ && !(held_ & b)) return mouse(MousePress, grabber_, b, near(grabber_));
        if (held_ || kind >= 68) return type_something();
        QWidget* w = reachable_target(mouse_targets_);
        if (!w) return;
        const QPoint at = point_in(reachable(w, form_.get()));
        const MouseAction action = kind < 30 ? MousePress : kind < 60 ? MouseClick : MouseMove;
        mouse(action, w, action == MouseMove ? Qt::NoButton : b, at);
        if (action == MouseClick && chance(10)) {  // and again at once: a double-click
            mouse(MouseDClick, w, b, at);
            mouse(MouseRelease, w, b, at);
        }
    }

    void type_something() {
        QWidget* w = reachable_target(key_targets_);
        if (!w) return;
        static const Qt::Key keys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,
                                       Qt::Key_Home,      Qt::Key_Up,     Qt::Key_Down,
                                       Qt::Key_PageDown,  Qt::Key_Return, Qt::Key_Escape};
        static const QString chars = QStringLiteral("0123456789-+. abcXYZ\u00e9/");
        const int kind = pick(10);
        if (kind < 5) {  // as the keyboard sends it: the key and its text, also beyond ASCII
            const QString c = chars.mid(pick(int(chars.size())), 1);
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key(c.toUpper().at(0).unicode()), c, {});
        } else if (kind < 9) {
            QTest::keyClick(w, keys[pick(int(std::size(keys)))]);
        } else {  // undo or select all
            QTest::keyClick(w, chance(50) ? Qt::Key_Z : Qt::Key_A, Qt::ControlModifier);
        }
    }

    // Now and then the next action arrives while a handler is still busy and yields.
    void maybe_post_action() {
        if (depth_ >= 3 || !chance(5)) return;
        ++pending_;
        QTimer::singleShot(0, form_.get(), [this] {
            --pending_;
            if (depth_ < 3) act();
        });
    }

  private slots:
    void initTestCase() {
        QVERIFY(tmp_.isValid());
        QDir::setCurrent(tmp_.path());  // where the directory chooser opens
        for (const auto& [name, size] : {std::pair{"wide.bmp", QSize(150, 56)},
                                         {"small.png", QSize(120, 30)},
                                         {"large.jpg", QSize(300, 100)}})
            answers_.push_back(write_picture(tmp_.path(), QString::fromLatin1(name), size));
        static constexpr char odd[] = "A\tB\r\nno/such/folder\r\nnul\0byte\r\nLast";
        answers_.push_back(write_bytes(tmp_.filePath(QStringLiteral("home.txt")),
                                       "Home\r\nNews\r\n\r\n  Contact\r\nAbout us"));
        answers_.push_back(
            write_bytes(tmp_.filePath(QStringLiteral("odd.txt")), QByteArray(odd, sizeof odd - 1)));
        answers_.insert(answers_.end(),
                        {tmp_.filePath(QStringLiteral("missing.txt")), std::nullopt});
    }

    void stormKeepsEveryLookAndThePreviewTrue() {
        const unsigned seed = unsigned(env_or("QUORVANE_STORM_SEED", 20240611));
        const int events = env_or("QUORVANE_STORM_EVENTS", 20000);
        qInfo("storm: QUORVANE_STORM_SEED=%u QUORVANE_STORM_EVENTS=%d", seed, events);
        rng_.seed(seed);

        form_ = std::make_unique<Form_Main>(platform_);
        Form_Main& f = *form_;
        f.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        platform_.on_modal = [this](QDialog& d) { answer_modal(d); };
        f.on_width_set = [this](int twips) {
            widths_.push_back(twips / qv::layout::kTwipsPerPixel);
            maybe_post_action();
        };
        key_targets_ = {f.Text_Texte, f.Text_R, f.Text_G, f.Text_B, f.List1, f.List_Typo};
        mouse_targets_.assign(key_targets_.begin(), key_targets_.end() - 2);  // the line edits
        mouse_targets_.insert(mouse_targets_.end(), {f.List1->viewport(), f.List_Typo->viewport()});
        for (QWidget* w : f.findChildren<qv::CanvasView*>()) mouse_targets_.push_back(w);
        for (QWidget* w : f.findChildren<qv::HotSpot*>(QString(), Qt::FindDirectChildrenOnly))
            mouse_targets_.push_back(w);
        QCOMPARE(mouse_targets_.size(), size_t(6 + 3 + 29));  // nothing a user reaches is missed

        for (int i = 0; i < events; ++i) act();
        // Let go of everything and let whatever was posted run.
        while (held_ && grabber_) release_lowest();
        for (int i = 0; i < 100 && pending_ > 0; ++i) QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        check_all();
        if (QTest::currentTestFailed()) return;

        // The colour boxes are mostly junk by now, which stops the label early; put numbers back
        // so that the last comparison covers a label drawn with all its passes.
        for (QLineEdit* box : {f.Text_R, f.Text_G, f.Text_B}) {
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(box, QStringLiteral("200"));
        }
        check_all();
    }

    void cleanupTestCase() { form_.reset(); }

  private:
    void check_all() {
        Form_Main& f = *form_;
        QStringList wrong;  // whatever does not tell the truth
        const QImage &on = f.Picture_Etat2(), &off = f.Picture_Etat1();
        const std::pair<qv::HotSpot*, qv::Flag> switches[] = {
            {f.Image_effet1, f.effet1_on}, {f.Image_effet2, f.effet2_on},
            {f.Image_effet3, f.effet3_on}, {f.Image2, f.font_italic},
            {f.Image3, f.font_underline},  {f.Image4, f.font_bold}};
        for (const auto& [spot, flag] : switches)
            if (!latched(f, spot, flag == qv::kTrue ? on : flag == qv::kFalse ? off : QImage()))
                wrong << spot->objectName();
        qv::HotSpot* const alignments[] = {f.Image_left, f.Image_center, f.Image_right};
        if (f.align_mode < 0 || f.align_mode > 2) wrong << "no alignment selected";
        for (int mode = 0; mode < 3; ++mode) {
            const bool looks_on = latched(f, alignments[mode], on);
            if ((!looks_on && !latched(f, alignments[mode], off)) ||
                looks_on != (f.align_mode == mode))
                wrong << QString::asprintf("alignment %d with align_mode %d", mode, f.align_mode);
        }
        // A push button looks pressed, on screen only, while a mouse button is held on it.
        for (qv::HotSpot* spot : {f.Image_Min, f.Image_Quit, f.Image_loadbutton,
                                  f.Image_buttonbrowse, f.Image_TypoBrowse, f.Image_loadTxt,
                                  f.Image_DirectoryBrowse, f.Image_Make, f.Image_typoback})
            if (!shows(f.persistent_image(), spot, off) ||
                (!shows(f.screen_image(), spot, off) && (!held_ || grabber_ != spot)))
                wrong << spot->objectName();
        for (const int w : widths_)
            if (!animation_width(w)) wrong << QString::asprintf("width %d set", w);
        if ((f.width() != 319 && f.width() != 600) || f.height() != qv::layout::kSkinHeight)
            wrong << QString::asprintf("the window rests at %dx%d", f.width(), f.height());

        const qv::ButtonStyle style = f.current_style();
        const qv::Canvas& shown = f.Picture_previewscroll->canvas();
        qv::Canvas fresh = qv::Canvas::make(shown.image.size(), shown.back_colour);
        qv::compose_button(fresh, f.Picture_buttonscroll->canvas(), style);
        if (fresh.image != shown.image) wrong << "the preview";
        const qv::Canvas& typo = f.Picture_typoscroll->canvas();
        qv::Canvas fresh_typo = qv::Canvas::make(typo.image.size(), typo.back_colour);
        qv::draw_previewtypo(fresh_typo, style);
        if (fresh_typo.image != typo.image) wrong << "the font preview";
        // The list and the background are the last ones that could be read; nothing lost them.
        if (f.List1_items->stringList() != platform_.labels.value_or(QStringList()))
            wrong << "the text list";
        if (platform_.background && f.Picture_buttonscroll->canvas().image != *platform_.background)
            wrong << "the background";
        if (!f.isVisible()) wrong << "the window is gone";
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u", ")));  // replay with the seed shown
    }
};

QTEST_MAIN(Storm)
#include "test_storm.moc"
