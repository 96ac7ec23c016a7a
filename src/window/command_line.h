#pragma once
// The window's command line: `quorvane [FILE...]`, as a desktop's "Open with" starts it. --help
// and --version are answered without opening the window; the files named open as if dropped.
#include <QString>
#include <QStringList>

class Form_Main;

namespace qv {

struct WindowCommandLine {
    enum class Action { Open, Help, Version, Refuse };
    Action action = Action::Open;
    QStringList files;    // absolute paths of the files and folders named that exist
    QStringList missing;  // those named that do not, as given
    QString refusal;      // why the line is refused (an unknown option)
};

// Reads the arguments (without the program's name, and after Qt took its own options out).
WindowCommandLine read_window_command_line(const QStringList& args);

QString window_help_text();
QString window_version_text();

// Opens the files of `line` in `form`, and says which named files are not there.
void open_named_files(Form_Main& form, const WindowCommandLine& line);

}  // namespace qv
