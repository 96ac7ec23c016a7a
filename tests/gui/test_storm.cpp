// A quick and careless hand: thousands of random presses, releases, drags, clicks and keystrokes
// over everything the main window lets a user reach, dialogs answered at random, some events
// arriving while handlers yield. Afterwards every look must still tell the truth and the preview
// must be what the style draws. QUORVANE_STORM_SEED and QUORVANE_STORM_EVENTS override the
// fixed seed and the count.
#include "io/form_dir.h"
#include "io/picture_loader.h"
#include "io/text_list.h"
#include "render/composer.h"
#include "scripted_platform.h"
#include "shell/form_main.h"
#include "shell/form_splash.h"
#include "shell/skin_layout.h"

#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <deque>
#include <map>
#include <random>
#include <set>

namespace {

constexpr unsigned kDefaultSeed = 20240611;
constexpr int kDefaultEvents = 20000;
constexpr int kMaxNesting = 3;

// Answers the file dialogs from the test's queue and works out, as each answer is given, what the
// window must hold afterwards: a file that cannot be read changes nothing.
class StormPlatform : public ScriptedPlatform {
  public:
    std::optional<QStringList> labels;  // the last list that could be read
    std::optional<QImage> background;   // the last picture that could be decoded

    std::optional<QString> open_file(QWidget* parent, const QString& dir,
                                     const QString& pattern) override {
        const std::optional<QString> answer = ScriptedPlatform::open_file(parent, dir, pattern);
        if (!answer) return answer;
        if (pattern == u"*.txt") {
            if (auto read = qv::read_text_list(*answer)) labels = *read;
        } else if (auto picture = qv::load_picture(*answer, qv::kWindowBackground)) {
            background = *picture;
        }
        return answer;
    }
};

bool same_look(const QImage& image, const HotSpot* spot, const QImage& skin) {
    const QRect r = spot->window_rect();
    return image.copy(r) == skin.copy(r);
}

// The part of `w` a user can reach: inside its frames and the window's current width.
QRect reachable(const QWidget* w, const QWidget* window) {
    if (!w->isVisible()) return {};
    QRect r = w->rect();
    for (const QWidget* p = w; p != window; p = p->parentWidget())
        r = r.translated(p->pos()) & p->parentWidget()->rect();
    return r.translated(-w->mapTo(window, QPoint(0, 0)));
}

// Every width an animation may set: 319 upwards and 600 downwards in 10-pixel steps.
std::set<int> animation_widths() {
    std::set<int> widths{600};
    for (int w = 319; w <= 599; w += 10) widths.insert(w);
    for (int w = 600; w >= 320; w -= 10) widths.insert(w);
    return widths;
}

}  // namespace

class Storm : public QObject {
    Q_OBJECT

    StormPlatform platform_;
    std::unique_ptr<Form_Main> form_;
    QTemporaryDir tmp_;
    std::mt19937 rng_;
    std::vector<QWidget*> mouse_targets_;
    std::vector<QWidget*> key_targets_;
    std::vector<QString> file_answers_;  // real pictures, lists, a missing path
    QPointer<QWidget> grabber_;          // got the press of the buttons held
    Qt::MouseButtons held_;
    int depth_ = 0;
    int pending_ = 0;  // actions posted to run when a handler yields
    std::vector<int> widths_;
    std::deque<QString> log_;       // the last actions, for a failure report
    std::map<QString, int> tally_;  // actions by kind, to show what the storm reached

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(int percent) { return pick(100) < percent; }

    void note(const QString& what) {
        ++tally_[what.section(u' ', 0, what.startsWith(u' ') ? 3 : 0, QString::SectionSkipEmpty)];
        log_.push_back(what);
        if (log_.size() > 40) log_.pop_front();
    }
    QString recent() const {
        QStringList lines(log_.begin(), log_.end());
        return lines.join(u'\n');
    }

    QPoint point_in(const QRect& r) {
        return {r.left() + pick(r.width()), r.top() + pick(r.height())};
    }

    // Mostly inside, sometimes just beside: a release or a drag that strays off the control.
    QPoint somewhere_near(QWidget* w) {
        const QRect r = reachable(w, form_.get());
        if (!r.isEmpty() && chance(75)) return point_in(r);
        return point_in(w->rect().adjusted(-30, -30, 30, 30));
    }

    QWidget* reachable_target(const std::vector<QWidget*>& from) {
        for (int tries = 0; tries < 20; ++tries) {
            QWidget* w = from[size_t(pick(int(from.size())))];
            if (!reachable(w, form_.get()).isEmpty()) return w;
        }
        return nullptr;
    }

    Qt::MouseButton random_button() {
        static const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::LeftButton,
                                                  Qt::RightButton, Qt::MiddleButton};
        return buttons[pick(5)];
    }

    // The dialog's next answer, whichever dialog asks.
    void keep_file_answers_ready() {
        if (!platform_.file_answers.empty()) return;
        const int i = pick(int(file_answers_.size()) + 1);
        if (i == int(file_answers_.size()))
            platform_.file_answers.push_back(std::nullopt);
        else
            platform_.file_answers.push_back(file_answers_[size_t(i)]);
    }

    void answer_modal(QDialog& dialog) {
        const int choice = pick(3);  // OK, Cancel, nothing
        note(QStringLiteral("  modal %1: %2")
                 .arg(dialog.metaObject()->className())
                 .arg(choice == 0   ? "OK"
                      : choice == 1 ? "Cancel"
                                    : "nothing"));
        if (auto* chooser = qobject_cast<Form_Dir*>(&dialog)) {
            if (choice == 0) QTest::mouseClick(chooser->Image_Ok, Qt::LeftButton);
            if (choice == 1) QTest::mouseClick(chooser->Image_Cancel, Qt::LeftButton);
        } else if (auto* about = qobject_cast<Form_Splash*>(&dialog)) {
            if (choice == 0) QTest::mouseClick(about->Image_Quit, Qt::LeftButton);
            if (choice == 1) QTest::keyClick(about, Qt::Key_Escape);
        }
    }

    void press(QWidget* w, Qt::MouseButton b, QPoint at) {
        note(QStringLiteral("press %1 %2 at %3,%4")
                 .arg(w->objectName())
                 .arg(int(b))
                 .arg(at.x())
                 .arg(at.y()));
        if (!held_) grabber_ = w;
        held_ |= b;
        QTest::mousePress(w, b, {}, at);
    }

    void release(Qt::MouseButton b) {
        QWidget* w = grabber_;
        held_ &= ~Qt::MouseButtons(b);
        const QPoint at = somewhere_near(w);
        note(QStringLiteral("release %1 %2 at %3,%4")
                 .arg(w->objectName())
                 .arg(int(b))
                 .arg(at.x())
                 .arg(at.y()));
        QTest::mouseRelease(w, b, {}, at);
    }

    void act() {
        ++depth_;
        keep_file_answers_ready();
        if (grabber_.isNull()) held_ = {};
        const int kind = pick(100);
        if (held_) {
            // A button is down: the grabber gets everything until the last one is up.
            if (kind < 45) {
                const QPoint at = somewhere_near(grabber_);
                note(QStringLiteral("move %1 to %2,%3")
                         .arg(grabber_->objectName())
                         .arg(at.x())
                         .arg(at.y()));
                QTest::mouseMove(grabber_, at);
            } else if (kind < 85) {
                Qt::MouseButton b = Qt::LeftButton;
                while (!(held_ & b)) b = Qt::MouseButton(b << 1);
                release(b);
            } else if (kind < 92) {
                const Qt::MouseButton b = random_button();
                if (!(held_ & b)) press(grabber_, b, somewhere_near(grabber_));
            } else {
                type_something();
            }
        } else if (kind < 30) {
            if (QWidget* w = reachable_target(mouse_targets_))
                press(w, random_button(), point_in(reachable(w, form_.get())));
        } else if (kind < 60) {
            if (QWidget* w = reachable_target(mouse_targets_)) {
                const QPoint at = point_in(reachable(w, form_.get()));
                const Qt::MouseButton b = random_button();
                note(QStringLiteral("click %1 %2 at %3,%4")
                         .arg(w->objectName())
                         .arg(int(b))
                         .arg(at.x())
                         .arg(at.y()));
                QTest::mouseClick(w, b, {}, at);
                if (chance(10)) {  // and again at once: a double-click
                    note(QStringLiteral("double-click %1").arg(w->objectName()));
                    QTest::mouseDClick(w, b, {}, at);
                    QTest::mouseRelease(w, b, {}, at);
                }
            }
        } else if (kind < 68) {
            if (QWidget* w = reachable_target(mouse_targets_)) {
                const QPoint at = point_in(reachable(w, form_.get()));
                note(QStringLiteral("hover %1").arg(w->objectName()));
                QTest::mouseMove(w, at);
            }
        } else {
            type_something();
        }
        if (form_->isMinimized()) {  // the user brings it back from the task bar
            note(QStringLiteral("restore"));
            form_->showNormal();
        }
        --depth_;
    }

    void type_something() {
        QWidget* w = reachable_target(key_targets_);
        if (!w) return;
        static const Qt::Key keys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,
                                       Qt::Key_Right,     Qt::Key_Home,   Qt::Key_End,
                                       Qt::Key_Up,        Qt::Key_Down,   Qt::Key_PageUp,
                                       Qt::Key_PageDown,  Qt::Key_Return, Qt::Key_Escape};
        static const QString chars = QStringLiteral("0123456789-+. abcXYZ\u00e9/");
        const int kind = pick(10);
        if (kind < 5) {
            const QString c = chars.mid(pick(int(chars.size())), 1);
            note(QStringLiteral("type '%1' in %2").arg(c, w->objectName()));
            // As the keyboard sends it: the key and its text, also beyond ASCII.
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key(c.toUpper().at(0).unicode()), c, {});
        } else if (kind < 9) {
            const Qt::Key k = keys[pick(int(std::size(keys)))];
            note(QStringLiteral("key %1 in %2").arg(int(k), 0, 16).arg(w->objectName()));
            QTest::keyClick(w, k);
        } else {
            const Qt::Key k = chance(50) ? Qt::Key_Z : Qt::Key_A;  // undo, select all
            note(QStringLiteral("ctrl+%1 in %2").arg(int(k), 0, 16).arg(w->objectName()));
            QTest::keyClick(w, k, Qt::ControlModifier);
        }
    }

    // Now and then the next action arrives while a handler is still busy and yields.
    void maybe_post_action() {
        if (depth_ >= kMaxNesting || !chance(5)) return;
        ++pending_;
        QTimer::singleShot(0, form_.get(), [this] {
            --pending_;
            if (depth_ < kMaxNesting) act();
        });
    }

  private slots:
    void initTestCase() {
        QVERIFY(tmp_.isValid());
        QDir::setCurrent(tmp_.path());  // where the directory chooser opens
        const auto picture = [&](const char* name, QSize size) {
            QImage image(size, QImage::Format_RGB32);
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    image.setPixel(x, y, qRgb(x * 5 % 256, y * 9 % 256, (x ^ y) % 256));
            const QString path = tmp_.filePath(QString::fromLatin1(name));
            QVERIFY(image.save(path));
            file_answers_.push_back(path);
        };
        picture("wide.bmp", {150, 56});
        picture("small.png", {120, 30});
        picture("large.jpg", {300, 100});
        const auto list = [&](const char* name, const QByteArray& bytes) {
            QFile file(tmp_.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            file_answers_.push_back(file.fileName());
        };
        list("home.txt", "Home\r\nNews\r\n\r\n  Contact\r\nAbout us");
        static constexpr char odd[] = "A\tB\r\nno/such/folder\r\nnul\0byte\r\nLast";
        list("odd.txt", QByteArray(odd, sizeof odd - 1));
        file_answers_.push_back(tmp_.filePath(QStringLiteral("missing.txt")));
    }

    void stormKeepsEveryLookAndThePreviewTrue() {
        const unsigned seed = qEnvironmentVariableIsSet("QUORVANE_STORM_SEED")
                                  ? unsigned(qEnvironmentVariableIntValue("QUORVANE_STORM_SEED"))
                                  : kDefaultSeed;
        const int events = qEnvironmentVariableIsSet("QUORVANE_STORM_EVENTS")
                               ? qEnvironmentVariableIntValue("QUORVANE_STORM_EVENTS")
                               : kDefaultEvents;
        qInfo("storm: seed %u, %d events (QUORVANE_STORM_SEED, QUORVANE_STORM_EVENTS)", seed,
              events);
        rng_.seed(seed);

        form_ = std::make_unique<Form_Main>(platform_);
        form_->Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        Form_Main& f = *form_;
        platform_.on_modal = [this](QDialog& d) { answer_modal(d); };
        f.on_width_set = [this](int twips) {
            widths_.push_back(twips / qv::layout::kTwipsPerPixel);
            maybe_post_action();
        };
        mouse_targets_ = {f.Image_About,
                          f.Image_Move,
                          f.Image_Min,
                          f.Image_Quit,
                          f.Image_loadbutton,
                          f.Image_buttonbrowse,
                          f.Image_typotruetype,
                          f.Image_typobitmap,
                          f.Image_TypoBrowse,
                          f.Image_loadTxt,
                          f.Image_DirectoryBrowse,
                          f.Image_Make,
                          f.Image1,
                          f.Image_typoback,
                          f.Image_left,
                          f.Image_center,
                          f.Image_right,
                          f.Image_leftmoins,
                          f.Image_leftplus,
                          f.Image_rightmoins,
                          f.Image_rightplus,
                          f.Image_sizemoins,
                          f.Image_sizeplus,
                          f.Image_effet1,
                          f.Image_effet2,
                          f.Image_effet3,
                          f.Image2,
                          f.Image3,
                          f.Image4,
                          f.Picture_previewscroll,
                          f.Picture_buttonscroll,
                          f.Picture_typoscroll,
                          f.Text_Texte,
                          f.Text_R,
                          f.Text_G,
                          f.Text_B,
                          f.List1->viewport(),
                          f.List_Typo->viewport()};
        key_targets_ = {f.Text_Texte, f.Text_R, f.Text_G, f.Text_B, f.List1, f.List_Typo};

        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < events; ++i) {
            maybe_post_action();
            act();
            // Between two events every handler has finished: the window must be true already.
            if ((i + 1) % 2500 == 0) {
                check_all(seed);
                if (QTest::currentTestFailed()) return;
            }
        }
        // Let go of everything and let whatever was posted run.
        while (held_ && grabber_) {
            Qt::MouseButton b = Qt::LeftButton;
            while (!(held_ & b)) b = Qt::MouseButton(b << 1);
            release(b);
        }
        for (int i = 0; i < 100 && pending_ > 0; ++i) QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        if (f.isMinimized()) f.showNormal();
        qInfo("storm: %lld ms, %d redraws, %d widths set, %d messages, quit %s", clock.elapsed(),
              f.draw_count, int(widths_.size()), int(platform_.messages.size()),
              platform_.ended ? "asked" : "not asked");

        QStringList kinds;
        for (const auto& [kind, count] : tally_)
            kinds << QStringLiteral("%1 %2").arg(kind).arg(count);
        qInfo("storm: %s", qPrintable(kinds.join(QStringLiteral(", "))));
        check_all(seed);
        if (QTest::currentTestFailed()) return;

        // The colour boxes are mostly junk by now, which stops the label early; put numbers back
        // as a user would, so the last comparison covers a label drawn with all its passes.
        for (QLineEdit* box : {f.Text_R, f.Text_G, f.Text_B}) {
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(box, QStringLiteral("200"));
        }
        note(QStringLiteral("colours set to 200"));
        check_all(seed);
    }

    void cleanupTestCase() { form_.reset(); }

  private:
    void check_all(unsigned seed) {
        const QString context =
            QStringLiteral("seed %1; last actions:\n%2").arg(seed).arg(recent());
        check_looks(context);
        check_width(context);
        check_preview(context);
        check_inputs(context);
    }

    // What the window repaints from and what it shows now agree on every latched look; a push
    // button shows pressed only while a button is held on it.
    void check_looks(const QString& context) {
        Form_Main& f = *form_;
        const QImage& on = f.Picture_Etat2();
        const QImage& off = f.Picture_Etat1();
        const auto shows = [&](const HotSpot* spot, const QImage& skin) {
            return same_look(f.persistent_image(), spot, skin) &&
                   same_look(f.screen_image(), spot, skin);
        };
        const std::pair<HotSpot*, qv::Flag> switches[] = {
            {f.Image_effet1, f.effet1_on}, {f.Image_effet2, f.effet2_on},
            {f.Image_effet3, f.effet3_on}, {f.Image2, f.font_italic},
            {f.Image3, f.font_underline},  {f.Image4, f.font_bold}};
        for (const auto& [spot, flag] : switches) {
            QVERIFY2(flag == qv::kTrue || flag == qv::kFalse, qPrintable(spot->objectName()));
            QVERIFY2(shows(spot, qv::is_on(flag) ? on : off),
                     qPrintable(spot->objectName() + QStringLiteral(" shows the wrong state; ") +
                                context));
        }
        HotSpot* const alignments[] = {f.Image_left, f.Image_center, f.Image_right};
        int selected = 0;
        for (int mode = 0; mode < 3; ++mode) {
            const bool looks_on = shows(alignments[mode], on);
            QVERIFY2(looks_on || shows(alignments[mode], off),
                     qPrintable(alignments[mode]->objectName() +
                                QStringLiteral(" shows neither look, or not the same on screen; ") +
                                context));
            selected += looks_on;
            QVERIFY2(looks_on == (f.align_mode == mode),
                     qPrintable(QStringLiteral("alignment %1 looks %2 but align_mode is %3; %4")
                                    .arg(mode)
                                    .arg(looks_on ? "selected" : "normal")
                                    .arg(f.align_mode)
                                    .arg(context)));
        }
        QCOMPARE(selected, 1);
        for (HotSpot* spot : {f.Image_Min, f.Image_Quit, f.Image_loadbutton, f.Image_buttonbrowse,
                              f.Image_TypoBrowse, f.Image_loadTxt, f.Image_DirectoryBrowse,
                              f.Image_Make, f.Image_typoback}) {
            const bool held_here = held_ && grabber_ == spot;
            QVERIFY2(held_here ? same_look(f.persistent_image(), spot, off) : shows(spot, off),
                     qPrintable(spot->objectName() + QStringLiteral(" kept a pressed look; ") +
                                context));
        }
    }

    void check_width(const QString& context) {
        const std::set<int> allowed = animation_widths();
        for (const int w : widths_)
            QVERIFY2(allowed.count(w),
                     qPrintable(QStringLiteral("width %1 set; %2").arg(w).arg(context)));
        const int w = form_->width();
        QVERIFY2(
            w == 319 || w == 600,
            qPrintable(QStringLiteral("the window rests at %1 pixels; %2").arg(w).arg(context)));
        QCOMPARE(form_->height(), qv::layout::kSkinHeight);
    }

    void check_preview(const QString& context) {
        Form_Main& f = *form_;
        const qv::ButtonStyle style = f.current_style();
        const qv::Canvas& shown = f.Picture_previewscroll->canvas();
        qv::Canvas fresh = qv::Canvas::make(shown.image.size(), shown.back_colour);
        qv::compose_button(fresh, f.Picture_buttonscroll->canvas(), style);
        QVERIFY2(fresh.image == shown.image,
                 qPrintable(QStringLiteral("the preview is not the button the style draws "
                                           "(label \"%1\", colour %2,%3,%4, size %5); %6")
                                .arg(style.label_text.left(40), style.color_r, style.color_g,
                                     style.color_b, style.font_size, context)));
        const qv::Canvas& typo = f.Picture_typoscroll->canvas();
        qv::Canvas fresh_typo = qv::Canvas::make(typo.image.size(), typo.back_colour);
        qv::draw_previewtypo(fresh_typo, style);
        QVERIFY2(
            fresh_typo.image == typo.image,
            qPrintable(QStringLiteral("the font preview is not what the style draws; ") + context));
    }

    // The list and the background are the last ones that could be read; nothing lost them.
    void check_inputs(const QString& context) {
        Form_Main& f = *form_;
        QVERIFY2(
            f.List1_items->stringList() == platform_.labels.value_or(QStringList()),
            qPrintable(QStringLiteral("the text list is not the last one loaded; ") + context));
        if (platform_.background)
            QVERIFY2(f.Picture_buttonscroll->canvas().image == *platform_.background,
                     qPrintable(QStringLiteral("the background is not the last picture loaded; ") +
                                context));
        QVERIFY2(f.isVisible(), "the window is gone");
    }
};

QTEST_MAIN(Storm)
#include "test_storm.moc"
