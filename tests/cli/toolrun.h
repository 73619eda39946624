#pragma once

#include "cli/paramtool.h"

#include <QBuffer>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTextStream>

// What one in-process run of trailcam-param printed and returned.
struct ToolRun
{
    int status;
    QString out;
    QString err;
};

inline ToolRun runTool(const QStringList &arguments)
{
    QByteArray outBytes;
    QByteArray errBytes;
    QBuffer outBuffer(&outBytes);
    QBuffer errBuffer(&errBytes);
    outBuffer.open(QIODevice::WriteOnly);
    errBuffer.open(QIODevice::WriteOnly);
    QTextStream out(&outBuffer);
    QTextStream err(&errBuffer);
    const int status = RunParamTool(QStringList { QStringLiteral("trailcam-param") } + arguments, out, err);
    out.flush();
    err.flush();
    return { status, QString::fromUtf8(outBytes), QString::fromUtf8(errBytes) };
}
