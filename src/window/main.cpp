#include "core/io/picture_loader.h"
#include "window/command_line.h"
#include "window/form_main.h"
#include "window/platform_services.h"

#include <QApplication>
#include <QImageReader>

#include <cstdio>

namespace {

using Action = qv::WindowCommandLine::Action;

// Prints the help or the version when asked for; true when it did.
bool answered(const qv::WindowCommandLine& line) {
    if (line.action != Action::Help && line.action != Action::Version) return false;
    const QString text =
        line.action == Action::Help ? qv::window_help_text() : qv::window_version_text();
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    // --help and --version are answered before the application starts, as neither needs a
    // display; but Qt's own options (-platform, -style...) are only taken out once it has.
    QStringList given;
    for (int i = 1; i < argc; ++i) given << QString::fromLocal8Bit(argv[i]);
    if (answered(qv::read_window_command_line(given))) return 0;

    QApplication app(argc, argv);
    QImageReader::setAllocationLimit(qv::kPictureMemoryMiB);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    const qv::WindowCommandLine line =
        qv::read_window_command_line(QApplication::arguments().mid(1));
    if (answered(line)) return 0;
    if (line.action == Action::Refuse) {
        std::fprintf(stderr, "quorvane: %s\nTry 'quorvane --help'.\n",
                     line.refusal.toLocal8Bit().constData());
        return 2;
    }
    qv::DesktopPlatform platform;
    Form_Main form(platform);
    form.Form_Load();
    if (!form.isVisible()) form.show();
    // Files named on the command line (a desktop's "Open with") open as if dropped on the window.
    qv::open_named_files(form, line);
    return QApplication::exec();
}
