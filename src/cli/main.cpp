#include "paramtool.h"

#include "console.h"

#include "settings/parameterfile.h"
#include "values/listing.h"

#include <QCoreApplication>
#include <QFile>

int main(int argc, char *argv[])
{
    PrepareConsole();
    QByteArrayList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments << QByteArray(argv[i]);

    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
#ifdef Q_OS_UNIX
    for (const QByteArray &raw : rawArguments.mid(1)) {
        const QString argument = QFile::decodeName(raw);
        if (!IsFaithfulFileName(raw)) {
            err << ProgramName(QCoreApplication::arguments()) << ": \"" << EscapeControls(argument)
                << "\" is not valid UTF-8, so the tool cannot tell which file it names; rename the file" << Qt::endl;
            return 2;
        }
    }
#endif
    const int status = RunParamTool(QCoreApplication::arguments(), out, err);
    QString lost;
    if (status == 0 && !CloseStandardOutput(&lost)) {
        err << ProgramName(QCoreApplication::arguments()) << ": " << StandardOutputFailure(lost) << Qt::endl;
        return 1;
    }
    return status;
}
