// Takes the README's pictures of the main window after start-up: at its closed width, then with
// the font configuration panel open. Usage: quorvane-window-shots <output folder>
#include "shell/form_main.h"
#include "shell/platform_services.h"
#include "shell/skin_layout.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    qv::DesktopPlatform platform;
    Form_Main form(platform);
    form.Form_Load();
    QApplication::processEvents();
    bool saved = form.grab().save(out.filePath(QStringLiteral("window-collapsed.png")));
    form.set_width_twips(qv::layout::kExpandedTwips);
    QApplication::processEvents();
    saved = form.grab().save(out.filePath(QStringLiteral("window-expanded.png"))) && saved;
    return saved ? 0 : 1;
}
