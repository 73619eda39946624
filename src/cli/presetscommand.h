#pragma once

#include <QStringList>
#include <QTextStream>

// `presets TABLE`: prints what each pick of one preset table fills in, as JSON. `arguments` are the command's
// positional arguments. Returns the exit status: 0, or 2 for a table name it does not know.
int RunPresetsCommand(const QString &program, const QStringList &arguments, QTextStream &out, QTextStream &err);
