#include "window/form_main.h"
#include "window/inputs/form_dir.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QTextDocument>

void Form_Main::Image_DirectoryBrowse_MouseUp(int, int, double, double) {
    // A run writes where it started; the next directory is chosen once it has finished.
    if (batch_running_) return;
    const QString before = output_directory;
    {
        Form_Dir chooser(output_directory, platform(), this);
        platform().run_modal(chooser);
    }
    // OK leaves the new directory; Cancel and the close button leave none, and the old one stays.
    if (output_directory.isEmpty()) {
        output_directory = before;
    } else {
        output_directory_chosen_ = true;
        show_output_directory();
    }
}

void Form_Main::set_output_directory(const QString& folder) {
    if (batch_running_) return;  // a dropped folder is refused during a run, as a chosen one is
    output_directory = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    output_directory_chosen_ = true;
    show_output_directory();
}

void Form_Main::show_output_directory() {
    const QFontMetrics metrics(Label_Directory->font());
    Label_Directory->setText(metrics.elidedText(output_directory, Qt::ElideMiddle,
                                                Label_Directory->contentsRect().width()));
    // A tooltip that looks like markup would be rendered as markup: one that is marked up as
    // such shows a folder named "<b>x</b>" as typed.
    Label_Directory->setToolTip(Qt::mightBeRichText(output_directory)
                                    ? QStringLiteral("<qt>") + output_directory.toHtmlEscaped()
                                    : output_directory);
}
