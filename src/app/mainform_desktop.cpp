// Load's and Save's files on a desktop: the file dialogs, and the file
// written where the user chose.
#include "app/mainform.h"

void Tmainform1::Button1Click()
{
    dialogs.AskFileName(
        OpenDialog1, "OpenDialog1", false, m_openDialogPath, [this](const QString &fileName) { LoadFrom(fileName); });
}

void Tmainform1::SaveBuilt(const std::function<void()> &saved)
{
    dialogs.AskFileName(SaveDialog1, "SaveDialog1", true, m_saveDialogPath, [this, saved](const QString &fileName) {
        QString error;
        if (!m_session.Write(fileName, &error))
            return dialogs.ShowError(error);
        dialogs.KeepDialogFolder(fileName);
        if (saved)
            saved();
    });
}

void Tmainform1::ConnectPlatform() { }
