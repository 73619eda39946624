#include "app/mainform.h"

#include "app/filedrop.h"
#include "app/focusedwheel.h"
#include "app/formbinding.h"
#include "app/formlook.h"
#include "app/textstart.h"

#include "i18n/formtexts.h"
#include "settings/escaping.h"
#include "settings/parameterfields.h"
#include "settings/parameterfile.h"
#include "values/startupvalues.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QScopedValueRollback>
#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif
#include <QTimer>

namespace {

// Default's own choice of TV mode: PAL, although a fresh window starts on NTSC.
constexpr int DefaultTvMode = 1;

} // namespace

Tmainform1::Tmainform1(QWidget *parent)
    : QWidget(parent)
{
    setupUi(this);
    // What a Load gives back, so that what the window shows is what the file keeps.
    for (const ParameterField &field : TextFields()) {
        if (auto *edit = findChild<QLineEdit *>(QLatin1String(field.name)); edit && field.typedUpToReadWidth)
            edit->setMaxLength(field.readWidth);
    }
    // Their ids are the values of the security choice.
    auto *securityButtons = new QButtonGroup(this);
    securityButtons->addButton(RadioButton1, static_cast<int>(Security::NoSsl));
    securityButtons->addButton(RadioButton2, static_cast<int>(Security::Ssl));
    securityButtons->addButton(RadioButton3, static_cast<int>(Security::StartTls));

    setWindowTitle(WindowCaption());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    // Uncompressed, and read past the pixmap cache: in the page, a PNG went
    // through libpng's setjmp, and each costs milliseconds at start.
    setWindowIcon(QPixmap::fromImage(QImage(QStringLiteral(":/icons/trailcam-settings.bmp"), "BMP")));

    ApplyStyle(*this);
    ApplyFonts(*this);
    ApplyStartupTexts(*this);
    // The combo boxes see to this themselves.
    for (QWidget *picker :
        std::initializer_list<QWidget *> { DateTimePicker1, DateTimePicker2, DateTimePicker3, DateTimePicker4 })
        TakeWheelOnlyWithFocus(picker);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    ConnectHandlers();
    ShowCodeTextsFromStart(this);
    InstallKeyboard();
    Timer1->start();

    LoadDroppedFiles(this);
    m_session.Start(GatherValues(*this));
    ConnectPlatform();
#if QT_CONFIG(sessionmanager)
    // A logout asks what closing asks, where the session lets it ask.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &manager) {
        if (!manager.allowsInteraction())
            return;
        // Qt hands the session manager the answer as soon as this returns (X11's SaveYourselfDone, the reply to
        // Windows' WM_QUERYENDSESSION), so only here do the questions wait for their answers in loops of their own.
        const QScopedValueRollback waiting(dialogs.waitForAnswers, true);
        if (HasUnsavedChanges())
            AskToClose([] {});
        if (HasUnsavedChanges())
            manager.cancel();
        manager.release();
    });
#endif
}

Tmainform1::~Tmainform1() = default;

void Tmainform1::ConnectHandlers()
{
    connect(Button3, &QPushButton::clicked, this, &Tmainform1::Button3Click);
    connect(Button1, &QPushButton::clicked, this, &Tmainform1::Button1Click);
    connect(Timer1, &QTimer::timeout, this, &Tmainform1::Timer1Timer);
    connect(langcmb, &TComboBox::changed, this, &Tmainform1::langcmbChange);
    connect(Button2, &QPushButton::clicked, this, &Tmainform1::Button2Click);
    connect(dtfmtcmb, &TComboBox::changed, this, &Tmainform1::dtfmtcmbChange);
    connect(ComboBox3, &TComboBox::changed, this, &Tmainform1::ComboBox3Change);
    connect(ComboBox4, &TComboBox::changed, this, &Tmainform1::ComboBox4Change);
    connect(ComboBox7, &TComboBox::changed, this, &Tmainform1::ComboBox7Change);
    connect(ComboBox8, &TComboBox::changed, this, &Tmainform1::ComboBox8Change);
    connect(ComboBox9, &TComboBox::changed, this, &Tmainform1::ComboBox9Change);
    connect(ComboBox12, &TComboBox::changed, this, &Tmainform1::ComboBox12Change);
    connect(ComboBox13, &TComboBox::changed, this, &Tmainform1::ComboBox13Change);
    connect(ComboBox1, &TComboBox::changed, this, &Tmainform1::ComboBox1Change);
    connect(ComboBox5, &TComboBox::changed, this, &Tmainform1::ComboBox5Change);
    connect(ComboBox10, &TComboBox::changed, this, &Tmainform1::ComboBox10Change);
}

void Tmainform1::AskAboutLostTexts(const ParameterValues &values, const std::function<void()> &save)
{
    const EditSession::SaveWarnings warnings = m_session.Warnings(values);
    if (warnings.cut.empty() && warnings.leftOut.empty())
        return save();
    dialogs.Ask(
        QMessageBox::Warning, LostTextsQuestion(*this, warnings), QMessageBox::Save | QMessageBox::Cancel,
        QMessageBox::Cancel,
        [save](QMessageBox::StandardButton answer) {
            if (answer == QMessageBox::Save)
                save();
        },
        QStringLiteral("Save anyway"));
}

bool Tmainform1::HasUnsavedChanges() const
{
    return m_session.IsModified(GatherValues(*this));
}

void Tmainform1::AskToClose(const std::function<void()> &close)
{
    dialogs.Ask(QMessageBox::Question, QStringLiteral("Save changes before closing?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save,
        [this, close](QMessageBox::StandardButton answer) {
            if (answer == QMessageBox::Discard) {
                m_session.Discard(GatherValues(*this));
                close();
            } else if (answer == QMessageBox::Save) {
                // With its dialog and messages; closes only once the file is written.
                Save(close);
            }
        });
}

void Tmainform1::closeEvent(QCloseEvent *event)
{
    if (HasUnsavedChanges()) {
        // The window closes again once the user has answered; an answer given
        // before the question returns (through the seam) closes it now.
        const QScopedValueRollback asking(m_inCloseEvent, true);
        AskToClose([this] {
            if (!m_inCloseEvent)
                close();
        });
        if (HasUnsavedChanges())
            return event->ignore();
    }
    QWidget::closeEvent(event);
}

void Tmainform1::Button3Click()
{
    Save({});
}

void Tmainform1::Save(const std::function<void()> &saved)
{
    const ParameterValues values = GatherValues(*this);
    AskAboutLostTexts(values, [this, values, saved] {
        // Built before the dialog opens: the clock bytes hold the time of the click.
        m_session.Build(values);
        SaveBuilt(saved);
    });
}

void Tmainform1::LoadFile(const QString &fileName, bool faithful)
{
    const QString absolute = QFileInfo(fileName).absoluteFilePath();
    if (!faithful)
        return dialogs.ShowError(UnfaithfulNameError(absolute));
    // As if chosen in the Load dialog, which proposes it next time.
    m_openDialogPath = absolute;
    LoadFrom(absolute);
}

void Tmainform1::LoadNamedFile(const QByteArray &name)
{
    LoadFile(QFile::decodeName(name), IsFaithfulFileName(name));
}

// What Load does with the chosen file.
void Tmainform1::LoadFrom(const QString &fileName)
{
    QString error;
    const std::optional<QByteArray> image = EditSession::Read(fileName, &error);
    if (!image)
        return dialogs.ShowError(error);
    LoadImage(*image, QFileInfo(fileName).fileName(), fileName);
}

void Tmainform1::LoadContent(const QString &name, const QByteArray &content)
{
    QString error;
    const std::optional<QByteArray> image = EditSession::ReadContent(content, EscapeControls(name), &error);
    if (!image)
        return dialogs.ShowError(error);
    LoadImage(*image, name, {});
}

void Tmainform1::LoadImage(const QByteArray &image, const QString &name, const QString &filePath)
{
    const auto take = [this, filePath, image] {
        QString refusal;
        const std::optional<ParameterValues> values = EditSession::Decode(image, &refusal);
        if (!values)
            return dialogs.ShowError(refusal);
        PutValues(*this, *values);
        if (!filePath.isEmpty())
            dialogs.KeepDialogFolder(filePath);
        m_session.Loaded(GatherValues(*this));
    };
    // A photo from the same card would fill every field with garbage.
    const QString warning = EditSession::ForeignWarning(image, EscapeControls(name), QStringLiteral("Load it anyway?"));
    if (warning.isEmpty())
        return take();
    dialogs.Ask(QMessageBox::Warning, warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
        [take](QMessageBox::StandardButton answer) {
            if (answer == QMessageBox::Yes)
                take();
        });
}

void Tmainform1::Timer1Timer()
{
    const QDateTime now = QDateTime::currentDateTime();
    DateTimePicker3->setDateTime(now);
    // The local time of day: a QTimeEdit may keep UTC (Qt 6.4 makes it so),
    // into which it would turn a whole date and time.
    DateTimePicker4->setTime(now.time());
}

void Tmainform1::Button2Click()
{
    // The camera, video and setup options go back to a fresh window's values,
    // the language and date format boxes among them. Setting them from code
    // runs no handler, so the captions and the date picker's format stay as
    // they are until the user picks again.
    ParameterValues defaults = StartupParameterValues();
    defaults.tvcmb = DefaultTvMode;
    for (const ParameterField &field : ParameterFields) {
        if (field.defaultResets)
            PutField(*this, field, defaults);
    }
}

void Tmainform1::dtfmtcmbChange()
{
    QString format;
    switch (dtfmtcmb->selectedIndex()) {
    case 0:
        format = QStringLiteral("yyyy/MM/dd HH:mm:ss");
        break;
    case 1:
        format = QStringLiteral("dd/MM/yyyy HH:mm:ss");
        break;
    default:
        format = QStringLiteral("MM/dd/yyyy HH:mm:ss");
        break;
    }
    SetDisplayFormat(DateTimePicker3, format);
}

// Switching one way of sending on switches the other two off.
void Tmainform1::ComboBox1Change()
{
    if (ComboBox1->selectedIndex() == 1) {
        ComboBox5->setSelectedIndex(0);
        ComboBox10->setSelectedIndex(0);
    }
}

void Tmainform1::ComboBox5Change()
{
    if (ComboBox5->selectedIndex() == 1) {
        ComboBox1->setSelectedIndex(0);
        ComboBox10->setSelectedIndex(0);
    }
}

void Tmainform1::ComboBox10Change()
{
    if (ComboBox10->selectedIndex() == 1) {
        ComboBox5->setSelectedIndex(0);
        ComboBox1->setSelectedIndex(0);
    }
}
