#include "window/command_line.h"

#include "core/io/message_text.h"
#include "core/render/button_style.h"
#include "window/drop_handler.h"
#include "window/form_main.h"
#include "window/platform_services.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QUrl>

namespace qv {

WindowCommandLine read_window_command_line(const QStringList& args) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({help, version});
    WindowCommandLine line;
    // The parser takes the program's name first.
    if (!parser.parse(QStringList{QStringLiteral("quorvane")} + args)) {
        line.action = WindowCommandLine::Action::Refuse;
        line.refusal = shown_in_message(parser.errorText());
        return line;
    }
    if (parser.isSet(help)) {
        line.action = WindowCommandLine::Action::Help;
    } else if (parser.isSet(version)) {
        line.action = WindowCommandLine::Action::Version;
    }
    for (const QString& name : parser.positionalArguments()) {
        const QFileInfo info(name);
        if (info.exists())
            line.files << info.absoluteFilePath();
        else
            line.missing << name;
    }
    return line;
}

QString window_help_text() {
    return QStringLiteral(
        "Usage: quorvane [FILE...]\n"
        "\n"
        "Opens the Quorvane window for making sets of graphical buttons. Each FILE opens\n"
        "as if dropped on the window: a style file (.qvstyle) is opened, a picture\n"
        "becomes the background, a text file the text list and a folder the output\n"
        "directory (the first of each kind).\n"
        "\n"
        "  -h, --help     show this help and exit\n"
        "  --version      show the version and exit\n"
        "\n"
        "quorvane-batch makes the same buttons from the command line; see quorvane(1)\n"
        "and quorvane-batch(1).\n");
}

QString window_version_text() {
    return QStringLiteral("quorvane ") + QLatin1String(kVersion) + u'\n';
}

void open_named_files(Form_Main& form, const WindowCommandLine& line) {
    QList<QUrl> named;
    for (const QString& file : line.files) named << QUrl::fromLocalFile(file);
    DropHandler::open(form, plan_drop(named));
    for (const QString& gone : line.missing)
        form.platform().show_message(
            &form,
            QStringLiteral("There is no file or folder %1 to open.").arg(shown_in_message(gone)));
}

}  // namespace qv
