#include "paramtool.h"

#include "console.h"

#include "settings/parameterfile.h"
#include "values/listing.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    PrepareConsole();
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    for (const QString &argument : arguments.mid(1)) {
        if (!IsFaithfulArgument(argument, argc, argv)) {
            err << ProgramName(arguments) << ": \"" << EscapeControls(argument)
                << "\" is not valid UTF-8, so the tool cannot tell which file it names; rename the file" << Qt::endl;
            return 2;
        }
    }
    const int status = RunParamTool(arguments, out, err);
    QString lost;
    if (status == 0 && !CloseStandardOutput(&lost)) {
        err << ProgramName(arguments) << ": " << StandardOutputFailure(lost) << Qt::endl;
        return 1;
    }
    return status;
}
