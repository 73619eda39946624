#pragma once

#include <QByteArray>
#include <QString>

// What a file that is no settings file most likely is, in words for a
// message ("a JPEG picture"), for what a camera's memory card also holds;
// empty when its first bytes do not tell.
QString CardFileKind(const QByteArray &data);

// The warning for a file whose constant bytes are not those of a settings
// file: "NAME does not look like a camera settings file.", then `question`
// if any, then what the file looks like where CardFileKind tells, on a line
// of its own after a question.
QString ForeignFileWarning(const QString &name, const QByteArray &data, const QString &question = {});
