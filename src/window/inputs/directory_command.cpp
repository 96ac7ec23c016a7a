#include "window/form_main.h"
#include "window/inputs/form_dir.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

void Form_Main::Image_DirectoryBrowse_MouseUp(int, int, double, double) {
    {
        Form_Dir chooser(output_directory, platform(), this);
        platform().run_modal(chooser);
    }
    // The caption still holds the directory in force before the chooser: OK shows the new one,
    // Cancel and the close button bring the old one back.
    if (!output_directory.isEmpty())
        Label_Directory->setText(output_directory);
    else
        output_directory = Label_Directory->text();
}

void Form_Main::set_output_directory(const QString& folder) {
    output_directory = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    Label_Directory->setText(output_directory);
}
