#pragma once
// A desktop whose dialogs, fonts and folders a test decides.
#include "window/platform_services.h"

#include <QDialog>
#include <QGuiApplication>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>

class ScriptedPlatform : public qv::PlatformServices {
  public:
    // Answers for the file dialog, used in order; an empty optional is a cancel.
    std::deque<std::optional<QString>> file_answers;
    // Answers for the save dialog, the same way.
    std::deque<std::optional<QString>> save_answers;
    // What the test does with a modal window (click its hot-spots, say); by default it is closed.
    std::function<void(QDialog&)> on_modal;
    QStringList fonts{QStringLiteral("DejaVu Sans")};
    // Run when the program asks for the fonts, just before its font catalogue starts.
    std::function<void()> on_fonts;
    // The program's (and its data's) folder; nowhere, so that test pictures are never its samples.
    QString folder = QStringLiteral("/nonexistent/quorvane");
    // The user's pictures folder; a test that writes there points it into its own folder.
    QString pictures = QStringLiteral("/nonexistent/pictures");
    QStringList volumes{QStringLiteral("/")};

    // What the program asked and said.
    QStringList dialog_dirs;
    QStringList dialog_patterns;
    QStringList save_filters;
    QStringList messages;
    int messages_under_busy_pointer = 0;  // shown while a pointer shape was forced (a run's)
    int modal_count = 0;
    bool ended = false;

    std::optional<QString> open_file(QWidget*, const QString& initial_dir,
                                     const QString& pattern) override {
        dialog_dirs << initial_dir;
        dialog_patterns << pattern;
        if (file_answers.empty()) return std::nullopt;
        // Taken apart rather than copied whole: g++ 12 misreads a copied optional<QString> as
        // maybe uninitialised.
        const bool confirmed = file_answers.front().has_value();
        const QString path = file_answers.front().value_or(QString());
        file_answers.pop_front();
        if (!confirmed) return std::nullopt;
        return path;
    }
    std::optional<QString> save_file(QWidget*, const QString&, const QString& filter) override {
        save_filters << filter;
        if (save_answers.empty()) return std::nullopt;
        const bool confirmed = save_answers.front().has_value();
        const QString path = save_answers.front().value_or(QString());
        save_answers.pop_front();
        if (!confirmed) return std::nullopt;
        return path;
    }
    QStringList font_families() override {
        if (on_fonts) on_fonts();
        return fonts;
    }
    QString program_folder() override { return folder; }
    QString data_folder() override { return folder; }
    QString pictures_folder() override { return pictures; }
    QStringList mounted_volumes() override { return volumes; }
    void run_modal(QDialog& dialog) override {
        ++modal_count;
        dialog.setModal(true);
        dialog.show();
        if (on_modal) on_modal(dialog);
        if (dialog.isVisible()) dialog.reject();
    }
    void show_message(QWidget*, const QString& text) override {
        messages << text;
        if (QGuiApplication::overrideCursor()) ++messages_under_busy_pointer;
    }
    void end_program() override { ended = true; }
};
