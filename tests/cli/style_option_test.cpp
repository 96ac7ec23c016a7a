// --style and --save-style, run as a user would: a saved style stands for its options, options
// given with it win, and a bad style writes nothing.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Outcome {
    int status = -1;
    QString err;
};

Outcome run(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(QUORVANE_BATCH), args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class StyleOption : public testing::Test {
  protected:
    void SetUp() override {
        QImage image(120, 40, QImage::Format_RGB32);
        image.fill(qRgb(30, 60, 90));
        ASSERT_TRUE(image.save(path("back.bmp")));
        QFile list(path("labels.txt"));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly) && list.write("Home\r\nNews\r\n") > 0);
    }
    QString path(const QString& name) const { return tmp_.filePath(name); }
    QString folder(const QString& name) const {
        QDir().mkpath(path(name));
        return path(name);
    }
    // Runs a batch into a new folder and returns the bytes of Home's button.
    QByteArray home(const QString& name, const QStringList& style) {
        const Outcome r = run(
            QStringList{"--labels", path("labels.txt"), "--out", folder(name), "--quiet"} + style);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        return contents(path(name) + "/Home.png");
    }

    QTemporaryDir tmp_;
};

const QStringList kStyle{"--background",  "back.bmp", "--font",   "DejaVu Sans",  "--size",  "14",
                         "--bold",        "--3d",     "--color",  "200,120.5,30", "--align", "left",
                         "--margin-left", "6",        "--format", "png"};

TEST_F(StyleOption, SavedStyleStandsForItsOptionsAndOptionsOverrideIt) {
    QProcess save;
    save.setWorkingDirectory(tmp_.path());  // --background is relative to where the tool runs
    save.start(QStringLiteral(QUORVANE_BATCH),
               QStringList{"--save-style", folder("styles") + "/look.qvstyle"} + kStyle);
    ASSERT_TRUE(save.waitForFinished(60000));
    ASSERT_EQ(save.exitCode(), 0) << save.readAllStandardError().toStdString();
    EXPECT_EQ(QDir(path("styles")).entryList(QDir::Files), QStringList{"look.qvstyle"});
    const QByteArray json = contents(path("styles/look.qvstyle"));
    EXPECT_TRUE(json.contains("\"background\": \"" + path("back.bmp").toUtf8() + "\""));
    EXPECT_TRUE(json.contains("\"color\": [200, \"120.5\", 30]"));
    EXPECT_FALSE(json.contains("\"y\""));  // centred, as the options said

    QStringList absolute = kStyle;
    absolute[1] = path("back.bmp");
    const QByteArray by_options = home("a", absolute);
    ASSERT_FALSE(by_options.isEmpty());
    EXPECT_EQ(home("b", {"--style", path("styles/look.qvstyle")}), by_options);

    const QByteArray larger = home("c", absolute + QStringList{"--size", "20"});
    EXPECT_NE(larger, by_options);
    EXPECT_EQ(home("d", {"--style", path("styles/look.qvstyle"), "--size", "20"}), larger);
}

TEST_F(StyleOption, BadStylesExitTwoNamingTheKeyAndWriteNothing) {
    auto style_file = [&](const QByteArray& json) {
        QFile f(path("bad.qvstyle"));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(json) > 0);
        return f.fileName();
    };
    const QString out = folder("out");
    const QStringList batch{"--labels", path("labels.txt"), "--out", out, "--style"};
    struct Case {
        QByteArray json;
        const char* said;
    };
    const Case cases[] = {
        {R"({"quorvane_style": 1, "size": 500})", "\"size\" must be a whole number from 5 to 100"},
        {R"({"quorvane_style": 3})", "version 3"},
        {R"({"size": 12})", "not a style file"},
        {R"({"quorvane_style": 1, "font": "No Such Face"})", "\"font\": no font family"},
        {R"({"quorvane_style": 1, "background": "gone.bmp"})", "\"background\": there is no file"},
    };
    for (const Case& c : cases) {
        const Outcome r = run(batch + QStringList{style_file(c.json)});
        EXPECT_EQ(r.status, 2) << c.json.toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(c.said))) << r.err.toStdString();
    }
    EXPECT_EQ(run(batch + QStringList{path("none.qvstyle")}).status, 2);
    EXPECT_TRUE(QDir(out).isEmpty());

    // An unknown key is only a warning.
    const Outcome r = run(batch + QStringList{style_file(R"({"quorvane_style": 1, "glow": 1})")});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.err.contains("unknown key \"glow\" ignored")) << r.err.toStdString();
}

}  // namespace
