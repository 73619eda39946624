#pragma once

#include "ui_mainform.h"

#include "settings/parametervalues.h"

#include <QByteArray>
#include <QMessageBox>
#include <QWidget>

#include <optional>

class QButtonGroup;
class QFileDialog;
class QMessageBox;
class QTimer;
struct ParameterField;

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

// The editor's one window. Every control is a public member under its form
// name; the controls are the only store of the settings.
class Tmainform1 : public QWidget, public Ui::Tmainform1
{
    Q_OBJECT
public:
    explicit Tmainform1(QWidget *parent = nullptr);
    ~Tmainform1() override;

    // Each points to its dialog while that is open, and is null otherwise.
    QFileDialog *OpenDialog1 = nullptr;
    QFileDialog *SaveDialog1 = nullptr;
    QTimer *Timer1 = nullptr;
    // Set by tests only; the user answers while it is null.
    ModalAnswers *modalAnswers = nullptr;

    // The image the last Save built; empty until the first Save.
    const QByteArray &imageBuffer() const { return m_imageBuffer; }

    // Loads a file named from outside the window, on the command line or by
    // a drop, as Load loads the file chosen in its dialog.
    void LoadFile(const QString &fileName);
    // The same for a name as the system gives it, refused with a message when
    // it is not text the window can hold.
    void LoadNamedFile(const QByteArray &name);

    void Button3Click(QObject *Sender);
    void Button1Click(QObject *Sender);
    void Timer1Timer(QObject *Sender);
    void langcmbChange(QObject *Sender);
    void Button2Click(QObject *Sender);
    void dtfmtcmbChange(QObject *Sender);
    void ComboBox3Change(QObject *Sender);
    void ComboBox4Change(QObject *Sender);
    void ComboBox7Change(QObject *Sender);
    void ComboBox8Change(QObject *Sender);
    void ComboBox9Change(QObject *Sender);
    void ComboBox12Change(QObject *Sender);
    void ComboBox13Change(QObject *Sender);
    void ComboBox1Change(QObject *Sender);
    void ComboBox5Change(QObject *Sender);
    void ComboBox10Change(QObject *Sender);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    using Handler = void (Tmainform1::*)(QObject *);

    void ConnectHandlers();
    void InstallKeyboard();
    void RunHandler(Handler handler, QObject *sender);
    void ShowError(const QString &message);
    void ApplyStyle();
    void ApplyFonts();
    void ApplyStartupTexts();
    void SetCaption(QWidget *control, const QString &text);

    ParameterValues GatherValues() const;
    bool HasUnsavedChanges() const;
    // Asks "Save changes before closing?" when there is something to lose;
    // false while the window stays open.
    bool MayClose();
    bool SaveCutTextsAnyway(const ParameterValues &values);
    QString FieldCaption(const ParameterField &field) const;
    QMessageBox::StandardButton Ask(QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton byDefault, const QString &saveText = {});
    void PutValues(const ParameterValues &values);
    void PutField(const ParameterField &field, const ParameterValues &values);
    QString AskFileName(QFileDialog *&dialog, const char *name, bool save, QString &lastChosen);
    QString DialogFolder();
    void KeepDialogFolder(const QString &fileName);
    void FileLoad(QObject *Sender);
    void LoadFrom(const QString &fileName);
    bool TakeFileDrop(QEvent *event);

    QByteArray m_imageBuffer;
    // What Save would have written at start, at the last Load and at the last
    // Save, the clock aside; a window equal to one of them closes without a
    // question.
    QByteArray m_startImage;
    QByteArray m_loadedImage;
    QByteArray m_savedImage;
    // What the window held at start or after the last Load: Save asks only
    // about texts that differ from it.
    ParameterValues m_valuesFound;
    // What the user chose to lose, at a logout too, after which the session
    // closes the window without asking again.
    QByteArray m_discardedImage;
    QButtonGroup *m_securityButtons = nullptr; // RadioButton1..3
    // The paths last confirmed in each dialog, which it proposes next time.
    QString m_saveDialogPath;
    QString m_openDialogPath;
    // The folder of the file last saved or loaded; read from the settings at
    // the first dialog, not at start-up.
    std::optional<QString> m_lastFolder;
};
