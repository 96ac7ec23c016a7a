#include "core/io/picture_loader.h"
#include "window/drop_handler.h"
#include "window/form_main.h"
#include "window/platform_services.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QUrl>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QImageReader::setAllocationLimit(qv::kPictureMemoryMiB);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    qv::DesktopPlatform platform;
    Form_Main form(platform);
    form.Form_Load();
    if (!form.isVisible()) form.show();
    // Files named on the command line (a desktop's "Open with") open as if dropped on the window.
    QList<QUrl> named;
    for (const QString& arg : QApplication::arguments().mid(1))
        named << QUrl::fromLocalFile(QFileInfo(arg).absoluteFilePath());
    qv::DropHandler::open(form, qv::plan_drop(named));
    return QApplication::exec();
}
