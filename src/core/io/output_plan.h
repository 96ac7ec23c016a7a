#pragma once
// Every file a run will write, checked together before the first is written: a file that cannot
// be written where its name says, that would replace one of the run's inputs, or that two
// different things would both write, stops the run with nothing written. Other existing files
// are replaced as usual: regenerating a set into the same folder is the normal use.
#include "core/io/result.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace qv {

// A file the run reads, which nothing it writes may replace.
struct PlanInput {
    QString what;  // as messages name it: "the background picture", "the label list"...
    QString path;
};

// A file the run writes besides the buttons.
struct PlanExtra {
    QString option;  // as messages name it: "--html"
    QString path;
};

struct OutputPlan {
    // The buttons: each label's files are `directory`/name`suffix``extension`, one per suffix.
    QString directory;
    QStringList labels;
    QStringList names;  // one per label, without extension; empty: the labels themselves
    QStringList suffixes{QString()};  // one per look, the main look's (empty) first
    QString extension = QStringLiteral(".bmp");
    std::vector<PlanExtra> extras;
    std::vector<PlanInput> inputs;
};

// The folders the run writes into (each once), or the first problem, worded for the user: a
// label whose file cannot be named, lies in a missing or read-only folder, in a folder that leads
// out of `directory` through a link, or is a folder; an extra file in a missing or read-only
// folder, or that is a folder, a link or read-only; any file that is one of the inputs (the same
// file through any spelling, link or hard link); two different labels, or looks, or extras onto
// one file. The same label listed twice writes the same bytes twice and is no conflict. Failures
// only writing can show (a full disk) are left to the writing.
Result<QStringList> check_output_plan(const OutputPlan& plan);

// The buttons of `labels` in one look, against the background picture (empty when none).
Result<void> check_output_plan(const QStringList& labels, const QString& directory,
                               const QString& background_path,
                               const QString& extension = QStringLiteral(".bmp"));

}  // namespace qv
