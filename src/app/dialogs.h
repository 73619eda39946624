#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>
#include <optional>

class QFileDialog;
class QWidget;

// Answers the window's file dialogs and message boxes in place of the user,
// for tests. Each dialog is set up as for the user and handed here instead of
// being shown.
class ModalAnswers
{
public:
    virtual ~ModalAnswers() = default;
    // The path chosen; an empty one cancels.
    virtual QString answerFileDialog(QFileDialog &dialog) = 0;
    virtual void answerMessageBox(QMessageBox &box) = 0;
};

// The window's file dialogs and message boxes. Each is opened without a loop
// of its own and its answer goes to a callback, which runs only once the user
// has answered; through the seam, before the call returns.
class Dialogs
{
public:
    explicit Dialogs(QWidget *window)
        : m_window(window)
    {
    }

    // Set by tests only; the user answers while it is null.
    ModalAnswers *modalAnswers = nullptr;

    using Answered = std::function<void(QMessageBox::StandardButton)>;
    // The answer is the button chosen, or NoButton when the box is closed,
    // which every caller takes as the escape button's answer. `saveText`
    // renames Save.
    void Ask(QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton byDefault, const Answered &answered, const QString &saveText = {});
    void ShowError(const QString &message);
    // `chosen` gets the confirmed path; nothing follows a cancel, and a name
    // the system could not hand over faithfully gets a message instead.
    // `dialog` points to the dialog while it is open; `lastChosen`, which it
    // proposes, takes the path.
    void AskFileName(QFileDialog *&dialog, const char *name, bool save, QString &lastChosen,
        const std::function<void(const QString &)> &chosen);
    // The folder a dialog without a path of its own opens in next time, in
    // this session and the next.
    void KeepDialogFolder(const QString &fileName);

    // While a session manager waits for the answers, the questions wait for
    // them too.
    bool waitForAnswers = false;

private:
    QString DialogFolder();

    QWidget *m_window;
    // The folder of the file last saved or loaded; read from the settings at
    // the first dialog, not at start-up.
    std::optional<QString> m_lastFolder;
};

// The refusal of a name that may stand for another file than the one meant;
// Save says "create", as for its other refusals.
QString UnfaithfulNameError(const QString &fileName, bool save = false);
