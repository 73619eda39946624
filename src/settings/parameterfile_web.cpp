#include "settings/parameterfile.h"
#include "settings/parameterfile_p.h"

#include <QFileInfo>

// In a page the files live in the program's own memory: the browser's picker
// and downloads carry them in and out. No devices, pipes or other users.

using namespace ParameterFilePrivate;

namespace ParameterFilePrivate {

bool writeFile(const QString &path, const QByteArray &image, QString *errorString, const SaveSteps &steps)
{
    return replaceWithSaveFile(path, image, errorString, steps);
}

bool syncToStorage(QFileDevice &file)
{
    return file.flush();
}

bool closeCleanly(QFileDevice &)
{
    return true;
}

bool openRegularFile(QFile &file, const QString &path, QString *errorString)
{
    return openFileByName(file, path, errorString);
}

} // namespace ParameterFilePrivate

bool IsSameFile(const QFile &input, const QString &outputPath)
{
    // No standard output to write a file to in a page.
    if (outputPath.isEmpty())
        return false;
    const QString in = QFileInfo(input).canonicalFilePath();
    return !in.isEmpty() && in == QFileInfo(outputPath).canonicalFilePath();
}

// A page's names are text from the browser.
bool IsFaithfulArgument(const QString &, int, char *[])
{
    return true;
}

bool IsFaithfulChosenName(const QString &)
{
    return true;
}
