// Load's and Save's files in a page: the browser's own picker, and a
// download. The program sees no folder of the user's.
#include "app/mainform.h"

#include "app/platform.h"

#include <QFileDialog>

void Tmainform1::Button1Click()
{
    // A cancelled picker may answer with no name, or not at all: nothing
    // waits for it.
    QFileDialog::getOpenFileContent(QStringLiteral("*.dat"), [this](const QString &name, const QByteArray &content) {
        if (!name.isEmpty())
            LoadContent(name, content);
    });
}

void Tmainform1::SaveBuilt(const std::function<void()> &saved)
{
    QFileDialog::saveFileContent(m_session.image(), QStringLiteral("Parameter.dat"));
    m_session.Delivered();
    // Where the file went is the browser's choice, said once a session.
    static bool told = false;
    if (told) {
        if (saved)
            saved();
        return;
    }
    told = true;
    dialogs.Ask(QMessageBox::Information,
        QStringLiteral("Parameter.dat is in your downloads folder. Copy it to the top folder of the camera's memory "
                       "card."),
        QMessageBox::Ok, QMessageBox::Ok, [saved](QMessageBox::StandardButton) {
            if (saved)
                saved();
        });
}

void Tmainform1::ConnectPlatform()
{
    ConnectPage([this](const QString &name, const QByteArray &content) { LoadContent(name, content); },
        [this] { return HasUnsavedChanges(); });
}
