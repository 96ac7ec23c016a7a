#include "core/io/button_output.h"
#include "core/io/loss_report.h"
#include "core/io/message_text.h"
#include "core/io/output_plan.h"
#include "core/render/button_painter.h"
#include "window/controls/colour_boxes.h"
#include "window/form_main.h"
#include "window/inputs/output_folder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QScopeGuard>
#include <QStringListModel>

#include <filesystem>
#include <system_error>

namespace {

// Often enough to look live, rarely enough to cost nothing against thousands of buttons a second.
constexpr qint64 kProgressIntervalMs = 30;

// Colours of the skin's panel: the lamp amber for the bar, the caption ink for the count.
constexpr QRgb kProgressBar = qRgb(255, 190, 52);
constexpr QRgb kProgressText = qRgb(28, 27, 22);

// The folders on the way to `path` that do not exist yet, the deepest first.
QStringList missing_folders(const QString& path) {
    QStringList missing;
    for (QString p = QDir::cleanPath(path); !QFileInfo::exists(p);) {
        missing << p;
        const QString parent = QFileInfo(p).path();
        if (parent == p) break;
        p = parent;
    }
    return missing;
}

}  // namespace

void Form_Main::Image_Make_MouseUp(int, int, double, double) {
    // The run lets events through between buttons; a second press then must not start another.
    if (batch_running_) return;
    const int count = List1_items->rowCount();
    if (count == 0) {
        platform().show_message(
            this, QStringLiteral("There are no labels to make buttons of: load a text list "
                                 "(Ctrl+L), or type the labels into a text file, one a line, and "
                                 "load that."));
        return;
    }
    // A colour box that draws no label would write every button bare; nothing is written then.
    if (const qv::Result<void> colour =
            qv::check_colour_boxes(Text_R->text(), Text_G->text(), Text_B->text());
        !colour) {
        platform().show_message(this, colour.error());
        return;
    }
    // Written where the run started, whatever is chosen while it goes on.
    const QString directory = output_directory;
    if (directory.isEmpty()) {
        platform().show_message(
            this, QStringLiteral("No output directory: choose one with the button beside the "
                                 "directory field, or load a background picture to write the "
                                 "buttons beside it."));
        return;
    }
    // The user's pictures folder is the default of sets made from the samples, not a place the
    // user picked: it is made here when needed, and a failure there says how to pick another.
    const bool in_pictures = directory == qv::pictures_output_folder(platform().pictures_folder());
    const auto refuse = [this, in_pictures](const QString& reason) {
        platform().show_message(
            this, in_pictures ? reason + QStringLiteral("\nChoose another output folder with "
                                                        "Ctrl+D (the button beside the folder).")
                              : reason);
    };
    // Made now and removed again, whatever the user already had, when the run does not start.
    const QStringList made = in_pictures ? missing_folders(directory) : QStringList();
    const auto unmake = [&made] {
        for (const QString& folder : made) QDir().rmdir(folder);
    };
    if (!made.isEmpty()) {
        std::error_code error;
        std::filesystem::create_directories(QFile::encodeName(directory).toStdString(), error);
        if (error) {
            unmake();
            refuse(
                QStringLiteral("Cannot make the folder %1: %2.")
                    .arg(qv::shown_in_message(directory), QString::fromLocal8Bit(error.message())));
            return;
        }
    }
    const qv::ButtonFormat format = write_png_files ? qv::ButtonFormat::Png : qv::ButtonFormat::Bmp;
    // Every label's file is checked before the first is written: a bad label writes nothing.
    const qv::Result<void> checked = qv::check_output_plan(
        List1_items->stringList(), directory, background_path, qv::extension_for(format));
    if (!checked) {
        unmake();
        refuse(checked.error());
        return;
    }

    batch_running_ = true;
    batch_stop_ = false;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    // Scrolling the list to every label would repaint it whole thousands of times a second; it
    // follows the run at the pace of the progress display instead.
    const bool auto_scroll = List1->hasAutoScroll();
    List1->setAutoScroll(false);
    const auto end_run = [this, auto_scroll] {
        List1->scrollTo(List1->currentIndex());
        List1->setAutoScroll(auto_scroll);
        end_batch_progress();
        QApplication::restoreOverrideCursor();
        batch_running_ = false;
    };
    auto finished = qScopeGuard(end_run);

    // The files are painted as the tool paints them, over the picture's transparency when the
    // format keeps it, each label fitted and each button as wide as the layout makes it; the
    // preview still shows each label as it goes.
    qv::ButtonPainter painter(Picture_buttonscroll->canvas(),
                              qv::transparency_kept(format, background_picture), label_layout_);
    std::vector<qv::LabelLoss> losses;
    const auto with_losses = [&losses](const QString& message) {
        QStringList lines = qv::loss_warnings(losses);
        if (!message.isEmpty()) lines.prepend(message);
        return lines.join(u'\n');
    };

    QItemSelectionModel& selection = *List1->selectionModel();
    QElapsedTimer since_progress;
    since_progress.start();
    for (int i = 0; i < count; ++i) {
        const QModelIndex index = List1_items->index(i);
        const QString label = index.data(Qt::DisplayRole).toString();
        // Selecting runs List1_Click, which puts the label into the entry, whose change handler
        // recomposes the preview with the style in force now.
        selection.setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        process_events();
        // Whatever was typed or clicked meanwhile, this file shows its own label.
        if (Text_Texte->text() != label) Text_Texte->setText(label);

        qv::LabelInk ink;
        const qv::Result<QString> saved =
            qv::save_button(painter.paint(current_style(), &ink), directory, label, format);
        if (!saved) {
            // The message is read with the normal pointer, not the run's busy one.
            finished.dismiss();
            end_run();
            refuse(saved.error());
            return;
        }
        if (ink.overflow.any() || !ink.missing.isEmpty()) losses.push_back({label, ink, QString()});
        if (since_progress.elapsed() >= kProgressIntervalMs) {
            List1->scrollTo(index);
            show_batch_progress(i + 1, count);
            since_progress.restart();
        }
        process_events();
        // Esc stops here, with this label's file written; the files written stay.
        if (batch_stop_ && i + 1 < count) {
            platform().show_message(
                this, with_losses(QStringLiteral("Stopped: %1 of %2 buttons written to %3")
                                      .arg(i + 1)
                                      .arg(count)
                                      .arg(qv::shown_in_message(directory))));
            return;
        }
    }
    // Every button is written, as drawn; what any of them lost is said once, at the end.
    if (!losses.empty()) {
        finished.dismiss();
        end_run();
        platform().show_message(this, with_losses(QString()));
    }
}

void Form_Main::stop_batch_run() {
    if (batch_running_) batch_stop_ = true;
}

void Form_Main::show_batch_progress(int done, int total) {
    const QRect r = Image_Make->window_rect();
    {
        QPainter p(&screen_);
        p.drawImage(r.topLeft(), etat2_, r);
        // The pressed face without its caption: each row of the face repeats its colour just
        // inside the bevel, where no caption is drawn.
        const QRect face = r.adjusted(2, 2, -2, -2);
        for (int y = face.top(); y <= face.bottom(); ++y)
            p.fillRect(QRect(face.left(), y, face.width(), 1),
                       QColor(etat2_.pixel(face.left(), y)));
        const int filled = int(qint64(r.width() - 4) * done / total);
        p.fillRect(QRect(r.left() + 2, r.bottom() - 2, filled, 2), QColor(kProgressBar));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(9);
        p.setFont(font);
        p.setPen(QColor(kProgressText));
        p.drawText(r.adjusted(0, 0, 0, -2), Qt::AlignCenter,
                   QStringLiteral("%1 / %2").arg(done).arg(total));
    }
    show_on_screen(r);
}

void Form_Main::end_batch_progress() {
    const QRect r = Image_Make->window_rect();
    {
        QPainter p(&screen_);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(r.topLeft(), persistent_, r);
    }
    show_on_screen(r);
}
