#include "core/io/text_list.h"
#include "window/form_main.h"
#include "window/inputs/file_kinds.h"

#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>

void Form_Main::wire_text_list() {
    // Any change of the selection counts: a click, the keyboard, or the batch run selecting.
    connect(List1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Form_Main::List1_Click);
}

void Form_Main::Image_loadTxt_Click() {
    // A run walks the list it started with; a new list waits until it has finished.
    if (batch_running_) return;
    // The first time in the sample lists, then where the last list was chosen.
    const QString start = list_folder_.isEmpty()
                              ? QDir(platform().data_folder()).filePath(QStringLiteral("samples"))
                              : list_folder_;
    const std::optional<QString> chosen =
        platform().open_file(this, start, qv::text_list_pattern());
    if (chosen) load_text_list(*chosen);
}

void Form_Main::load_text_list(const QString& path) {
    if (batch_running_) return;  // a dropped list is refused during a run, as a chosen one is
    list_folder_ = QFileInfo(path).absolutePath();
    // Read whole before the old list goes, so that a file that cannot be read costs nothing.
    qv::Result<QStringList> labels = qv::read_text_list(path);
    if (!labels) {
        platform().show_message(this, labels.error());
        return;
    }
    // One reset: nothing is selected afterwards and the label entry keeps its text.
    List1_items->setStringList(std::move(*labels));
}

void Form_Main::List1_Click() {
    const QModelIndexList chosen = List1->selectionModel()->selectedIndexes();
    if (chosen.isEmpty()) return;
    // The entry's change handler recomposes the preview (none when the text is the same).
    Text_Texte->setText(chosen.first().data(Qt::DisplayRole).toString());
}
