#include "window/drop_handler.h"

#include "window/form_main.h"
#include "window/inputs/file_kinds.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QMimeDatabase>
#include <QTimer>

namespace qv {

DroppedKind kind_of_dropped(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) return DroppedKind::Folder;
    if (!info.isFile()) return DroppedKind::Other;
    const QString suffix = info.suffix().toLower();
    if (suffix == u"qvstyle") return DroppedKind::Style;
    if (picture_suffixes().contains(suffix)) return DroppedKind::Picture;
    if (suffix == u"txt" ||
        QMimeDatabase().mimeTypeForFile(info).inherits(QStringLiteral("text/plain")))
        return DroppedKind::TextList;
    return DroppedKind::Other;
}

DropPlan plan_drop(const QList<QUrl>& urls) {
    DropPlan plan;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        QString* slot = nullptr;
        switch (kind_of_dropped(path)) {
            case DroppedKind::Style:
                slot = &plan.style;
                break;
            case DroppedKind::Picture:
                slot = &plan.picture;
                break;
            case DroppedKind::TextList:
                slot = &plan.text_list;
                break;
            case DroppedKind::Folder:
                slot = &plan.folder;
                break;
            case DroppedKind::Other:
                break;
        }
        if (slot && slot->isEmpty()) *slot = path;
    }
    return plan;
}

DropHandler::DropHandler(Form_Main& form) : QObject(&form), form_(form) {
    form.setAcceptDrops(true);
    form.installEventFilter(this);
}

bool DropHandler::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &form_) return false;
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    // Enter and move events are drop events too: the pointer shows at once whether a drop here
    // would be taken.
    auto* e = static_cast<QDropEvent*>(event);
    const DropPlan plan = plan_drop(e->mimeData()->urls());
    // During a run nothing dropped is taken, and the pointer says so while dragging.
    if (plan.empty() || form_.batch_running()) {
        e->ignore();
        return true;
    }
    e->acceptProposedAction();
    // Loading may ask or tell the user something; that waits until the drag has ended, so the
    // program the files came from is not kept waiting.
    if (type == QEvent::Drop) QTimer::singleShot(0, this, [this, plan] { open(form_, plan); });
    return true;
}

void DropHandler::open(Form_Main& form, const DropPlan& plan) {
    // A style first, since it may load its own picture; then the picture, which makes its own
    // folder the output directory, which a folder dropped with it then overrides.
    if (!plan.style.isEmpty()) form.apply_style_file(plan.style);
    if (!plan.picture.isEmpty()) form.load_background(plan.picture);
    if (!plan.folder.isEmpty()) form.set_output_directory(plan.folder);
    if (!plan.text_list.isEmpty()) form.load_text_list(plan.text_list);
}

}  // namespace qv
