#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>
#include <optional>

// Replaces the file at `path` with `image` (ParameterDataSize bytes) atomically:
// afterwards the file is either the complete new image or exactly what it was
// before. On failure returns false and sets *errorString to a message for the
// user: "Cannot create file "<full path>". <reason>" when the file cannot be
// made, "Stream write error" when the bytes do not all reach the disk.
bool WriteParameterFile(const QString &path, const QByteArray &image, QString *errorString);

// The steps that carry a save's bytes to the storage, each false when it
// fails; any failure keeps the file that was there ("Stream write error").
// The system's steps write and flush, sync the new file to the storage, and
// close a duplicate of its descriptor, which hears what some filesystems only
// report at close. Tests put in steps that fail as a bad card would.
struct SaveSteps
{
    std::function<bool(QFileDevice &file, const QByteArray &image)> write;
    std::function<bool(QFileDevice &file)> sync;
    std::function<bool(QFileDevice &file)> close;
};
const SaveSteps &SystemSaveSteps();
bool WriteParameterFile(const QString &path, const QByteArray &image, QString *errorString, const SaveSteps &steps);

// Opens `file` on `path` for reading, but only a regular file (links are
// followed): a folder, a pipe or a device is refused before anything can wait
// on it, with "Cannot open file "<full path>". It is a pipe, not a regular file."
bool OpenRegularFile(QFile &file, const QString &path, QString *errorString);

// Reads a settings file for Load: its first ParameterDataSize bytes, which are
// all that count; the rest of a longer file is ignored. A file that cannot be
// opened or read, that is not a regular file, or that is shorter, is refused
// with a message naming the file.
std::optional<QByteArray> ReadParameterFile(const QString &path, QString *errorString);
