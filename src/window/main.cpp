#include "window/form_main.h"
#include "window/platform_services.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    qv::DesktopPlatform platform;
    Form_Main form(platform);
    form.Form_Load();
    if (!form.isVisible()) form.show();
    return QApplication::exec();
}
