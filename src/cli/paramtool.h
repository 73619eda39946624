#pragma once

#include <QStringList>
#include <QTextStream>

// Runs trailcam-param with `arguments` (program name first). Returns the exit
// status: 0 success, 1 a file could not be read or written, 2 bad usage or input.
int RunParamTool(const QStringList &arguments, QTextStream &out, QTextStream &err);
