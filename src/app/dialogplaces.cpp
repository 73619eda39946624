#include "app/dialogplaces.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStorageInfo>

namespace {

const QString FolderKey = QStringLiteral("LastFolder");

// Desktops mount what is plugged in below these; the system's own volumes
// live elsewhere. On Windows every drive but the system's may be a card.
bool IsPluggedIn(const VolumeDescription &volume)
{
    if (!volume.valid || !volume.ready || volume.readOnly || volume.systemRoot)
        return false;
#if defined(Q_OS_WIN)
    return true;
#elif defined(Q_OS_MACOS)
    return volume.rootPath.startsWith(QLatin1String("/Volumes/"));
#else
    return volume.rootPath.startsWith(QLatin1String("/media/"))
        || volume.rootPath.startsWith(QLatin1String("/run/media/"));
#endif
}

// No organisation, no settings: a library user that names none (a test, a
// benchmark) keeps nothing.
bool CanStore()
{
    return !QCoreApplication::organizationName().isEmpty();
}

QSettings UserSettings()
{
    // A file on every platform, Windows' registry included.
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QCoreApplication::organizationName(),
        QCoreApplication::applicationName());
}

} // namespace

QList<VolumeDescription> MountedVolumes()
{
    QList<VolumeDescription> volumes;
    const auto mounted = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &storage : mounted)
        volumes.append(
            { storage.rootPath(), storage.isValid(), storage.isReady(), storage.isReadOnly(), storage.isRoot() });
    return volumes;
}

QList<QUrl> DialogSidebar(const QString &homePath, const QList<VolumeDescription> &volumes)
{
    // "file:" is Qt's entry for the computer, which lists the drives.
    QList<QUrl> places { QUrl(QStringLiteral("file:")), QUrl::fromLocalFile(homePath) };
    for (const VolumeDescription &volume : volumes) {
        if (IsPluggedIn(volume))
            places.append(QUrl::fromLocalFile(volume.rootPath));
    }
    return places;
}

QString StoredDialogFolder()
{
    return CanStore() ? UserSettings().value(FolderKey).toString() : QString();
}

void StoreDialogFolder(const QString &folder)
{
    if (CanStore())
        UserSettings().setValue(FolderKey, folder);
}
