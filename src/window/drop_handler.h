#pragma once
// Files and folders dropped on the main window: a picture becomes the background, a text file the
// text list, a folder the output directory, each as its own command would make it.
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

class Form_Main;

namespace qv {

enum class DroppedKind { Picture, TextList, Folder, Other };

// What a dropped path is: a folder; a file with a picture suffix the program reads; a text file
// (".txt", or any file the desktop knows as text); anything else, or nothing there, is Other.
DroppedKind kind_of_dropped(const QString& path);

// The first dropped path of each kind, empty where none was dropped; other kinds and non-local
// addresses are left out.
struct DropPlan {
    QString picture;
    QString text_list;
    QString folder;
    bool empty() const { return picture.isEmpty() && text_list.isEmpty() && folder.isEmpty(); }
};
DropPlan plan_drop(const QList<QUrl>& urls);

class DropHandler final : public QObject {
    Q_OBJECT
  public:
    // Makes `form` take drops, and handles them.
    explicit DropHandler(Form_Main& form);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void apply(const DropPlan& plan);

    Form_Main& form_;
};

}  // namespace qv
