#include "settings/parameterfile.h"
#include "settings/parameterfile_p.h"

#include "settings/escaping.h"
#include "settings/parameterdata.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace ParameterFilePrivate {

namespace {

QString notRegularReason(const QFileInfo &info)
{
    return QLatin1StringView(info.isDir() ? FolderReason : OtherReason);
}

} // namespace

// For messages only: a name's line breaks and reordering marks would write
// lines of their own into a question, or turn the message round.
QString shownPath(const QString &path)
{
    return EscapeControls(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

bool fail(QString *errorString, const QString &message)
{
    if (errorString)
        *errorString = message;
    return false;
}

bool cannotCreate(QString *errorString, const QString &shown, const QString &reason)
{
    return fail(errorString, QStringLiteral("Cannot create file \"%1\". %2").arg(shown, reason));
}

bool streamError(QString *errorString)
{
    return fail(errorString, QStringLiteral("Stream write error"));
}

bool cannotOpen(QString *errorString, const QString &path, const QString &reason)
{
    return fail(errorString, QStringLiteral("Cannot open file \"%1\". %2").arg(shownPath(path), reason));
}

bool replaceWithSaveFile(const QString &path, const QByteArray &image, QString *errorString, const SaveSteps &steps)
{
    const QString shown = shownPath(path);
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile())
        return cannotCreate(errorString, shown, notRegularReason(existing));
    QSaveFile file(path);
    // Writing in place could leave a half-written file where a good one was.
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

bool openFileByName(QFile &file, const QString &path, QString *errorString)
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

using namespace ParameterFilePrivate;

namespace {

bool writeAll(QFileDevice &file, const QByteArray &image)
{
    // The bytes sit in a buffer until they are flushed, and QSaveFile::commit()
    // does not notice when that fails (a full disk would leave an empty file).
    return file.write(image) == image.size() && file.flush();
}

} // namespace

const SaveSteps &SystemSaveSteps()
{
    static const SaveSteps steps { writeAll, syncToStorage, closeCleanly };
    return steps;
}

bool WriteParameterFile(const QString &path, const QByteArray &image, QString *errorString)
{
    return WriteParameterFile(path, image, errorString, SystemSaveSteps());
}

bool WriteParameterFile(const QString &path, const QByteArray &image, QString *errorString, const SaveSteps &steps)
{
    if (image.size() != ParameterDataSize) {
        return fail(errorString,
            QStringLiteral("Cannot write \"%1\": the settings image holds %2 bytes, not %3.")
                .arg(shownPath(path))
                .arg(image.size())
                .arg(ParameterDataSize));
    }
    return writeFile(path, image, errorString, steps);
}

bool OpenRegularFile(QFile &file, const QString &path, QString *errorString)
{
    return openRegularFile(file, path, errorString);
}

std::optional<QByteArray> ReadParameterImage(
    QFileDevice &file, const QString &subject, const QString &name, QString *errorString)
{
    QByteArray image = file.read(ParameterDataSize);
    if (file.error() != QFileDevice::NoError) {
        fail(errorString, QStringLiteral("Cannot read %1. %2").arg(subject, file.errorString()));
        return std::nullopt;
    }
    return ParameterImageOf(std::move(image), name, errorString);
}

std::optional<QByteArray> ParameterImageOf(QByteArray image, const QString &name, QString *errorString)
{
    if (image.size() < ParameterDataSize) {
        const QString size
            = image.size() == 1 ? QStringLiteral("1 byte") : QStringLiteral("%1 bytes").arg(image.size());
        fail(errorString,
            QStringLiteral("%1 is not a settings file: it holds %2, a settings file holds %3.")
                .arg(name, size)
                .arg(ParameterDataSize));
        return std::nullopt;
    }
    image.truncate(ParameterDataSize);
    return image;
}

std::optional<QByteArray> ReadParameterFile(const QString &path, QString *errorString)
{
    QFile file;
    if (!OpenRegularFile(file, path, errorString))
        return std::nullopt;
    const QString quoted = u'"' + shownPath(path) + u'"';
    return ReadParameterImage(file, QStringLiteral("file ") + quoted, quoted, errorString);
}

bool IsFaithfulFileName(const QByteArray &name)
{
    return QFile::encodeName(QFile::decodeName(name)) == name;
}
