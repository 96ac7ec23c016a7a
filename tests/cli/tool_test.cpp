// Runs the built quorvane-batch as a user would and looks at what it leaves on disk.
#include "cli/contact_sheet.h"
#include "io/picture_loader.h"
#include "render/composer.h"
#include "render/text_renderer.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <ostream>

// Readable failures: names and messages as text, not as bytes.
void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

class Tool : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(tmp_.isValid());
        QDir(tmp_.path()).mkdir("out");
    }

    QString path(const QString& name) const { return tmp_.filePath(name); }
    QString out() const { return path("out"); }

    QString write(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }

    // A 150x56 picture with a gradient, so a misplaced background copy shows.
    QString picture() const {
        QImage image(150, 56, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, 150, 56);
        gradient.setColorAt(0, QColor(20, 60, 200));
        gradient.setColorAt(1, QColor(230, 180, 40));
        painter.fillRect(image.rect(), gradient);
        painter.end();
        image.save(path("back.png"));
        return path("back.png");
    }

    static Outcome run(const QStringList& args, const QByteArray& input = {}) {
        QProcess p;
        p.start(QStringLiteral(QUORVANE_BATCH), args);
        p.write(input);
        p.closeWriteChannel();
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    static QStringList files(const QString& dir) {
        return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir tmp_;
};

TEST_F(Tool, JobsDoNotChangeTheFiles) {
    QByteArray list;
    for (int i = 0; i < 30; ++i) list += "Label " + QByteArray::number(i * 37) + "\r\n";
    list += "Home\r\n\r\n  spaced \r\nsub/Deep\r\nHome\r\ncaf\xC3\xA9";
    const QString labels = write("labels.txt", list);
    const QStringList style{"--labels", labels,        "--background", picture(),
                            "--font",   "DejaVu Sans", "--shadow",     "--outline",
                            "--3d",     "--color",     "200,40,12.5",  "--quiet"};
    for (const char* dir : {"one", "two"}) QDir(path(dir)).mkpath("sub");

    const Outcome one = run(style + QStringList{"--out", path("one"), "--jobs", "1"});
    const Outcome two = run(style + QStringList{"--out", path("two"), "--jobs", "2",
                                                "--contact-sheet", path("sheet.png")});
    ASSERT_EQ(one.status, 0) << one.err.toStdString();
    ASSERT_EQ(two.status, 0) << two.err.toStdString();
    EXPECT_TRUE(two.out.endsWith(QStringLiteral("wrote 36 buttons to %1\n").arg(path("two"))));

    const QStringList names = files(path("one"));
    EXPECT_EQ(names.size(), 34);  // "Home" twice; "sub/Deep" is in the subfolder
    EXPECT_TRUE(names.contains(".bmp"));
    EXPECT_TRUE(names.contains("  spaced .bmp"));
    EXPECT_TRUE(names.contains(QString::fromUtf8("caf\xC3\xA9.bmp")));
    EXPECT_EQ(files(path("two")), names);
    for (const QString& name : names + QStringList{"sub/Deep.bmp"}) {
        QFile a(path("one/" + name)), b(path("two/" + name));
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        EXPECT_TRUE(a.readAll() == b.readAll()) << name.toStdString();
    }

    // The sheet holds every button in label order: the second cell is "Label 37".
    const QImage sheet(path("sheet.png"));
    const auto layout = qv::cli::sheet_layout(36, {150, 56});
    EXPECT_EQ(sheet.size(), layout->size);
    const QImage second = QImage(path("two/Label 37.bmp")).convertToFormat(QImage::Format_RGB32);
    const int left = 2 * qv::cli::kSheetGap + 150;
    EXPECT_EQ(sheet.copy(left, qv::cli::kSheetGap, 150, 56).convertToFormat(QImage::Format_RGB32),
              second);
}

TEST_F(Tool, WrittenButtonIsTheComposersImage) {
    const QString labels = write("labels.txt", "Contact\r\n");
    struct Case {
        QStringList args;
        bool with_picture;
    };
    const Case cases[] = {
        {{"--size", "12", "--bold", "--color", "12.5,200,300", "--align", "right", "--margin-right",
          "7", "--shadow", "--3d"},
         true},
        {{"--italic", "--underline", "--align", "left", "--margin-left", "3", "--outline"}, false},
        {{"--y", "-4", "--format", "png"}, true},
    };
    for (const Case& c : cases) {
        QDir(out()).removeRecursively();
        QDir().mkpath(out());
        QStringList args{"--labels", labels, "--out", out(), "--font", "DejaVu Sans"};
        if (c.with_picture) args << "--background" << picture();
        const Outcome o = run(args + c.args);
        ASSERT_EQ(o.status, 0) << o.err.toStdString();

        // The same button drawn here through the core, as the window draws it.
        qv::ButtonStyle style;
        style.label_text = "Contact";
        style.font_name = "DejaVu Sans";
        const bool png = c.args.contains("png");
        if (c.args.contains("--size")) {
            style = {"Contact", "DejaVu Sans", "12",       qv::kTrue,       qv::kFalse, qv::kFalse,
                     "12.5",    "200",         "300",      qv::kAlignRight, "0",        "7",
                     0,         qv::kTrue,     qv::kFalse, qv::kTrue};
        } else if (c.args.contains("--italic")) {
            style.font_italic = style.font_underline = style.effet2_on = qv::kTrue;
            style.align_mode = qv::kAlignLeft;
            style.margin_left = "3";
        }
        const qv::Canvas back =
            c.with_picture
                ? qv::Canvas::from_picture(*qv::load_picture(picture(), qv::kWindowBackground),
                                           qv::kWindowBackground)
                : qv::Canvas::make({65, 43}, qv::kWindowBackground);
        qv::Canvas expected = qv::Canvas::make(back.image.size(), qv::kWindowBackground);
        qv::set_label_font(expected, style);
        style.text_y = png              ? -4
                       : c.with_picture ? qv::centred_text_y(56, qv::line_height(expected))
                                        : 0;
        qv::compose_button(expected, back, style);

        const QImage written(path(png ? "out/Contact.png" : "out/Contact.bmp"));
        ASSERT_FALSE(written.isNull()) << c.args.join(' ').toStdString();
        EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), expected.image)
            << c.args.join(' ').toStdString();
    }
}

TEST_F(Tool, BadInputExitsTwoAndWritesNothing) {
    const QString labels = write("labels.txt", "Home\r\nNews\r\n");
    const QString junk = write("junk.png", "not a picture");
    const QStringList io{"--labels", labels, "--out", out()};
    const struct {
        QStringList args;
        const char* says;
    } cases[] = {
        {io + QStringList{"--frobnicate"}, "unknown option \"--frobnicate\""},
        {io + QStringList{"--size", "4"}, "--size takes a whole number from 5 to 100, not \"4\""},
        {io + QStringList{"--size", "101"}, "not \"101\""},
        {io + QStringList{"--color", "255,red,0"}, "--color: \"red\" is not a number"},
        {{"--labels", labels}, "--out DIR is required"},
        {{"--labels", path("none.txt"), "--out", out()}, "none.txt"},
        {io + QStringList{"--background", junk}, "--background: Cannot load"},
        {{"--labels", labels, "--out", path("nowhere")}, "nowhere does not exist"},
        {io + QStringList{"--font", "No Such Face 123"}, "No Such Face 123"},
        {io + QStringList{"--contact-sheet", path("no/sheet.png")}, "--contact-sheet"},
    };
    for (const auto& c : cases) {
        const Outcome o = run(c.args);
        EXPECT_EQ(o.status, 2) << c.says;
        EXPECT_TRUE(o.err.contains(QString::fromUtf8(c.says))) << o.err.toStdString();
        EXPECT_TRUE(files(out()).isEmpty()) << c.says;
    }
    EXPECT_EQ(run({"--version"}).out, "quorvane-batch 1.0\n");
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("--contact-sheet") && help.out.contains("Exit status"));
}

TEST_F(Tool, FailureKeepsEarlierButtonsAndWritesNothingAfter) {
    QByteArray list = "A\r\nB\r\nC\r\nmissing/D\r\n";
    for (int i = 0; i < 40; ++i) list += "After " + QByteArray::number(i) + "\r\n";
    const Outcome o = run(
        {"--labels", write("labels.txt", list), "--out", out(), "--jobs", "2", "--3d", "--quiet"});
    EXPECT_EQ(o.status, 1);
    EXPECT_TRUE(o.err.contains(out() + "/missing/D.bmp: No such file or directory"))
        << o.err.toStdString();
    EXPECT_TRUE(o.out.endsWith(QStringLiteral("wrote 3 buttons to %1\n").arg(out())));
    EXPECT_EQ(files(out()), (QStringList{"A.bmp", "B.bmp", "C.bmp"}));  // and no temporary file
}

TEST_F(Tool, CheckListsTheLabelsThatDoNotFitAndWritesNothing) {
    const QByteArray wide(30, 'W');
    const QString labels = write("labels.txt", "Hi\r\n" + wide + "\r\n\r\nOK\r\n");
    const Outcome o = run({"--labels", labels, "--out", out(), "--check", "--outline",
                           "--contact-sheet", path("sheet.png"), "--font", "DejaVu Sans"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, QString::fromLatin1(wide + "\n"));
    EXPECT_TRUE(files(out()).isEmpty());
    EXPECT_FALSE(QFile::exists(path("sheet.png")));
}

TEST_F(Tool, StandardInputIsTheList) {
    const Outcome o = run({"--labels", "-", "--out", out(), "--quiet"}, "One\r\nTwo");
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(files(out()), (QStringList{"One.bmp", "Two.bmp"}));
    EXPECT_EQ(QImage(path("out/One.bmp")).size(), QSize(65, 43));
}

}  // namespace
