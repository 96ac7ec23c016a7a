// quorvane-batch: the window's "make all buttons" from the command line.
#include "cli/tool.h"
#include "core/io/picture_loader.h"

#include <QGuiApplication>
#include <QImageReader>

#include <fcntl.h>
#include <unistd.h>
#include <cstdio>
#include <exception>
#include <new>

namespace {

QtMessageHandler g_qt_handler = nullptr;

// On a server without a session Qt warns that it has no runtime directory; the tool never uses
// one, so that warning would only bury the tool's own messages.
void quiet_runtime_dir_warning(QtMsgType type, const QMessageLogContext& context,
                               const QString& message) {
    if (message.startsWith(u"QStandardPaths: XDG_RUNTIME_DIR not set")) return;
    g_qt_handler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    // A descriptor 0, 1 or 2 left closed would be handed to the first file opened, and messages
    // would land in a button. Standard output closed is a failure to report; the others read or
    // write nothing.
    const bool out_closed = ::fcntl(1, F_GETFD) < 0;
    for (int fd = 0; fd <= 2; ++fd)
        if (::fcntl(fd, F_GETFD) < 0 && ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY) != fd)
            return 1;
    if (out_closed) {
        std::fputs("quorvane-batch: cannot write standard output: it is closed\n", stderr);
        return 1;
    }
    // Fonts need a GUI application, but the tool must run on servers without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    g_qt_handler = qInstallMessageHandler(quiet_runtime_dir_warning);
    // Qt gets only the program name: it would otherwise take options such as --reverse for its own.
    int qt_argc = 1;
    char* qt_argv[] = {argv[0], nullptr};
    QGuiApplication app(qt_argc, qt_argv);
    QImageReader::setAllocationLimit(qv::kPictureMemoryMiB);
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    // Nothing may end the tool without a word: running out of memory or threads is reported.
    try {
        return qv::cli::run_tool(args, stdout, stderr);
    } catch (const std::bad_alloc&) {
        std::fputs("quorvane-batch: out of memory\n", stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quorvane-batch: %s\n", e.what());
    }
    return 1;
}
