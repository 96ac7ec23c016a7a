// The preview page as a browser shows it: headless Chromium opens it from disk, and every button
// must appear in its screenshot pixel for pixel.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <optional>

namespace {

QString chromium() {
    for (const char* name : {"chromium", "chromium-browser", "google-chrome"})
        if (const QString path = QStandardPaths::findExecutable(name); !path.isEmpty()) return path;
    return {};
}

int run(const QString& program, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, args);
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// Where `block` lies in `shot` exactly, pixel for pixel.
std::optional<QPoint> find_block(const QImage& shot, const QImage& block) {
    for (int y = 0; y + block.height() <= shot.height(); ++y)
        for (int x = 0; x + block.width() <= shot.width(); ++x) {
            bool same = true;
            for (int row = 0; row < block.height() && same; ++row) {
                const auto* a = reinterpret_cast<const QRgb*>(shot.constScanLine(y + row)) + x;
                const auto* b = reinterpret_cast<const QRgb*>(block.constScanLine(row));
                same = std::equal(b, b + block.width(), a);
            }
            if (same) return QPoint(x, y);
        }
    return std::nullopt;
}

TEST(PageInBrowser, EveryButtonAppearsInTheScreenshot) {
    const QString browser = chromium();
    if (browser.isEmpty()) GTEST_SKIP() << "no Chromium installed";
    QTemporaryDir tmp;
    const QString out = tmp.filePath("img");
    ASSERT_TRUE(QDir().mkpath(out));
    QImage back(120, 34, QImage::Format_RGB32);
    for (int y = 0; y < back.height(); ++y)
        for (int x = 0; x < back.width(); ++x) back.setPixel(x, y, qRgb(40 + x, 60 + y * 3, 150));
    ASSERT_TRUE(back.save(tmp.filePath("back.png")));
    QFile list(tmp.filePath("labels.txt"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("Home\r\nAbout us\r\nNews & more\r\nContact\r\n");
    list.close();
    const QString hover = tmp.filePath("hover.qvstyle");
    QFile style(hover);
    ASSERT_TRUE(style.open(QIODevice::WriteOnly));
    style.write(R"({"quorvane_style": 1, "font": "DejaVu Sans", "color": [255, 230, 0]})");
    style.close();
    const QString page = tmp.filePath("site/menu.html");
    ASSERT_TRUE(QDir().mkpath(tmp.filePath("site")));
    ASSERT_EQ(run(QStringLiteral(QUORVANE_BATCH),
                  {"--labels", list.fileName(), "--out", out, "--background",
                   tmp.filePath("back.png"), "--font", "DejaVu Sans", "--shadow", "--name",
                   "{slug}", "--format", "png", "--hover", hover, "--html", page, "--quiet"}),
              0);

    const QString shot = tmp.filePath("shot.png");
    ASSERT_EQ(run(browser, {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                            "--no-first-run", "--disable-background-networking",
                            "--disable-component-update", "--disable-sync", "--hide-scrollbars",
                            "--force-device-scale-factor=1", "--user-data-dir=" + tmp.filePath("p"),
                            "--window-size=800,600", "--screenshot=" + shot, "file://" + page}),
              0);
    const QImage screen = QImage(shot).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(screen.isNull());
    std::optional<QPoint> last;
    for (const char* name : {"home", "about-us", "news-more", "contact"}) {
        const QImage button =
            QImage(out + "/" + name + ".png").convertToFormat(QImage::Format_RGB32);
        const auto at = find_block(screen, button);
        ASSERT_TRUE(at) << name;
        if (last) {
            EXPECT_TRUE(at->y() > last->y() || at->x() > last->x()) << name;  // menu order
        }
        last = at;
        // The hover look waits for the pointer.
        const auto hover_at = find_block(
            screen, QImage(out + "/" + name + "-hover.png").convertToFormat(QImage::Format_RGB32));
        EXPECT_FALSE(hover_at) << name;
    }
}

}  // namespace
