#include "paramtool.h"

int RunParamTool(const QStringList &, QTextStream &, QTextStream &err)
{
    err << "not built yet\n";
    return 2;
}
