// The start-up floor of the command line tool: the least a Qt program that draws a label does,
// run as its own process. It starts an offscreen GUI application, loads the font database and
// draws one line of text into a button-sized picture, and writes nothing. bench_small_runs times
// quorvane-batch with one label against it.
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qt_argc = 1;
    QGuiApplication app(qt_argc, argv);
    const QString family =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("DejaVu Sans");
    if (!QFontDatabase::families().contains(family)) {
        std::fprintf(stderr, "floor_one_line: no font family %s\n", qPrintable(family));
        return 1;
    }
    QImage picture(150, 56, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    QPainter painter(&picture);
    painter.setFont(QFont(family, 10));
    painter.setPen(Qt::white);
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("Home"));
    painter.end();
    return picture.pixel(75, 28) == 0 ? 2 : 0;  // keeps the drawing from being skipped
}
