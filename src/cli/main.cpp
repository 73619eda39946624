#include "paramtool.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char *argv[])
{
    // A Unix file name may hold any bytes, but the tool holds names as UTF-8
    // text: a name that does not come back from that unchanged would make it
    // read or replace another file than the one given.
    QByteArrayList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments << QByteArray(argv[i]);

    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
#ifdef Q_OS_UNIX
    for (const QByteArray &raw : rawArguments.mid(1)) {
        const QString argument = QFile::decodeName(raw);
        if (QFile::encodeName(argument) != raw) {
            err << QFileInfo(QFile::decodeName(rawArguments.value(0))).fileName() << ": \"" << argument
                << "\" is not valid UTF-8, so the tool cannot tell which file it names; rename the file" << Qt::endl;
            return 2;
        }
    }
#endif
    return RunParamTool(QCoreApplication::arguments(), out, err);
}
