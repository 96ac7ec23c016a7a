#pragma once
// Files and folders dropped on the main window, or named on its command line: a style file is
// opened, a picture becomes the background, a text file the text list, a folder the output
// directory, each as its own command would make it.
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

class Form_Main;

namespace qv {

enum class DroppedKind { Style, Picture, TextList, Folder, Other };

// What a dropped path is: a folder; a style file (".qvstyle"); a file with a picture suffix the
// program reads; a text file
// (".txt", or any file the desktop knows as text); anything else, or nothing there, is Other.
DroppedKind kind_of_dropped(const QString& path);

// The first dropped path of each kind, empty where none was dropped; other kinds and non-local
// addresses are left out.
struct DropPlan {
    QString style;
    QString picture;
    QString text_list;
    QString folder;
    bool empty() const {
        return style.isEmpty() && picture.isEmpty() && text_list.isEmpty() && folder.isEmpty();
    }
};
DropPlan plan_drop(const QList<QUrl>& urls);

class DropHandler final : public QObject {
    Q_OBJECT
  public:
    // Makes `form` take drops, and handles them.
    explicit DropHandler(Form_Main& form);

    // Opens what `plan` holds, in the order that lets each override the one before.
    static void open(Form_Main& form, const DropPlan& plan);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Form_Main& form_;
};

}  // namespace qv
