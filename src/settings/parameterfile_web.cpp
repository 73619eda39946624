#include "settings/parameterfile.h"
#include "settings/parameterfile_p.h"

#include <QFileInfo>
#include <QSaveFile>

// In a page the files live in the program's own memory: the browser's picker
// and downloads carry them in and out. No devices, pipes or other users.

using namespace ParameterFilePrivate;

namespace {

QString notRegularReason(const QFileInfo &info)
{
    return QLatin1StringView(info.isDir() ? FolderReason : OtherReason);
}

} // namespace

namespace ParameterFilePrivate {

bool writeFile(const QString &path, const QByteArray &image, QString *errorString, const SaveSteps &steps)
{
    const QString shown = shownPath(path);
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile())
        return cannotCreate(errorString, shown, notRegularReason(existing));
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return cannotCreate(errorString, shown, file.errorString());
    if (!steps.write(file, image) || !steps.sync(file) || !steps.close(file)) {
        file.cancelWriting();
        return streamError(errorString);
    }
    if (!file.commit())
        return cannotCreate(errorString, shown, file.errorString());
    return true;
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
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return cannotOpen(errorString, path, notRegularReason(info));
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return cannotOpen(errorString, path, file.errorString());
    return true;
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
