#include "settings/filekind.h"

#include <QMimeDatabase>

QString CardFileKind(const QByteArray &data)
{
    // By content alone: a photo copied under the name Parameter.dat is still a photo.
    const QMimeType type = QMimeDatabase().mimeTypeForData(data);
    if (type.inherits(QStringLiteral("image/jpeg")))
        return QStringLiteral("a JPEG picture");
    if (type.inherits(QStringLiteral("video/x-msvideo")))
        return QStringLiteral("an AVI video");
    if (type.inherits(QStringLiteral("video/mp4")))
        return QStringLiteral("an MP4 video");
    return {};
}

QString ForeignFileWarning(const QString &name, const QByteArray &data, const QString &question)
{
    QString text = QStringLiteral("%1 does not look like a camera settings file.").arg(name);
    if (!question.isEmpty())
        text += QLatin1Char(' ') + question;
    if (const QString kind = CardFileKind(data); !kind.isEmpty())
        text += (question.isEmpty() ? QStringLiteral(" ") : QStringLiteral("\n\n"))
            + QStringLiteral("It looks like %1.").arg(kind);
    return text;
}
