#include "app/dialogplaces.h"

#include <QCoreApplication>
#include <QFileInfo>
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
#ifdef Q_OS_WIN
    return true;
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

// Windows programs keep such settings in the registry; elsewhere they are a
// file of the user's. A test on Windows asks for a file of its own through
// the default format.
QSettings::Format SettingsFormat()
{
#ifdef Q_OS_WIN
    return QSettings::defaultFormat();
#else
    return QSettings::IniFormat;
#endif
}

QSettings UserSettings()
{
    return QSettings(SettingsFormat(), QSettings::UserScope, QCoreApplication::organizationName(),
        QCoreApplication::applicationName());
}

// One folder name needs far less; a file of gigabytes (a sparse one costs no
// disk) would freeze the window while QSettings reads it whole.
constexpr qint64 MaxSettingsSize = 64 * 1024;

// QSettings reads its files as it is made, and again when it stores, without
// asking what they are: a pipe there would hold the window until someone
// writes to it. Settings are used only when each file they read (the
// application's and the organisation's, the user's and the system's) is
// absent or a regular file of at most MaxSettingsSize bytes.
bool Usable()
{
    if (SettingsFormat() != QSettings::IniFormat)
        return true;
    const QString organization = QCoreApplication::organizationName();
    const QString application = QCoreApplication::applicationName();
    // A name no one uses tells each folder without reading the real files.
    const QString probe = organization + QLatin1Char('/') + application + QStringLiteral("-folder-probe");
    for (const QSettings::Scope scope : { QSettings::UserScope, QSettings::SystemScope }) {
        QString folder = QSettings(QSettings::IniFormat, scope, probe).fileName();
        folder.chop(probe.size() + 4); // ".ini"
        for (const QString &name : { organization + QLatin1Char('/') + application, organization }) {
            const QFileInfo file(folder + name + QStringLiteral(".ini"));
            if (file.exists() && (!file.isFile() || file.size() > MaxSettingsSize))
                return false;
        }
    }
    return true;
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
    if (!CanStore())
        return {};
    return Usable() ? UserSettings().value(FolderKey).toString() : QString();
}

void StoreDialogFolder(const QString &folder)
{
    if (!CanStore())
        return;
    if (Usable())
        UserSettings().setValue(FolderKey, folder);
}
