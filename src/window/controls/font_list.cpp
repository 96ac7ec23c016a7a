#include "window/controls/font_list.h"

namespace qv {

QItemSelectionModel::SelectionFlags FontList::selectionCommand(const QModelIndex& index,
                                                               const QEvent* event) const {
    const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    // Anything that would leave no entry selected (a toggle or deselect of the chosen entry, a
    // press where there is no entry) is not a choice, so the selection stays.
    const bool takes_away = command.testAnyFlags(
        QItemSelectionModel::Deselect | QItemSelectionModel::Toggle | QItemSelectionModel::Clear);
    if (!index.isValid() || (takes_away && !command.testFlag(QItemSelectionModel::Select)))
        return QItemSelectionModel::NoUpdate;
    return command;
}

}  // namespace qv
