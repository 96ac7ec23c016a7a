// The preview page as a browser shows it: headless Chromium opens it from disk, and every button
// must appear in its screenshot pixel for pixel; driven through the DevTools protocol, the
// pointer brings up the hover look and a press the pressed look.
#include "batch_tool.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <poll.h>
#include <unistd.h>
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

QStringList browser_flags(const QString& profile) {
    return QStringLiteral(
               "--headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
               "--disable-background-networking --disable-component-update "
               "--disable-sync --hide-scrollbars --force-device-scale-factor=1 "
               "--window-size=800,600")
               .split(u' ')
           << "--user-data-dir=" + profile;
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

QImage opaque(const QString& path) {
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

// Chromium's DevTools protocol over --remote-debugging-pipe: JSON messages ended by a NUL, read
// by the browser from descriptor 3 and written to descriptor 4.
class DevTools {
  public:
    explicit DevTools(const QString& browser, const QStringList& flags) {
        if (::pipe(to_) != 0 || ::pipe(from_) != 0) return;
        process_.setChildProcessModifier([this] {
            ::dup2(to_[0], 3);
            ::dup2(from_[1], 4);
        });
        process_.setStandardErrorFile(QProcess::nullDevice());
        process_.start(browser, flags + QStringList{"--remote-debugging-pipe", "about:blank"});
        ::close(to_[0]);
        ::close(from_[1]);
        started_ = process_.waitForStarted();
    }
    ~DevTools() {
        ::close(to_[1]);
        ::close(from_[0]);
        process_.kill();
        process_.waitForFinished();
    }

    // Sends a command (to the page's session once attached) and returns its result.
    QJsonObject call(const QString& method, const QJsonObject& params = {}) {
        QJsonObject message{{"id", ++id_}, {"method", method}, {"params", params}};
        if (!session_.isEmpty()) message["sessionId"] = session_;
        const QByteArray bytes = QJsonDocument(message).toJson(QJsonDocument::Compact) + '\0';
        if (!started_ || ::write(to_[1], bytes.constData(), size_t(bytes.size())) != bytes.size())
            return {};
        return wait_for([&](const QJsonObject& m) { return m["id"].toInt() == id_; })["result"]
            .toObject();
    }

    bool open(const QString& url) {
        const QString target =
            call("Target.createTarget", {{"url", "about:blank"}})["targetId"].toString();
        session_ =
            call("Target.attachToTarget", {{"targetId", target}, {"flatten", true}})["sessionId"]
                .toString();
        call("Page.enable");
        call("Page.navigate", {{"url", url}});
        return !wait_for([](const QJsonObject& m) {
                    return m["method"].toString() == "Page.loadEventFired";
                }).isEmpty();
    }

    void mouse(const char* type, QPoint at) {
        call("Input.dispatchMouseEvent",
             {{"type", type}, {"x", at.x()}, {"y", at.y()}, {"button", "left"}, {"clickCount", 1}});
    }

    QImage screenshot() {
        const QByteArray png = QByteArray::fromBase64(
            call("Page.captureScreenshot", {{"format", "png"}})["data"].toString().toLatin1());
        return QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
    }

  private:
    template <class Pred>
    QJsonObject wait_for(Pred wanted) {
        for (;;) {
            for (qsizetype end; (end = buffer_.indexOf('\0')) >= 0;) {
                const QJsonObject m = QJsonDocument::fromJson(buffer_.left(end)).object();
                buffer_.remove(0, end + 1);
                if (wanted(m)) return m;
            }
            pollfd fd{from_[0], POLLIN, 0};
            char chunk[65536];
            if (::poll(&fd, 1, 30000) <= 0) return {};
            const ssize_t n = ::read(from_[0], chunk, sizeof chunk);
            if (n <= 0) return {};
            buffer_.append(chunk, n);
        }
    }

    QProcess process_;
    int to_[2] = {-1, -1};
    int from_[2] = {-1, -1};
    bool started_ = false;
    int id_ = 0;
    QString session_;
    QByteArray buffer_;
};

class PageInBrowser : public testing::Test {
  protected:
    void SetUp() override {
        browser = chromium();
        if (browser.isEmpty()) GTEST_SKIP() << "no Chromium installed";
        ASSERT_TRUE(QDir().mkpath(out) && QDir().mkpath(tmp.filePath("site")));
        QImage back(120, 34, QImage::Format_RGB32);
        for (int y = 0; y < back.height(); ++y)
            for (int x = 0; x < back.width(); ++x)
                back.setPixel(x, y, qRgb(40 + x, 60 + y * 3, 150));
        ASSERT_TRUE(back.save(tmp.filePath("back.png")));
        const QString list = write("labels.txt", "Home\r\nAbout us\r\nNews & more\r\nContact\r\n");
        const QString hover =
            write("hover.qvstyle",
                  R"({"quorvane_style": 1, "font": "DejaVu Sans", "color": [255, 230, 0]})");
        const QString pressed =
            write("pressed.qvstyle",
                  R"({"quorvane_style": 1, "font": "DejaVu Sans", "color": [0, 0, 0]})");
        const QStringList args{"--labels",  list,           "--out",
                               out,         "--background", tmp.filePath("back.png"),
                               "--font",    "DejaVu Sans",  "--shadow",
                               "--name",    "{slug}",       "--format",
                               "png",       "--hover",      hover,
                               "--pressed", pressed,        "--html",
                               page,        "--quiet"};
        const batch_tool::Outcome made = batch_tool::run(args);
        ASSERT_EQ(made.status, 0) << made.err.toStdString();
    }

    QString write(const QString& name, const QByteArray& bytes) {
        return batch_tool::write_bytes(tmp.filePath(name), bytes);
    }

    QImage button(const char* name) const { return opaque(out + "/" + name + ".png"); }

    QTemporaryDir tmp;
    QString browser;
    const QString out = tmp.filePath("img");
    const QString page = tmp.filePath("site/menu.html");
};

TEST_F(PageInBrowser, EveryButtonAppearsInTheScreenshot) {
    const QString shot = tmp.filePath("shot.png");
    ASSERT_EQ(run(browser, browser_flags(tmp.filePath("profile")) +
                               QStringList{"--screenshot=" + shot, "file://" + page}),
              0);
    const QImage screen = opaque(shot);
    ASSERT_FALSE(screen.isNull());
    std::optional<QPoint> last;
    for (const char* name : {"home", "about-us", "news-more", "contact"}) {
        const auto at = find_block(screen, button(name));
        ASSERT_TRUE(at) << name;
        if (last) {
            EXPECT_TRUE(at->y() > last->y() || at->x() > last->x()) << name;  // menu order
        }
        last = at;
        // The other looks wait for the pointer.
        EXPECT_FALSE(find_block(screen, button((QByteArray(name) + "-hover").constData())));
        EXPECT_FALSE(find_block(screen, button((QByteArray(name) + "-pressed").constData())));
    }
}

TEST_F(PageInBrowser, PointerShowsTheHoverLookAndAPressThePressedLook) {
    DevTools tools(browser, browser_flags(tmp.filePath("profile")));
    ASSERT_TRUE(tools.open("file://" + page));
    const auto news = find_block(tools.screenshot(), button("news-more"));
    ASSERT_TRUE(news);
    const QPoint inside = *news + QPoint(20, 10);

    tools.mouse("mouseMoved", inside);
    QImage screen = tools.screenshot();
    EXPECT_EQ(find_block(screen, button("news-more-hover")), news);
    EXPECT_FALSE(find_block(screen, button("news-more")));
    EXPECT_TRUE(find_block(screen, button("home")));  // only the button under the pointer

    tools.mouse("mousePressed", inside);
    screen = tools.screenshot();
    EXPECT_EQ(find_block(screen, button("news-more-pressed")), news);
    EXPECT_FALSE(find_block(screen, button("news-more-hover")));
}

// Labels and folders with "%", "?", "=" and dots are only text in the page: every image loads, at
// its own size, stretched buttons of different widths and their hover looks too.
TEST_F(PageInBrowser, HostileNamesLoadEveryImage) {
    const QString folder = tmp.filePath("v2=new");
    const QString hostile_page = tmp.filePath("site/hostile.html");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QStringList labels{"FAQ?", "100%", "a=b", "%1", "..", "%3F", "Einstellungsverwaltung"};
    const QString hover = write("over.qvstyle", R"({"quorvane_style": 1, "bold": true})");
    const batch_tool::Outcome made =
        batch_tool::run({"--labels", write("hostile.txt", labels.join('\n').toUtf8()), "--out",
                         folder, "--background", tmp.filePath("back.png"), "--format", "png",
                         "--name", "{label}-btn", "--html", hostile_page, "--stretch", "12,12",
                         "--fit", "shrink", "--hover", hover, "--quiet"});
    ASSERT_EQ(made.status, 0) << made.err.toStdString();

    DevTools tools(browser, browser_flags(tmp.filePath("profile")));
    ASSERT_TRUE(tools.open("file://" + hostile_page));
    const QJsonObject result = tools.call(
        "Runtime.evaluate", {{"returnByValue", true},
                             {"expression",
                              "Array.from(document.images).map(i => [i.alt, i.complete, "
                              "i.naturalWidth, i.naturalHeight, i.width, i.height].join(' '))"
                              ".join('\\n')"}});
    QStringList expected;
    QSet<int> widths;
    for (const QString& label : labels) {
        for (const char* look : {"", "-hover"}) {
            const QSize size = QImage(folder + "/" + label + "-btn" + look + ".png").size();
            ASSERT_FALSE(size.isEmpty()) << label.toStdString() << look;
            const QString wh = QStringLiteral("%1 %2").arg(size.width()).arg(size.height());
            expected << label + " true " + wh + " " + wh;
            widths << size.width();
        }
    }
    EXPECT_GE(widths.size(), 3);  // the buttons are of different widths
    EXPECT_EQ(result["result"].toObject()["value"].toString().toStdString(),
              expected.join('\n').toStdString());
}

}  // namespace
