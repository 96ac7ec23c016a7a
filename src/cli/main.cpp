// quorvane-batch: the window's "make all buttons" from the command line.
#include "cli/tool.h"
#include "core/io/picture_loader.h"

#include <QGuiApplication>
#include <QImageReader>

#include <cstdio>

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
    const int status = qv::cli::run_tool(args, stdout, stderr);
    std::fflush(stdout);
    return status;
}
