#pragma once
// The built quorvane-batch run as a user would, and the file helpers its tests share. The test
// target defines QUORVANE_BATCH as the program's path.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace batch_tool {

struct Outcome {
    int status = -1;  // -1: crashed, or did not finish in time
    QString out, err;
};

// Runs the tool with `input` on its standard input (or the file `input_file`), in `working_dir`
// (or this process's).
inline Outcome run(const QStringList& args, const QByteArray& input = {},
                   const QString& input_file = {}, const QString& working_dir = {}) {
    QProcess process;
    if (!input_file.isEmpty()) process.setStandardInputFile(input_file);
    if (!working_dir.isEmpty()) process.setWorkingDirectory(working_dir);
    process.start(QStringLiteral(QUORVANE_BATCH), args);
    process.write(input);
    process.closeWriteChannel();
    const bool finished = process.waitForFinished(60000);
    if (!finished) process.kill();
    process.waitForFinished();
    return {finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Gives `path`, or an empty path when the bytes could not all be written.
inline QString write_bytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    return written ? path : QString();
}

inline QByteArray read_bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The files of a folder, hidden ones too, sorted.
inline QStringList file_names(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

}  // namespace batch_tool
