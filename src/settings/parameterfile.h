#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

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

// The same for a file's bytes already read, as a browser hands them over.
std::optional<QByteArray> ParameterImageOf(QByteArray bytes, const QString &name, QString *errorString);

// Whether `input`, a file open for reading, is the file at `outputPath`
// (links followed), or standard output when that is empty: writing the one
// would lose the other.
bool IsSameFile(const QFile &input, const QString &outputPath);

// A Unix file name may hold any bytes, but Qt holds names as UTF-8 text: a
// name that does not come back from that unchanged would make a program read
// or replace another file than the one given (P\xff.dat for P\uFFFD.dat).
bool IsFaithfulFileName(const QByteArray &name);

// Whether `argument`, one of the program's arguments as Qt decoded it, stands
// for the bytes it came from: false when an argument in argv[1..argc) that
// reads as it is not valid UTF-8, so that its text may name another file.
// Windows hands arguments over as text, which the check leaves alone.
bool IsFaithfulArgument(const QString &argument, int argc, char *argv[]);

// The same for a name a dialog hands over as text, in which the system's
// decoding put U+FFFD for each byte that is not UTF-8: its bytes are gone.
bool IsFaithfulChosenName(const QString &name);
