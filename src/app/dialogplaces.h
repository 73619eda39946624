#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// What the file dialogs need to know of one mounted volume.
struct VolumeDescription
{
    QString rootPath;
    bool valid = false;
    bool ready = false;
    bool readOnly = true;
    bool systemRoot = false; // "/", or the Windows drive
};

// The volumes mounted now.
QList<VolumeDescription> MountedVolumes();

// The places in the sidebar of Qt's own file dialog: the computer, the home
// folder and each volume that a user plugs in, such as the camera's memory
// card, that can take a file now.
QList<QUrl> DialogSidebar(const QString &homePath, const QList<VolumeDescription> &volumes);

// The folder of the file last saved or loaded, kept from one session to the
// next in the user's settings under the application's organisation and name;
// empty when there is none, or no organisation to keep it under. A settings
// file that is not a regular file of at most 64 KiB is neither read nor written.
QString StoredDialogFolder();
void StoreDialogFolder(const QString &folder);
