#include "window/form_main.h"
#include "window/inputs/form_dir.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

void Form_Main::wire_directory() {
    connect(Image_DirectoryBrowse, &qv::HotSpot::MouseDown, this,
            &Form_Main::Image_DirectoryBrowse_MouseDown);
    connect(Image_DirectoryBrowse, &qv::HotSpot::MouseUp, this,
            &Form_Main::Image_DirectoryBrowse_MouseUp);
}

void Form_Main::Image_DirectoryBrowse_MouseDown(int, int, double, double) {
    draw_etat(Image_DirectoryBrowse, kPressed);
}

void Form_Main::Image_DirectoryBrowse_MouseUp(int, int, double, double) {
    draw_etat(Image_DirectoryBrowse, kNormal);
    // A run writes where it started; the next directory is chosen once it has finished.
    if (batch_running_) return;
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
    if (batch_running_) return;  // a dropped folder is refused during a run, as a chosen one is
    output_directory = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    Label_Directory->setText(output_directory);
}
