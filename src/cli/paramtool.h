#pragma once

#include <QStringList>
#include <QTextStream>

// Runs trailcam-param with `arguments` (program name first). Returns the exit
// status: 0 success, 1 a file could not be read or written (standard output
// included), 2 bad usage or input, or too little memory.
int RunParamTool(const QStringList &arguments, QTextStream &out, QTextStream &err);

// The name the tool gives itself in messages and usage lines: the file name of
// arguments[0], its controls escaped as in any path.
QString ProgramName(const QStringList &arguments);

// The message for standard output that took not all of the bytes, for `reason`.
QString StandardOutputFailure(const QString &reason);
