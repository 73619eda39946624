#include "settings/parameterfile.h"

#include "settings/parameterdata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

bool fail(QString *errorString, const QString &message)
{
    if (errorString)
        *errorString = message;
    return false;
}

} // namespace

bool WriteParameterFile(const QString &path, const QByteArray &image, QString *errorString)
{
    if (image.size() != ParameterDataSize) {
        return fail(errorString,
            QStringLiteral("Cannot write \"%1\": the settings image holds %2 bytes, not %3.")
                .arg(shownPath(path))
                .arg(image.size())
                .arg(ParameterDataSize));
    }
    const QString cannotCreate = QStringLiteral("Cannot create file \"%1\". %2");
    QSaveFile file(path);
    // Writing in place could leave a half-written file where a good one was.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return fail(errorString, cannotCreate.arg(shownPath(path), file.errorString()));
    // The bytes sit in a buffer until they are flushed, and commit() does not
    // notice when that fails (a full disk would leave an empty file behind), so
    // flush here where the failure can still cancel the replacement.
    if (file.write(image) != image.size() || !file.flush()) {
        file.cancelWriting();
        return fail(errorString, QStringLiteral("Stream write error"));
    }
    if (!file.commit())
        return fail(errorString, cannotCreate.arg(shownPath(path), file.errorString()));
    return true;
}

std::optional<QByteArray> ReadParameterFile(const QString &path, QString *errorString)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(errorString, QStringLiteral("Cannot open file \"%1\". %2").arg(shownPath(path), file.errorString()));
        return std::nullopt;
    }
    QByteArray image = file.read(ParameterDataSize);
    if (file.error() != QFileDevice::NoError) {
        fail(errorString, QStringLiteral("Cannot read file \"%1\". %2").arg(shownPath(path), file.errorString()));
        return std::nullopt;
    }
    if (image.size() < ParameterDataSize) {
        const QString size
            = image.size() == 1 ? QStringLiteral("1 byte") : QStringLiteral("%1 bytes").arg(image.size());
        fail(errorString,
            QStringLiteral("\"%1\" is not a settings file: it holds %2, a settings file holds %3.")
                .arg(shownPath(path), size)
                .arg(ParameterDataSize));
        return std::nullopt;
    }
    return image;
}
