#include "app/dialogs.h"

#include "app/dialogplaces.h"

#include "settings/escaping.h"
#include "settings/parameterfile.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>

namespace {

// The taskbar's name for the program: its file name up to the first full
// stop, lower case after the first letter.
QString ApplicationTitle()
{
    QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    const qsizetype stop = name.indexOf(u'.');
    if (stop >= 0)
        name.truncate(stop);
    return name.left(1) + name.mid(1).toLower();
}

} // namespace

QString UnfaithfulNameError(const QString &fileName, bool save)
{
    return QStringLiteral("Cannot %1 file \"%2\". The name is not valid UTF-8, so the editor cannot tell which "
                          "file it names; rename the file.")
        .arg(save ? QStringLiteral("create") : QStringLiteral("open"),
            EscapeControls(QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath())));
}

void Dialogs::Ask(QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons,
    QMessageBox::StandardButton byDefault, const Answered &answered, const QString &saveText)
{
    const QPointer<QMessageBox> box = new QMessageBox(icon, ApplicationTitle(), text, buttons, m_window);
    // A file name is the user's text, never markup.
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(byDefault);
    if (QAbstractButton *save = box->button(QMessageBox::Save); save && !saveText.isEmpty())
        save->setText(saveText);
    const auto answer = [box] { return box ? box->standardButton(box->clickedButton()) : QMessageBox::NoButton; };
    // exec() only for a session manager, which takes the answer when its signal returns.
    if (modalAnswers || waitForAnswers) {
        if (modalAnswers)
            modalAnswers->answerMessageBox(*box);
        else
            box->exec();
        const QMessageBox::StandardButton button = answer();
        delete box.data();
        answered(button);
        return;
    }
    QObject::connect(box, &QDialog::finished, box, [box, answer, answered] {
        const QMessageBox::StandardButton button = answer();
        box->deleteLater();
        answered(button);
    });
    box->open();
}

void Dialogs::ShowError(const QString &message)
{
    // As QMessageBox::critical() makes it, but through the tests' seam.
    Ask(QMessageBox::Critical, message, QMessageBox::Ok, QMessageBox::Ok, [](QMessageBox::StandardButton) {});
}

// Each use gets a dialog of its own: a dialog kept hidden between uses leaves
// its completion popup on screen, where it takes the next click.
void Dialogs::AskFileName(QFileDialog *&dialog, const char *name, bool save, QString &lastChosen,
    const std::function<void(const QString &)> &chosen)
{
    const QPointer<QFileDialog> fileDialog = new QFileDialog(m_window);
    dialog = fileDialog;
    fileDialog->setObjectName(QLatin1String(name));
    // The desktop's own dialog where it has one; Qt's stands in elsewhere,
    // with a memory card one click away in its sidebar.
    fileDialog->setSidebarUrls(DialogSidebar(QDir::homePath(), MountedVolumes()));
    fileDialog->setFileMode(QFileDialog::AnyFile);
    if (save) {
        fileDialog->setAcceptMode(QFileDialog::AcceptSave);
        fileDialog->setOption(QFileDialog::DontConfirmOverwrite);
        fileDialog->setNameFilter(QStringLiteral("*.dat"));
    }
    if (!lastChosen.isEmpty() && QFileInfo(lastChosen).dir().exists()) {
        fileDialog->selectFile(lastChosen);
    } else {
        // Nothing chosen yet, or on a card that has been taken out.
        fileDialog->setDirectory(DialogFolder());
        fileDialog->selectFile(
            lastChosen.isEmpty() ? QStringLiteral("Parameter.dat") : QFileInfo(lastChosen).fileName());
    }
    const auto answered = [this, &dialog, &lastChosen, fileDialog, save, chosen](const QString &path) {
        dialog = nullptr;
        if (path.isEmpty())
            return;
        if (!IsFaithfulChosenName(path))
            return ShowError(UnfaithfulNameError(path, save));
        lastChosen = path;
        chosen(path);
    };
    const auto selected = [fileDialog](int result) {
        return fileDialog && result == QDialog::Accepted ? fileDialog->selectedFiles().value(0) : QString();
    };
    if (modalAnswers || waitForAnswers) {
        const QString path = modalAnswers ? modalAnswers->answerFileDialog(*fileDialog) : selected(fileDialog->exec());
        delete fileDialog.data();
        answered(path);
        return;
    }
    QObject::connect(fileDialog, &QDialog::finished, fileDialog, [fileDialog, selected, answered](int result) {
        const QString path = selected(result);
        fileDialog->deleteLater();
        answered(path);
    });
    fileDialog->open();
}

// Where a dialog without a path of its own opens: the folder of the file last
// saved or loaded, in this session or an earlier one, while it exists.
QString Dialogs::DialogFolder()
{
    if (!m_lastFolder)
        m_lastFolder = StoredDialogFolder();
    return !m_lastFolder->isEmpty() && QFileInfo(*m_lastFolder).isDir() ? *m_lastFolder : QDir::homePath();
}

void Dialogs::KeepDialogFolder(const QString &fileName)
{
    m_lastFolder = QFileInfo(fileName).absolutePath();
    StoreDialogFolder(*m_lastFolder);
}
