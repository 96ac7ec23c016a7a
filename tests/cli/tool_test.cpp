// Runs the built quorvane-batch as a user would and looks at what it leaves on disk.
#include "cli/contact_sheet.h"
#include "core/io/picture_loader.h"
#include "core/render/composer.h"
#include "core/render/stretch.h"
#include "core/render/text_renderer.h"

#include "batch_tool.h"
#include "ink.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>

using namespace qv;

namespace {

using batch_tool::file_names;
using batch_tool::Outcome;
using batch_tool::read_bytes;

// The tool with `args` and the space-separated `options`.
Outcome run(const QStringList& args, const char* options = "", const QByteArray& input = {},
            const QString& input_file = {}) {
    return batch_tool::run(args + QString(options).split(' ', Qt::SkipEmptyParts), input,
                           input_file);
}

QImage rgb32(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

// The button as the window draws it through the core, the text line centred on a picture.
QImage composed(ButtonStyle style, const Canvas& back) {
    Canvas expected = Canvas::make(back.image.size(), kWindowBackground);
    set_label_font(expected, style);
    if (back.image.size() != QSize(65, 43))
        style.text_y = centred_text_y(back.height(), line_height(expected));
    compose_button(expected, back, style);
    return expected.image;
}

// What --check says of each label: its text after the tab, by label.
QMap<QString, QString> checked(const QString& out) {
    QMap<QString, QString> said;
    for (const QString& line : out.split(u'\n', Qt::SkipEmptyParts))
        said[line.section(u'\t', 0, 0)] = line.section(u'\t', 1);
    return said;
}

// The width from --check's "..., 212 px".
int checked_width(const QString& said) {
    return said.section(QStringLiteral(" px"), 0, 0).section(u' ', -1).toInt();
}

class Tool : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(out)); }

    QString path(const QString& name) const { return tmp_.filePath(name); }

    QString write(const QString& name, const QByteArray& bytes) const {
        return batch_tool::write_bytes(path(name), bytes);
    }

    // A different colour in every pixel, so a misplaced background copy shows.
    QString picture() const {
        QImage image(150, 56, QImage::Format_RGB32);
        for (int y = 0; y < 56; ++y)
            for (int x = 0; x < 150; ++x) image.setPixel(x, y, qRgb(x, y * 4, 90));
        return image.save(path("back.png")) ? path("back.png") : QString();
    }

    QTemporaryDir tmp_;
    const QString out = path("out");
};

// Both job counts write the same bytes, the composer's image, and the sheet in label order.
TEST_F(Tool, JobsDoNotChangeTheFiles) {
    QByteArray list;
    for (int i = 0; i < 30; ++i) list += "Label " + QByteArray::number(i * 37) + "\r\n";
    list += "Home\r\n\r\n  spaced \r\nsub/Deep\r\nHome\r\ncaf\xC3\xA9";
    const QStringList args{
        "--labels", write("labels.txt", list), "--background", picture(), "--font", "DejaVu Sans"};
    const char* style =
        "--size 12 --bold --color 12.5,200,300 --align right --margin-right 7 "
        "--shadow --outline --3d --quiet";
    for (const char* dir : {"one", "two"}) QDir(path(dir)).mkpath("sub");
    const Outcome one = run(args + QStringList{"--out", path("one"), "--jobs", "1"}, style);
    const Outcome two = run(args + QStringList{"--out", path("two"), "--jobs", "2",
                                               "--contact-sheet", path("sheet.png")},
                            style);
    ASSERT_TRUE(one.status == 0 && two.status == 0) << (one.err + two.err).toStdString();
    EXPECT_TRUE(two.out.endsWith(QStringLiteral("wrote 36 buttons to %1\n").arg(path("two"))));

    const QStringList names = file_names(path("one"));
    EXPECT_EQ(names.size(), 34);  // "Home" twice; "sub/Deep" is in the subfolder
    EXPECT_EQ(file_names(path("two")), names);
    for (const QString& name : names + QStringList{"sub/Deep.bmp"})
        EXPECT_TRUE(read_bytes(path("one/" + name)) == read_bytes(path("two/" + name)))
            << name.toStdString();

    const QImage second = rgb32(QImage(path("two/Label 37.bmp")));
    EXPECT_EQ(second, composed({"Label 37", "DejaVu Sans", "12", kTrue, kFalse, kFalse, "12.5",
                                "200", "300", kAlignRight, "0", "7", 0, kTrue, kTrue, kTrue},
                               Canvas::from_picture(QImage(picture()), kWindowBackground)));
    const QImage sheet(path("sheet.png"));
    EXPECT_EQ(rgb32(sheet.copy(2 * cli::kSheetGap + 150, cli::kSheetGap, 150, 56)), second);
}

// PNG keeps a picture's clear corners; BMP flattens them as the window does. Names come from
// the template.
TEST_F(Tool, TransparentCornersAndTemplateNames) {
    QImage rounded(80, 30, QImage::Format_ARGB32);
    rounded.fill(qRgba(200, 30, 30, 255));
    for (QPoint corner : {QPoint(0, 0), QPoint(79, 0), QPoint(0, 29), QPoint(79, 29)})
        rounded.setPixel(corner, qRgba(1, 2, 3, 0));
    ASSERT_TRUE(rounded.save(path("rounded.png")));
    const QStringList args{"--labels",     write("labels.txt", "Home\r\nAbout us\r\n?!\r\n"),
                           "--background", path("rounded.png"),
                           "--out",        out,
                           "--name",       "{n}-{slug}"};
    ASSERT_EQ(run(args, "--format png --quiet").status, 0);
    ASSERT_EQ(run(args, "--format bmp --quiet").status, 0);
    EXPECT_EQ(file_names(out), (QStringList{"1-home.bmp", "1-home.png", "2-about-us.bmp",
                                            "2-about-us.png", "3-3.bmp", "3-3.png"}));
    const QImage png(path("out/2-about-us.png"));
    EXPECT_EQ(png.pixel(79, 29), qRgba(1, 2, 3, 0));
    EXPECT_EQ(png.pixel(40, 2), qRgba(200, 30, 30, 255));
    EXPECT_EQ(QImage(path("out/2-about-us.bmp")).pixel(79, 29), kWindowBackground.rgb());
}

// Each label's three files, in list order, match single runs with each look's style; command
// line options apply to the main look only, and a state style without a picture uses the main one.
TEST_F(Tool, HoverAndPressedLooksMatchSingleRuns) {
    const QString labels = write("labels.txt", "Home\r\nAbout us\r\nContact!\r\n");
    QImage pressed_back(150, 56, QImage::Format_RGB32);
    pressed_back.fill(qRgb(20, 40, 60));
    ASSERT_TRUE(pressed_back.save(path("pressed.png")));
    const QString hover = write("h.qvstyle",
                                R"({"quorvane_style": 1, "font": "DejaVu Sans", "size": 12,
                                    "color": [255, 255, 0], "outline": true})");
    const QString pressed = write("p.qvstyle",
                                  R"({"quorvane_style": 1, "font": "DejaVu Sans", "size": 12,
                                      "y": 5, "shadow": true, "background": "pressed.png"})");
    const QStringList common{"--labels", labels, "--name", "{slug}", "--format", "png", "--quiet"};
    const QStringList main{"--background", picture(), "--font", "DejaVu Sans", "--3d"};
    const Outcome set = run(common + main +
                            QStringList{"--out", out, "--hover", hover, "--pressed", pressed,
                                        "--state-suffixes", "_over,_down", "--jobs", "2"});
    ASSERT_EQ(set.status, 0) << set.err.toStdString();
    EXPECT_TRUE(set.out.endsWith(QStringLiteral("wrote 3 buttons to %1\n").arg(out)));
    QStringList expected;
    for (const char* name : {"about-us", "contact", "home"})
        for (const char* suffix : {"", "_down", "_over"})
            expected << QString(name) + suffix + ".png";
    EXPECT_EQ(file_names(out), expected);

    const std::pair<const char*, QStringList> singles[] = {
        {"", main},
        {"_over", {"--style", hover, "--background", picture()}},
        {"_down", {"--style", pressed}}};
    for (const auto& [suffix, args] : singles) {
        const QString dir = path(QStringLiteral("single%1").arg(suffix));
        QDir().mkpath(dir);
        ASSERT_EQ(run(common + args + QStringList{"--out", dir}).status, 0);
        for (const char* name : {"about-us", "contact", "home"})
            EXPECT_EQ(QImage(dir + "/" + name + ".png"), QImage(out + "/" + name + suffix + ".png"))
                << name << suffix;
    }
}

// A label's looks are files like any other: every one is checked before the first is written, so
// a look that cannot be written where its name says stops the run with nothing written.
TEST_F(Tool, ALookThatCannotBeNamedWritesNothing) {
    const QString style = write("h.qvstyle", R"({"quorvane_style": 1})");
    QDir(out).mkpath("B");  // B's hover goes into B/, which exists; C's does not
    const Outcome o = run({"--labels", write("labels.txt", "B\r\nC\r\nD\r\n"), "--out", out,
                           "--hover", style, "--pressed", style, "--state-suffixes", "/h,-p"},
                          "--quiet --jobs 2");
    EXPECT_EQ(o.status, 2);
    EXPECT_TRUE(o.err.contains("\"C\"") && o.err.contains(out + "/C does not exist"))
        << o.err.toStdString();
    EXPECT_EQ(file_names(out), QStringList{});
    EXPECT_EQ(file_names(out + "/B"), QStringList{});
}

TEST_F(Tool, BadInputExitsTwoAndWritesNothing) {
    const QString labels = write("labels.txt", "Home\r\nNews\r\n");
    const QStringList io{"--labels", labels, "--out", out};
    const std::tuple<QStringList, const char*, const char*> cases[] = {
        {io, "--size 4", "--size takes a whole number from 5 to 100, not \"4\""},
        {{"--labels", labels}, "", "--out DIR is required"},
        {{"--labels", path("none.txt"), "--out", out}, "", "none.txt"},
        {io + QStringList{"--background", write("junk.png", "x")}, "", "--background: Cannot load"},
        {{"--labels", labels, "--out", path("nowhere")}, "", "nowhere does not exist"},
        {io + QStringList{"--font", "No Such Face 123"}, "", "No Such Face 123"},
        {io + QStringList{"--contact-sheet", path("no/sheet.png")}, "", "--contact-sheet"},
        {io + QStringList{"--hover", path("none.qvstyle")}, "", "--hover"},
        {io + QStringList{"--pressed", write("bad.qvstyle", "{\"size\": 4}")}, "", "--pressed"},
        {io + QStringList{"--style",
                          write("f.qvstyle", R"({"quorvane_style": 1, "font": "No Such Face"})")},
         "", "\"font\": no font family"},
        {io + QStringList{"--style",
                          write("b.qvstyle", R"({"quorvane_style": 1, "background": "gone.png"})")},
         "", "\"background\": there is no file"},
        {io + QStringList{"--style", path("none.qvstyle")}, "", "--style"}};
    for (const auto& [args, options, says] : cases) {
        const Outcome o = run(args, options);
        EXPECT_TRUE(o.status == 2 && o.err.contains(says) && file_names(out).isEmpty())
            << o.status << o.err.toStdString();
    }
    EXPECT_TRUE(run({"--help"}).out.contains("Exit status"));
    // An unknown key of a style is only a warning.
    const Outcome o =
        run(io + QStringList{"--style", write("g.qvstyle", R"({"quorvane_style": 1, "glow": 1})")});
    EXPECT_EQ(o.status, 0);
    EXPECT_TRUE(o.err.contains("unknown key \"glow\"")) << o.err.toStdString();
}

// A saved style stands for its options (a relative --background made absolute, a colour box's
// "120.5" kept, no "y" while centred), and options given with it override it.
TEST_F(Tool, SavedStyleStandsForItsOptionsAndOptionsOverrideIt) {
    const QStringList style{
        "--background",  "back.png", "--font",    "DejaVu Sans",  "--size",         "14",
        "--bold",        "--3d",     "--color",   "200,120.5,30", "--align",        "left",
        "--margin-left", "6",        "--format",  "png",          "--fit",          "wrap",
        "--min-size",    "7",        "--stretch", "9,11",         "--stretch-mode", "tile",
        "--max-width",   "140"};
    const QString back = picture();
    ASSERT_TRUE(QDir().mkpath(path("styles")));
    const QString saved = path("styles/look.qvstyle");
    const Outcome save = batch_tool::run(QStringList{"--save-style", saved} + style, {}, {},
                                         tmp_.path());  // --background is relative to it
    ASSERT_EQ(save.status, 0) << save.err.toStdString();
    EXPECT_EQ(file_names(path("styles")), QStringList{"look.qvstyle"});
    const QByteArray json = read_bytes(saved);
    EXPECT_TRUE(json.contains("\"background\": \"" + back.toUtf8() + "\"")) << json.toStdString();
    EXPECT_TRUE(json.contains("\"color\": [200, \"120.5\", 30]"));
    // The fit and the stretch show in the buttons below; a smallest size the labels never reach
    // does not.
    EXPECT_TRUE(json.contains("\"min_size\": 7,")) << json.toStdString();
    EXPECT_FALSE(json.contains("\"y\""));

    const QString labels = write("labels.txt", "Home\r\nNews of the week, in full\r\n");
    auto home = [&](const char* dir, const QStringList& args) {
        EXPECT_TRUE(QDir().mkpath(path(dir)));
        const Outcome o =
            run(QStringList{"--labels", labels, "--out", path(dir), "--quiet"} + args);
        EXPECT_EQ(o.status, 0) << o.err.toStdString();
        return read_bytes(path(dir) + "/Home.png") +
               read_bytes(path(dir) + "/News of the week, in full.png");
    };
    QStringList absolute = style;
    absolute[1] = back;
    const QByteArray by_options = home("a", absolute);
    ASSERT_FALSE(by_options.isEmpty());
    EXPECT_EQ(home("b", {"--style", saved}), by_options);
    const QByteArray larger = home("c", absolute + QStringList{"--size", "20"});
    EXPECT_NE(larger, by_options);
    EXPECT_EQ(home("d", {"--style", saved, "--size", "20"}), larger);
}

// A label whose button would replace the background picture (named here through "./") stops the
// run before anything is written; the same name in another format is another file. Which labels
// the plan refuses, and that the first is named, is the output plan test's.
TEST_F(Tool, ALabelOverThePictureExitsTwoAndWritesNothing) {
    const QString back = picture();
    ASSERT_TRUE(QFile::copy(back, path("out/steel.png")));
    const QStringList over{"--labels",     write("labels.txt", "A\nsteel\nC\n"),
                           "--out",        out,
                           "--background", out + "/./steel.png",
                           "--format",     "png"};
    const Outcome refused = run(over);
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.contains("\"steel\" would replace the background picture " + out +
                                     "/./steel.png"))
        << refused.err.toStdString();
    EXPECT_EQ(file_names(out), QStringList{"steel.png"});
    EXPECT_EQ(read_bytes(path("out/steel.png")), read_bytes(back));
    EXPECT_TRUE(refused.out.isEmpty());

    const Outcome o = run({"--labels", write("labels.txt", "steel\n"), "--out", out, "--background",
                           path("out/steel.png")});
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(file_names(out), (QStringList{"steel.bmp", "steel.png"}));
}

// A label whose file is a folder is found before anything is written (the list read from
// standard input); without it every button is written as the composer draws it (here on the
// blank canvas, the line at the given y). A write that fails part way is the full-disk test's.
TEST_F(Tool, AFolderInTheWayIsFoundBeforeAnyButtonIsWritten) {
    ASSERT_TRUE(QDir(out).mkdir("D.png"));
    QByteArray list = "A\r\nB\r\nC\r\nD\r\n";
    for (int i = 0; i < 40; ++i) list += "After " + QByteArray::number(i) + "\r\n";
    const auto make = [&] {
        return run({"--labels", "-", "--out", out, "--font", "DejaVu Sans"},
                   "--jobs 2 --quiet --italic --underline --align left --margin-left 3 "
                   "--outline --y -4 --format png",
                   list);
    };
    const Outcome o = make();
    EXPECT_EQ(o.status, 2);
    EXPECT_TRUE(o.err.contains("\"D\" cannot be written: its file " + out + "/D.png is a folder"))
        << o.err.toStdString();
    EXPECT_EQ(file_names(out), QStringList{});

    ASSERT_TRUE(QDir(out).rmdir("D.png"));
    EXPECT_EQ(make().status, 0);
    EXPECT_EQ(file_names(out).size(), 44);
    EXPECT_EQ(rgb32(QImage(path("out/C.png"))),
              composed({"C", "DejaVu Sans", "10", kFalse, kTrue, kTrue, "255", "255", "255",
                        kAlignLeft, "3", "0", -4, kFalse, kTrue, kFalse},
                       Canvas::make({65, 43}, kWindowBackground)));
}

// The list comes from standard input, its lines ended as Windows or as Linux writes them; --check
// names the labels that do not fit, with the edges their ink crosses, and writes nothing.
TEST_F(Tool, CheckReadsTheListFromStandardInput) {
    const QByteArray wide(30, 'W');
    const Outcome o = run({"--labels", "-", "--out", out, "--contact-sheet", path("sheet.png"),
                           "--font", "DejaVu Sans"},
                          "--check --outline", "Hi\r\n" + wide + "\r\n\r\nOK\r\n");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out.toStdString(),
              wide.toStdString() + "\tpast the edges by left 163 px, right 164 px\n");
    EXPECT_TRUE(file_names(out).isEmpty() && !QFile::exists(path("sheet.png")));

    // Standard input that cannot be read (a folder) is bad input, not an empty list.
    const Outcome unread = run({"--labels", "-", "--out", out}, "", {}, tmp_.path());
    EXPECT_EQ(unread.status, 2);
    EXPECT_TRUE(unread.err.contains("Cannot read standard input: ")) << unread.err.toStdString();

    const Outcome names =
        run({"--labels", "-", "--name", "{slug}"}, "--check", "Home\nNews\nHOME!\n");
    EXPECT_EQ(names.out.toStdString(),
              "Home\tshares a file name with another label\n"
              "HOME!\tshares a file name with another label\n");
    EXPECT_TRUE(names.err.contains("2 share a file name")) << names.err.toStdString();
}

// Every file of a run is planned before the first is written, each input the tool reads among
// them: two labels onto one file, a page, sheet or style over an input, refused with exit 2,
// nothing written and every input as it was. Which plans are refused is the output plan test's.
TEST_F(Tool, EveryOutputIsCheckedTogetherBeforeTheFirstWrite) {
    const QString back = picture();
    const QString hover_back = write("hover.png", read_bytes(back));
    const QString hover =
        write("hover.qvstyle", R"({"quorvane_style": 1, "background": "hover.png"})");
    const QString list = write("labels.txt", "Home\nNews\n");
    const QStringList inputs{back, hover_back, hover, list};
    QList<QByteArray> before;
    for (const QString& input : inputs) before << read_bytes(input);

    const QStringList io{"--labels", list, "--out", out, "--background", back};
    const std::pair<QStringList, QString> cases[] = {
        {{"--labels", write("c.txt", "C\nC++\nC#\n"), "--out", out, "--name", "btn-{slug}"},
         "\"C\" and the label \"C++\" would both be written to " + out + "/btn-c.bmp"},
        {io + QStringList{"--save-style", list}, "the label list " + list + " would be replaced"},
        {io + QStringList{"--contact-sheet", back}, "the background picture " + back},
        {io + QStringList{"--hover", hover, "--html", hover}, "the --hover style " + hover},
        {{"--labels", write("p.txt", "hover\n"), "--out", tmp_.path(), "--format", "png", "--hover",
          hover},
         "would replace the --hover style's picture " + hover_back},
    };
    for (const auto& [args, says] : cases) {
        const Outcome o = run(args, "--quiet");
        EXPECT_EQ(o.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(o.err.contains(says)) << o.err.toStdString();
        EXPECT_EQ(file_names(out), QStringList{});
    }
    for (qsizetype i = 0; i < inputs.size(); ++i) EXPECT_EQ(read_bytes(inputs[i]), before[i]) << i;

    // --check writes not even the style.
    const Outcome checked = run(io + QStringList{"--save-style", path("new.qvstyle"), "--check"});
    EXPECT_EQ(checked.status, 0);
    EXPECT_FALSE(QFile::exists(path("new.qvstyle")));
}

// Standard output that cannot take the result fails the run, as a file that cannot be written.
TEST_F(Tool, StandardOutputThatCannotBeWrittenIsAFailure) {
    for (const bool closed : {false, true}) {
        QProcess process;
        if (closed)
            process.setChildProcessModifier([] { ::close(1); });
        else
            process.setStandardOutputFile("/dev/full");
        process.start(QStringLiteral(QUORVANE_BATCH), {"--check", "--labels", "-"});
        process.write(QByteArray(30, 'W') + '\n');  // listed as too wide
        process.closeWriteChannel();
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 1) << closed;
        EXPECT_TRUE(process.readAllStandardError().contains("cannot write standard output"));
    }
}

// A list past the documented size is refused before it fills the memory.
TEST_F(Tool, AListPastTheLimitIsRefused) {
    const std::pair<QString, const char*> cases[] = {
        {"/dev/zero", "more than 64 MiB"},
        {write("lines.txt", QByteArray(2'000'001, '\n')), "more than 2000000 lines"},
    };
    for (const auto& [list, says] : cases) {
        const Outcome o = run({"--labels", list, "--out", out});
        EXPECT_EQ(o.status, 2);
        EXPECT_TRUE(o.err.contains(says)) << o.err.toStdString();
    }
}

// A run killed before it cleaned up left temporary files; a later run removes those of runs that
// are gone, and nothing else.
TEST_F(Tool, StaleTemporariesOfDeadRunsAreRemoved) {
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ASSERT_GT(gone, 0);
    ::waitpid(gone, nullptr, 0);
    const QString dead = QStringLiteral(".quorvane-%1-").arg(gone);
    const QString alive = QStringLiteral(".quorvane-%1-7.tmp").arg(::getpid());
    ASSERT_TRUE(QDir(out).mkpath("sub"));
    for (const QString& name :
         QStringList{dead + "0.tmp", dead + "12.tmp", "sub/" + dead + "3.tmp", alive,
                     dead + "1.tmp.bak", dead + "x.tmp", ".quorvane--1.tmp"})
        ASSERT_FALSE(batch_tool::write_bytes(out + "/" + name, "old").isEmpty())
            << name.toStdString();
    ASSERT_TRUE(QDir(out).mkdir(dead + "4.tmp"));
    ASSERT_TRUE(QFile::link(path("labels.txt"), out + "/" + dead + "5.tmp"));

    const Outcome o = run({"--labels", write("labels.txt", "Home\nsub/News\n"), "--out", out});
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    QStringList left = QDir(out).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    QStringList kept{".quorvane--1.tmp", dead + "1.tmp.bak",
                     dead + "4.tmp",     dead + "5.tmp",
                     dead + "x.tmp",     alive,
                     "Home.bmp",         "sub"};
    left.sort();
    kept.sort();
    EXPECT_EQ(left, kept);
    EXPECT_EQ(file_names(out + "/sub"), QStringList{"News.bmp"});
}

// The 3D effect's dark pass reaches one pixel right of the face: a right-aligned label without a
// margin loses it, one with a margin of 1 keeps it. The outline's ring fits there too.
TEST_F(Tool, CheckSaysWhichEdgeAndHowFar) {
    const QStringList args{"--labels",     write("l.txt", "Home\nWWWWWWWWWWWWWW\n"),
                           "--background", picture(),
                           "--font",       "DejaVu Sans",
                           "--check",      "--align",
                           "right"};
    const Outcome flush = run(args, "--3d --quiet");
    EXPECT_EQ(flush.out.toStdString(),
              "Home\tpast the edges by right 1 px\n"
              "WWWWWWWWWWWWWW\tpast the edges by left 33 px, right 1 px\n");
    EXPECT_EQ(flush.err, "");
    const Outcome inset = run(args, "--3d --margin-right 1");
    EXPECT_EQ(inset.out.toStdString(), "WWWWWWWWWWWWWW\tpast the edges by left 34 px\n");
    EXPECT_TRUE(inset.err.startsWith("1 of 2 labels run past the edges; 0 have"))
        << inset.err.toStdString();
    EXPECT_EQ(run(args, "--outline --margin-right 1").out.toStdString(),
              "WWWWWWWWWWWWWW\tpast the edges by left 34 px\n");
}

// A run writes every button as drawn and says once, on one line each, which labels were clipped
// and which have characters no installed font has; Qt's own notes on fonts stay out under --quiet.
TEST_F(Tool, ClippedLabelsAndMissingCharactersAreWarnedOfAfterTheRun) {
    const QByteArray list =
        "Home\nWWWWWWWWWWWWWW\n\xED\x95\x9C\xEA\xB8\x80\n"
        "\xE0\xA4\xA8\xE0\xA4\xAE\n";  // Korean, Devanagari
    const Outcome o = run({"--labels", write("l.txt", list), "--out", out, "--background",
                           picture(), "--font", "DejaVu Sans"},
                          "--align left --margin-left 2 --quiet");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(file_names(out).size(), 4);
    EXPECT_EQ(o.err.toStdString(),
              "quorvane-batch: warning: 1 label is clipped at the button's edges: "
              "\"WWWWWWWWWWWWWW\" (right 34 px)\n"
              "quorvane-batch: warning: 2 labels have characters no installed font has, drawn as "
              "boxes: \"\xED\x95\x9C\xEA\xB8\x80\" (\xED\x95\x9C\xEA\xB8\x80), "
              "\"\xE0\xA4\xA8\xE0\xA4\xAE\" (\xE0\xA4\xA8\xE0\xA4\xAE)\n");
}

// The few dozen long words and phrases a translated menu has, in Latin, Arabic, Greek, Cyrillic,
// Hebrew and Japanese script (DejaVu Sans has all but Japanese, which comes from the fallback
// font the test set-up installs).
const char* const kTranslated[] = {
    "設定の管理",                  // settings
    "プライバシーポリシー",        // privacy policy
    "よくある質問",                // FAQ
    "お問い合わせ",                // contact us
    "利用規約とアクセシビリティ",  // terms
    "ホームページ",                // home page
    "Einstellungsverwaltung", "Datenschutzerklärung", "Benutzerkontensteuerung",
    "Nutzungsbedingungen", "Kundendienst", "Häufig gestellte Fragen", "Children's corner",
    "Geschäftsbedingungen", "Barrierefreiheit", "Sicherheitseinstellungen", "Paramètres avancés",
    "Configuración de privacidad",
    "\u0625\u0639\u062f\u0627\u062f\u0627\u062a "
    "\u0627\u0644\u062e\u0635\u0648\u0635\u064a\u0629",  // privacy settings
    "\u0633\u064a\u0627\u0633\u0629 \u0627\u0644\u062e\u0635\u0648\u0635\u064a\u0629",  // privacy
                                                                                        // policy
    "\u0627\u0644\u0623\u0633\u0626\u0644\u0629 \u0627\u0644\u0634\u0627\u0626\u0639\u0629",  // FAQ
    "\u0627\u062a\u0635\u0644 \u0628\u0646\u0627",  // contact us
    "\u0627\u0644\u0635\u0641\u062d\u0629 \u0627\u0644\u0631\u0626\u064a\u0633\u064a\u0629",  // home
                                                                                              // page
    "\u0634\u0631\u0648\u0637 \u0627\u0644\u0627\u0633\u062a\u062e\u062f\u0627\u0645",  // terms
                                                                                        // of
                                                                                        // use
    "\u0395\u03c0\u03b9\u03ba\u03bf\u03b9\u03bd\u03c9\u03bd\u03af\u03b1",  // contact (Greek)
    "\u03a1\u03c5\u03b8\u03bc\u03af\u03c3\u03b5\u03b9\u03c2 "
    "\u03b1\u03c0\u03bf\u03c1\u03c1\u03ae\u03c4\u03bf\u03c5",  // privacy settings
    "\u041d\u0430\u0441\u0442\u0440\u043e\u0439\u043a\u0438 "
    "\u043a\u043e\u043d\u0444\u0438\u0434\u0435\u043d\u0446\u0438\u0430\u043b\u044c\u043d\u043e"
    "\u0441\u0442\u0438",
    "\u0414\u043e\u0441\u0442\u043e\u043f\u0440\u0438\u043c\u0435\u0447\u0430\u0442\u0435\u043b"
    "\u044c\u043d\u043e\u0441\u0442\u0438",                                       // sights
    "\u05d4\u05d2\u05d3\u05e8\u05d5\u05ea \u05e4\u05e8\u05d8\u05d9\u05d5\u05ea",  // privacy
                                                                                  // settings
                                                                                  // (Hebrew)
    "\u05e6\u05d5\u05e8 \u05e7\u05e9\u05e8",  // contact (Hebrew)
};

// Under shrink a label's whole ink, effects too, keeps to the margins, at the size --check names:
// one point up, drawn as it is, crosses them. Seen in the pixels, not in the tool's own measure;
// which edges bound an aligned label is the placement test's.
TEST_F(Tool, ShrinkChoosesTheLargestSizeWhoseInkKeepsToTheMargins) {
    const QString back = picture();
    const QImage background(back);
    const QStringList style{
        "--labels",       write("l.txt", "Einstellungsverwaltung\nKundendienst\n"),
        "--background",   back,
        "--font",         "DejaVu Sans",
        "--margin-left",  "9",
        "--margin-right", "12",
        "--out",          out,
        "--shadow",       "--outline",
        "--quiet"};
    const auto said = checked(run(style, "--fit shrink --size 24 --check").out);
    ASSERT_EQ(run(style, "--fit shrink --size 24").status, 0);
    const QStringList labels{"Einstellungsverwaltung", "Kundendienst"};
    for (const QString& label : labels) {
        EXPECT_TRUE(said[label].startsWith(u"24 -> ")) << said[label].toStdString();
        const QRect ink = ink::box(QImage(out + "/" + label + ".bmp"), background);
        EXPECT_TRUE(ink.left() >= 9 && ink.right() < 138 && ink.top() > 0 && ink.bottom() < 55)
            << label.toStdString() << " " << ink.left() << ".." << ink.right();
    }
    for (const QString& label : labels) {  // "24 -> 13 pt, 150 px": one point up crosses
        const int size = said[label].section(QStringLiteral(" pt"), 0, 0).section(u' ', -1).toInt();
        ASSERT_TRUE(size >= 5 && size < 24) << said[label].toStdString();
        ASSERT_EQ(run(style + QStringList{"--size", QString::number(size + 1)}).status, 0);
        const QRect larger = ink::box(QImage(out + "/" + label + ".bmp"), background);
        EXPECT_TRUE(larger.left() < 9 || larger.right() >= 138) << label.toStdString();
    }
}

// Wrap breaks a label too wide for one line into two, each whole within the margins, and leaves
// one that fits alone; --check says which.
TEST_F(Tool, WrapGivesTwoLinesNoneClipped) {
    const QString back = picture();
    const QString labels = write("l.txt", "Children's corner\nHome\nBenutzerkonto einrichten\n");
    const QStringList args{
        "--labels",      labels, "--background",   back, "--font", "DejaVu Sans", "--size", "16",
        "--margin-left", "5",    "--margin-right", "5",  "--fit",  "wrap",        "--3d"};
    const Outcome check = run(args, "--check --quiet");
    EXPECT_EQ(check.out.toStdString(),
              "Children's corner\t16 pt, two lines \"Children's\" / \"corner\", 150 px\n"
              "Home\t16 pt, 150 px\n"
              "Benutzerkonto einrichten\t16 -> 14 pt, two lines \"Benutzerkonto\" / "
              "\"einrichten\", 150 px\n");
    const Outcome o = run(args + QStringList{"--out", out});
    EXPECT_EQ(o.status, 0);
    EXPECT_FALSE(o.err.contains("warning")) << o.err.toStdString();
    // The two bands of ink are the placement test's; here the effect's reach too stays inside.
    for (const char* label : {"Children's corner", "Home", "Benutzerkonto einrichten"}) {
        const QRect ink = ink::box(QImage(out + "/" + label + ".bmp"), QImage(back));
        EXPECT_TRUE(ink.left() >= 5 && ink.right() < 145 && ink.top() > 0 && ink.bottom() < 55)
            << label;
    }
}

// A stretched button is as wide as --check says, keeps the picture's caps column for column, and
// holds the label within the margins inside the caps with little to spare; scaled or tiled, and
// the contact sheet shows each button at its own size, in rows as wide as they need.
TEST_F(Tool, StretchKeepsTheCapsAndTakesTheLabelsWidth) {
    const QString back = picture();
    const QImage picture_image(back);
    const QStringList labels{"Hi", "Einstellungsverwaltung", "OK", "Datenschutzerklärung"};
    const QStringList args{"--labels",       write("l.txt", labels.join('\n').toUtf8()),
                           "--background",   back,
                           "--font",         "DejaVu Sans",
                           "--margin-left",  "4",
                           "--margin-right", "4",
                           "--outline",      "--quiet"};
    // Caps far apart in width too: the centred label then needs the wider side on both.
    for (const auto& [left, right, mode] :
         {std::tuple{20, 30, qv::StretchMode::Scale}, std::tuple{20, 30, qv::StretchMode::Tile},
          std::tuple{4, 70, qv::StretchMode::Scale}}) {
        const QStringList styled =
            args + QStringList{"--stretch", QStringLiteral("%1,%2").arg(left).arg(right),
                               "--stretch-mode", mode == qv::StretchMode::Tile ? "tile" : "scale"};
        const Outcome check = run(styled, "--check");
        EXPECT_FALSE(check.out.contains("does not fit")) << check.out.toStdString();
        const auto said = checked(check.out);
        const QString sheet = path("sheet.png");
        ASSERT_EQ(run(styled + QStringList{"--out", out, "--contact-sheet", sheet}).status, 0);
        std::vector<int> widths;
        for (const QString& label : labels) {
            const QImage button(out + "/" + label + ".bmp");
            const int width = checked_width(said[label]);
            widths.push_back(width);
            ASSERT_EQ(button.size(), QSize(width, 56)) << label.toStdString();
            // Compared with the stretched picture, caps that were not kept show up as ink.
            const QImage stretched =
                qv::stretch_picture(picture_image, {left, right, mode, {}, {}}, width);
            const QRect ink = ink::box(button, stretched);
            EXPECT_TRUE(ink.left() >= left + 4 && ink.right() < width - right - 4)
                << label.toStdString() << " " << left << "," << right;
            // Centred on the button, the label needs the wider side's caps and margin on both.
            EXPECT_LE(width - ink.width(), 2 * (std::max(left, right) + 4) + 3)
                << label.toStdString();
        }
        const auto layout = qv::cli::sheet_layout(widths, 56);
        ASSERT_TRUE(layout.ok());
        const QImage shown(sheet);
        ASSERT_EQ(shown.size(), layout->size);
        for (size_t i = 0; i < widths.size(); ++i)
            EXPECT_EQ(rgb32(shown.copy(QRect(layout->places[i], QSize(widths[i], 56)))),
                      rgb32(QImage(out + "/" + labels[qsizetype(i)] + ".bmp")));
    }
    // Bounds hold the width, and a style file's stretch takes them from the options.
    const QString style = write("s.qvstyle", R"({"quorvane_style": 1, "stretch": {"left_cap": 20,
                                                "right_cap": 30, "max_width": 500}})");
    const QStringList bounded{"--labels",    path("l.txt"), "--background", back,
                              "--style",     style,         "--min-width",  "90",
                              "--max-width", "120",         "--check",      "--quiet"};
    const auto said = checked(run(bounded).out);
    EXPECT_EQ(checked_width(said["Hi"]), 90);
    EXPECT_EQ(checked_width(said["Einstellungsverwaltung"]), 120);
}

// A picture's alpha is kept across the stretch: no pixel the middle is scaled to turns darker
// or takes another colour where clear and opaque pixels meet.
TEST_F(Tool, StretchKeepsAlphaWithoutDarkPixels) {
    QImage pill(60, 40, QImage::Format_ARGB32);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            pill.setPixel(x, y,
                          qRgba(200, 30, 30, (x * 37 + y * 11) % 3 == 0 ? 0 : 40 + (x * 7) % 216));
    ASSERT_TRUE(pill.save(path("pill.png")));
    const Outcome o = run({"--labels", write("l.txt", "Longer than the pill\n"), "--out", out,
                           "--background", path("pill.png"), "--y", "26", "--size", "8"},
                          "--format png --stretch 9,9 --quiet");
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    const QImage button =
        QImage(out + "/Longer than the pill.png").convertToFormat(QImage::Format_ARGB32);
    ASSERT_GT(button.width(), 60);
    EXPECT_EQ(button.copy(0, 0, 9, 40), pill.copy(0, 0, 9, 40));
    for (int y = 0; y < 20; ++y) {  // above the label
        for (int x = 0; x < button.width(); ++x) {
            const QRgb p = button.pixel(x, y);
            if (qAlpha(p) == 0) continue;
            // Eight bits of premultiplied colour carry it to within 255 / alpha.
            const int near = 255 / qAlpha(p) + 2;
            EXPECT_TRUE(std::abs(qRed(p) - 200) <= near && std::abs(qGreen(p) - 30) <= near &&
                        std::abs(qBlue(p) - 30) <= near)
                << x << "," << y << " " << std::hex << p;
        }
    }
}

// --strict: any warning (a label still too wide at the smallest size, an unknown style key)
// ends the run with status 1 before the first file, the style, the page or the sheet is written.
TEST_F(Tool, StrictWritesNothingWhenThereIsAWarning) {
    const QStringList io{
        "--labels",
        write("l.txt", "Home\nDatenschutzerkl\xC3\xA4rung und Nutzungsbedingungen\n"),
        "--out",
        out,
        "--html",
        path("page.html"),
        "--contact-sheet",
        path("sheet.png"),
        "--save-style",
        path("saved.qvstyle")};
    const Outcome o = run(io, "--fit shrink --min-size 8 --strict");
    EXPECT_EQ(o.status, 1);
    EXPECT_TRUE(
        o.err.contains("1 label does not fit between its margins even at the smallest "
                       "size: \"Datenschutzerkl\u00e4rung und Nutzungsbedingungen\" (8 pt)"))
        << o.err.toStdString();
    EXPECT_TRUE(o.err.contains("--strict: nothing written")) << o.err.toStdString();
    EXPECT_TRUE(o.out.isEmpty());
    EXPECT_EQ(file_names(out), QStringList{});
    EXPECT_EQ(file_names(tmp_.path()), QStringList{"l.txt"});
    // Without --strict the same run writes everything and warns after.
    const Outcome loose = run(io, "--fit shrink --min-size 8");
    EXPECT_EQ(loose.status, 0);
    EXPECT_TRUE(loose.err.contains("does not fit between its margins")) << loose.err.toStdString();
    EXPECT_EQ(file_names(out).size(), 2);
    EXPECT_EQ(run(io, "--fit shrink --min-size 8 --strict --check").status, 1);

    const QString glow = write("g.qvstyle", R"({"quorvane_style": 1, "glow": 1})");
    const QStringList fine{"--labels", write("f.txt", "Home\n"), "--out", path("fine")};
    ASSERT_TRUE(QDir().mkpath(path("fine")));
    EXPECT_EQ(run(fine + QStringList{"--style", glow}, "--strict").status, 1);
    EXPECT_EQ(file_names(path("fine")), QStringList{});
    EXPECT_EQ(run(fine, "--strict --fit shrink").status, 0);
    EXPECT_EQ(file_names(path("fine")), QStringList{"Home.bmp"});
}

// A hover look takes the main look's width label by label, so a page can swap them, and fits its
// own (larger, bold) label with its own style's fit; --check says where it differs.
TEST_F(Tool, StateLooksTakeTheMainLooksWidth) {
    const QString hover = write("h.qvstyle", R"({"quorvane_style": 1, "font": "DejaVu Sans",
                                "size": 14, "bold": true, "fit": "shrink", "stretch":
                                {"left_cap": 6, "right_cap": 6}})");
    const QStringList args{"--labels",     write("l.txt", "Home\nEinstellungsverwaltung\n"),
                           "--background", picture(),
                           "--font",       "DejaVu Sans",
                           "--size",       "12",
                           "--stretch",    "20,30",
                           "--max-width",  "140",
                           "--fit",        "shrink",
                           "--hover",      hover,
                           "--format",     "png",
                           "--quiet"};
    const auto said = checked(run(args, "--check").out);
    EXPECT_TRUE(said["Einstellungsverwaltung"].contains("; -hover look: 14 -> "))
        << said["Einstellungsverwaltung"].toStdString();
    ASSERT_EQ(run(args + QStringList{"--out", out}).status, 0);
    for (const char* label : {"Home", "Einstellungsverwaltung"}) {
        const QImage main(out + "/" + label + ".png");
        const QImage over(out + "/" + label + "-hover.png");
        EXPECT_EQ(main.width(), checked_width(said[label]));
        EXPECT_EQ(over.size(), main.size()) << label;
        const QImage stretched =
            qv::stretch_picture(QImage(path("back.png")), {6, 6, {}, {}, {}}, over.width());
        const QRect ink = ink::box(over, stretched);
        EXPECT_TRUE(ink.left() >= 6 && ink.right() < over.width() - 6) << label;
    }
}

// A translated menu of 2,000 labels in several scripts, right to left among them: under shrink
// no button's ink crosses its margins, as its pixels show.
TEST_F(Tool, ATwoThousandLabelTranslatedListHasNoClippedLabel) {
    QStringList labels;
    const int count = int(std::size(kTranslated));
    for (int i = 0; labels.size() < 2000; ++i) {
        const QString word = QString::fromUtf8(kTranslated[i % count]);
        const QString other = QString::fromUtf8(kTranslated[(i * 7 + 3) % count]);
        // Two words at most 28 characters long: at 5 points any of them fits the picture.
        const QString longer = i % 2 ? word + u' ' + other.section(u' ', 0, 0)
                                     : QStringLiteral("%1 %2").arg(word).arg(i);
        labels << (i % 3 == 0 || longer.size() > 28 ? word : longer);
    }
    const QString back = picture();
    const QImage background(back);
    const QStringList args{"--labels",     write("l.txt", labels.join('\n').toUtf8()),
                           "--background", back,
                           "--font",       "DejaVu Sans",
                           "--name",       "{n}"};
    const char* style =
        "--size 18 --fit shrink --margin-left 6 --margin-right 6 --outline --shadow --jobs 2 "
        "--quiet";
    const Outcome check = run(args + QStringList{"--check"}, style);
    EXPECT_GT(check.out.count(QStringLiteral("18 -> ")), 600);  // a good part is made smaller
    EXPECT_FALSE(check.out.contains("does not fit"));
    const Outcome o = run(args + QStringList{"--out", out}, style);
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(o.err, "");
    for (int i = 0; i < labels.size(); ++i) {
        const QImage button(QStringLiteral("%1/%2.bmp").arg(out).arg(i + 1));
        const QRect ink = ink::box(button, background);
        ASSERT_FALSE(ink.isEmpty()) << i;
        EXPECT_TRUE(ink.left() >= 6 && ink.right() < 144 && ink.top() > 0 && ink.bottom() < 55)
            << labels[i].toStdString();
    }
}

}  // namespace
