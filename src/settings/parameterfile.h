#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Replaces the file at `path` with `image` atomically: afterwards the file is
// either the complete new image or exactly what it was before. On failure
// returns false and sets *errorString to a message for the user.
bool WriteParameterFile(const QString &path, const QByteArray &image, QString *errorString);

// Reads a settings file for Load: the whole file, of which the first
// ParameterDataSize bytes count. A file that cannot be opened or is shorter
// than that is refused with a message naming the file.
std::optional<QByteArray> ReadParameterFile(const QString &path, QString *errorString);
