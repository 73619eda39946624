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
// A file without any write permission is refused, even to root.
// On Linux, the new file also gets the old one's owner, group, mode, ACL and
// user attributes, read from the old file itself. A symbolic link, as the
// final name or on the way to it, is followed only when it has one name and
// it and its folder belong to the saver or root. A saver who may write a file
// but cannot give a new one its owner and group (a group's shared file) has
// it rewritten in place, with its old bytes put back when that fails; should
// they not go back, the message says the file may be damaged.
bool WriteParameterFile(const QString &path, const QByteArray &image, QString *errorString);

// The steps that carry a save's bytes to the storage, each false when it
// fails; any failure keeps the file that was there ("Stream write error").
// The system's steps write and flush, sync the new file to the storage, and
// close a duplicate of its descriptor, which hears what some filesystems only
// report at close. Tests put in steps that fail as a bad card would, and in
// `taken` (run once the folder and the file to replace are open, before the
// new file is made) and `renaming` (run when the new file is whole under a
// temporary name, before it takes the final one) change the folder as another
// user could meanwhile.
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

// Opens `file` on `path` for reading, but only a regular file (links are
// followed): a folder, a pipe or a device is refused before anything can wait
// on it, with "Cannot open file "<full path>". It is a pipe, not a regular file."
bool OpenRegularFile(QFile &file, const QString &path, QString *errorString);

// Reads a settings file for Load: its first ParameterDataSize bytes, which are
// all that count; the rest of a longer file is ignored. A file that cannot be
// opened or read, that is not a regular file, or that is shorter, is refused
// with a message naming the file.
std::optional<QByteArray> ReadParameterFile(const QString &path, QString *errorString);

// The same for a file already open for reading, such as standard input;
// messages call it `subject` ("Cannot read standard input.") and `name`
// where it stands alone ("standard input is not a settings file: ...").
std::optional<QByteArray> ReadParameterImage(
    QFileDevice &file, const QString &subject, const QString &name, QString *errorString);

// A Unix file name may hold any bytes, but Qt holds names as UTF-8 text: a
// name that does not come back from that unchanged would make a program read
// or replace another file than the one given (P\xff.dat for P\uFFFD.dat).
bool IsFaithfulFileName(const QByteArray &name);
