#pragma once

#include "ui_mainform.h"

#include "app/dialogs.h"

#include "values/editsession.h"

#include <QByteArray>
#include <QWidget>

#include <functional>

class QFileDialog;
class QTimer;

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
    // Its questions; tests answer them through dialogs.modalAnswers.
    Dialogs dialogs { this };

    // The image the last Save built; empty until the first Save.
    const QByteArray &imageBuffer() const { return m_session.image(); }

    // Loads a file named from outside the window, on the command line or by
    // a drop, as Load loads the file chosen in its dialog; a name whose bytes
    // are not text the window can hold (see IsFaithfulFileName) is refused
    // with a message instead.
    void LoadFile(const QString &fileName, bool faithful = true);
    // The same for a name as the system gives it.
    void LoadNamedFile(const QByteArray &name);
    // Loads the bytes of a file named `name` that a page was handed, as Load
    // loads a file.
    void LoadContent(const QString &name, const QByteArray &content);

    void Button3Click();
    void Button1Click();
    void Timer1Timer();
    void langcmbChange();
    void Button2Click();
    void dtfmtcmbChange();
    void ComboBox3Change();
    void ComboBox4Change();
    void ComboBox7Change();
    void ComboBox8Change();
    void ComboBox9Change();
    void ComboBox12Change();
    void ComboBox13Change();
    void ComboBox1Change();
    void ComboBox5Change();
    void ComboBox10Change();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void ConnectHandlers();
    void InstallKeyboard();

    bool HasUnsavedChanges() const;
    // Asks "Save changes before closing?"; `close` follows a Discard, or a
    // Save that wrote the file.
    void AskToClose(const std::function<void()> &close);
    // `saved` follows once the file is written.
    void Save(const std::function<void()> &saved);
    // A text longer than a Load reads back would reach the camera cut, unseen;
    // a text typed on the page whose connection the file does not keep, not
    // at all. `save` follows when there are none, or the user saves anyway.
    void AskAboutLostTexts(const ParameterValues &values, const std::function<void()> &save);
    void LoadFrom(const QString &fileName);
    // Load's checks and questions for a file's image, named `name` in them;
    // `filePath` is the file's, where it has one.
    void LoadImage(const QByteArray &image, const QString &name, const QString &filePath);
    // Save's last step, the image built: written where the user chooses on a
    // desktop, a download in a page (mainform_desktop.cpp, mainform_web.cpp).
    void SaveBuilt(const std::function<void()> &saved);
    // What a page adds to the window; nothing on a desktop.
    void ConnectPlatform();

    EditSession m_session;
    // The paths last confirmed in each dialog, which it proposes next time.
    QString m_saveDialogPath;
    QString m_openDialogPath;
    // While closeEvent asks: an answer given before the question returns
    // needs no second close().
    bool m_inCloseEvent = false;
};
