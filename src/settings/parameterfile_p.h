#pragma once

// The settings file's reader and writer, as far as one system differs from
// another: parameterfile.cpp holds what they share, parameterfile_linux.cpp
// and parameterfile_win.cpp what each system does its own way. The build
// takes the one for the system it builds for.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>

// The steps that carry a save's bytes to the storage, each false when it
// fails; any failure keeps the file that was there ("Stream write error").
// The system's steps write and flush, sync the new file to the storage, and
// close a duplicate of its descriptor, which hears what some filesystems only
// report at close. Tests put in steps that fail as a bad card would, and in
// `taken` (run once the folder and the file to replace are open, before the
// new file is made) and `renaming` (run when the new file is whole under a
// temporary name, before it takes the final one) change the folder as another
// user could meanwhile; Windows runs neither.
struct SaveSteps
{
    std::function<bool(QFileDevice &file, const QByteArray &image)> write;
    std::function<bool(QFileDevice &file)> sync;
    std::function<bool(QFileDevice &file)> close;
    std::function<void()> taken = {};
    std::function<void()> renaming = {};
};
const SaveSteps &SystemSaveSteps();
bool WriteParameterFile(const QString &path, const QByteArray &image, QString *errorString, const SaveSteps &steps);

namespace ParameterFilePrivate {

// What every system shares.
QString shownPath(const QString &path);
bool fail(QString *errorString, const QString &message);
// The refusal to save, naming the file as `shown`.
bool cannotCreate(QString *errorString, const QString &shown, const QString &reason);
// Any failure on the way to the storage; the old file is kept.
bool streamError(QString *errorString);
// "Cannot open file "<full path>". <reason>"
bool cannotOpen(QString *errorString, const QString &path, const QString &reason);

// What a path names when it is not a regular file, in words a user knows.
inline constexpr char FolderReason[] = "It is a folder, not a regular file.";
inline constexpr char PipeReason[] = "It is a pipe, not a regular file.";
inline constexpr char DeviceReason[] = "It is a device, not a regular file.";
inline constexpr char OtherReason[] = "It is not a regular file.";

// Where there is no descriptor writer (Windows, a page): the file at `path`
// replaced through QSaveFile, which keeps the old one on any failure, and a
// regular file opened for reading, with the folder's reason for one that is not.
bool replaceWithSaveFile(const QString &path, const QByteArray &image, QString *errorString, const SaveSteps &steps);
bool openFileByName(QFile &file, const QString &path, QString *errorString);

// What each system does its own way.
// Writes a whole image (its size already checked) as WriteParameterFile says.
bool writeFile(const QString &path, const QByteArray &image, QString *errorString, const SaveSteps &steps);
// The last two of the system's save steps.
bool syncToStorage(QFileDevice &file);
bool closeCleanly(QFileDevice &file);
// Opens a regular file for reading, as OpenRegularFile says.
bool openRegularFile(QFile &file, const QString &path, QString *errorString);

} // namespace ParameterFilePrivate
