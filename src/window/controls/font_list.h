#pragma once
// The font catalogue's list. Once a font is chosen one stays chosen: only choosing another entry
// changes it. Qt's single selection would otherwise let Ctrl+click, Ctrl+Space or a click below
// the last entry clear it, and the label would silently fall back to the default face.
#include <QListWidget>

namespace qv {

class FontList final : public QListWidget {
    Q_OBJECT
  public:
    using QListWidget::QListWidget;

  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(
        const QModelIndex& index, const QEvent* event = nullptr) const override;
};

}  // namespace qv
