// The window's "make all buttons" and quorvane-batch write the same bytes for the same picture,
// labels and style, given as options or as a style file the window saved: they share the
// composer, the path rules and the writer, and this keeps them so.
#include "core/io/picture_loader.h"
#include "core/render/text_renderer.h"
#include "test_inputs_support.h"
#include "window/platform_services.h"

#include <QFileInfo>
#include <QListWidget>
#include <QTemporaryDir>

#include <functional>

namespace {

const QStringList kLabels{
    QStringLiteral("Home"), QStringLiteral("  Contact us"), QString(), QStringLiteral("Café"),
    QStringLiteral("Home"), QStringLiteral("\uD55C\uAE00")};  // no installed font has Korean

// Writes `labels` with the window, styled by `style`, and with the tool, given the options `style`
// returns, and compares what they wrote: same names, same bytes, and a file is its preview. The
// window's run ends with the tool's warnings on what labels lost. The list file ends its lines
// with `line_end`.
void make_with_both(const QString& line_end, const std::function<QStringList(InputsWindow&)>& style,
                    const QStringList& labels = kLabels) {
    QTemporaryDir tmp;
    const QString window = tmp.filePath(QStringLiteral("window"));
    const QString tool = tmp.filePath(QStringLiteral("tool"));
    QVERIFY(QDir().mkpath(window) && QDir().mkpath(tool));
    const QString list =
        write_bytes(tmp.filePath(QStringLiteral("labels.txt")), labels.join(line_end).toUtf8());

    InputsWindow w;
    QStringList args = style(w);
    w.make_all(labels, window);

    const batch_tool::Outcome run =
        batch_tool::run(args << "--labels" << list << "--out" << tool << "--quiet");
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QStringList warnings = run.err.split(u'\n', Qt::SkipEmptyParts);
    QVERIFY(!warnings.isEmpty());  // at least the Korean label's boxes
    const QString prefix = QStringLiteral("quorvane-batch: warning: ");
    for (QString& line : warnings) {
        QVERIFY(line.startsWith(prefix));
        line.remove(0, prefix.size());
    }
    QCOMPARE(w.platform.messages, QStringList{warnings.join(u'\n')});
    QCOMPARE(file_names(window).size(), 5 + labels.size() - kLabels.size());  // one for "Home"
    const QString differs = difference(window, tool);
    QVERIFY2(differs.isEmpty(), qPrintable(differs));
    w.select(0);
    const QStringList home = file_names(window).filter(QStringLiteral("Home"));
    QCOMPARE(home.size(), 1);
    const QImage file(window + u'/' + home[0]);
    if (file.hasAlphaChannel()) {
        QCOMPARE(qAlpha(file.pixel(0, 0)),
                 0);  // the picture's clear corner, not the preview's grey
    } else {          // PNG files too carry the very pixels of the preview
        QCOMPARE(read_back(window + u'/' + home[0]),
                 w.preview().convertToFormat(QImage::Format_RGB32));
    }
}

}  // namespace

class TestInputsMatchesTool : public QObject {
    Q_OBJECT
  private slots:
    void styledButtonsOnAPicture() {
        QTemporaryDir art;
        const QString picture = write_picture(art.path(), QStringLiteral("back.bmp"), {150, 56});
        const auto style = [&](InputsWindow& w) -> QStringList {
            Form_Main& f = w.form;
            f.List_Typo->findItems(QStringLiteral("DejaVu Sans"), Qt::MatchExactly)
                .first()
                ->setSelected(true);
            f.Image_sizeplus_Click();
            f.Image_sizeplus_Click();
            f.Image4_Click();        // bold
            f.Image_effet1_Click();  // shadow
            f.Image_effet3_Click();  // 3D
            f.Text_R->setText(QStringLiteral("200"));
            f.Text_G->setText(QStringLiteral("120.5"));
            f.Text_B->setText(QStringLiteral("30"));
            f.Image_right_Click();
            for (int i = 0; i < 3; ++i) f.Image_rightplus_Click();
            // Loaded last, so that the text line is centred with the label font the tool uses.
            w.load_picture(picture);
            return {"--background", picture,   "--font",   "DejaVu Sans",    "--size",
                    "12",           "--bold",  "--shadow", "--3d",           "--color",
                    "200,120.5,30", "--align", "right",    "--margin-right", "3",
                    "--jobs",       "2"};
        };
        make_with_both(QStringLiteral("\r\n"), style);
    }

    void plainButtonsBeforeAnyPicture() {
        const auto style = [](InputsWindow& w) {
            w.form.Image_effet2_Click();  // outline
            w.form.Image3_Click();        // underline
            return QStringList{"--outline", "--underline"};
        };
        make_with_both(QStringLiteral("\r"), style);
    }

    // A picture with transparency, written as PNG, keeps it in both.
    void transparentPictureAsPng() {
        const QString pill =
            QDir(qv::data_folder_beside(QFileInfo(QStringLiteral(QUORVANE_BATCH)).path()))
                .filePath(QStringLiteral("buttons/green_pill_clear.png"));
        make_with_both(QStringLiteral("\n"), [&](InputsWindow& w) {
            w.form.Image_effet1_Click();  // shadow
            w.form.set_write_png(true);
            w.load_picture(pill);
            return QStringList{"--background", pill, "--format", "png", "--shadow"};
        });
    }

    // The promise of "save style": every setting away from its default, and the text line where
    // the window put it, not where the tool would centre it in the final font.
    void savedStyleFile() {
        QTemporaryDir art;
        const QString picture = write_picture(art.path(), QStringLiteral("back.bmp"), {150, 56});
        make_with_both(QStringLiteral("\n"), [&](InputsWindow& w) {
            style_everything(w, picture);
            qv::Canvas measure = qv::Canvas::make({150, 56}, qv::kWindowBackground);
            qv::set_label_font(measure, w.form.current_style());
            [&] { QVERIFY(w.form.text_y != qv::centred_text_y(56, qv::line_height(measure))); }();
            const QString style = save_style(w, art.filePath(QStringLiteral("look")));
            [&] { QCOMPARE(w.platform.save_filters, QStringList{"Quorvane style (*.qvstyle)"}); }();
            return QStringList{"--style", style};
        });
    }

    // Fitted labels: the window's run writes each label as its preview shows it (made smaller, in
    // two lines, on a button as wide as the label needs), and the tool, given the window's style
    // file, the same bytes.
    void fittedLabels() {
        QTemporaryDir art;
        const QString picture = write_picture(art.path(), QStringLiteral("back.bmp"), {150, 56});
        const QStringList long_labels{QStringLiteral("Einstellungsverwaltung"),
                                      QStringLiteral("Opening hours and prices")};
        const qv::LabelLayout layouts[] = {
            {qv::FitMode::Shrink, 7, std::nullopt},
            {qv::FitMode::Wrap, 5, std::nullopt},
            {qv::FitMode::None, 5, qv::Stretch{12, 12, qv::StretchMode::Scale, 40, std::nullopt}},
        };
        const auto styled = [&](const qv::LabelLayout& layout) {
            return [&picture, &art, layout](InputsWindow& w) {
                style_everything(w, picture);
                w.form.set_label_layout(layout);
                return QStringList{"--style", save_style(w, art.filePath(QStringLiteral("fit")))};
            };
        };
        for (const qv::LabelLayout& layout : layouts) {
            QTemporaryDir out;
            InputsWindow w;
            styled(layout)(w);
            w.make_all(long_labels + QStringList{QStringLiteral("Home")}, out.path());
            QSet<int> widths;
            for (int row = 0; row < 3; ++row) {
                w.select(row);
                const QImage file = read_back(out.filePath(w.form.Text_Texte->text() + ".png"));
                QCOMPARE(file, w.preview().convertToFormat(QImage::Format_RGB32));
                widths << file.width();
            }
            QCOMPARE(widths.size(), layout.stretch ? 3 : 1);
        }

        for (const qv::LabelLayout& layout : layouts)
            make_with_both(QStringLiteral("\n"), styled(layout), kLabels + long_labels);
    }
};

QTEST_MAIN(TestInputsMatchesTool)
#include "test_inputs_matches_tool.moc"
