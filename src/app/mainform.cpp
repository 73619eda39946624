#include "app/mainform.h"

#include "app/application.h"
#include "app/dialogplaces.h"
#include "app/focusedwheel.h"
#include "app/textstart.h"

#include "i18n/formtexts.h"
#include "settings/escaping.h"
#include "settings/filekind.h"
#include "settings/parameterdata.h"
#include "settings/parameterfields.h"
#include "settings/parameterfile.h"
#include "settings/parametervalues.h"
#include "values/startupvalues.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QRegularExpression>
#include <QScopeGuard>
#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif
#include <QTimer>

#include <exception>

namespace {

// Ends the running handler; RunHandler shows the text to the user.
struct HandlerError
{
    QString message;
};

QFont FormFont(int pixels, bool bold)
{
    QFont font(FormFontFace.toString());
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Windows has COLOR_GRADIENTACTIVECAPTION for this; its default value stands
// in everywhere else.
constexpr QColor WindowBackground(185, 209, 234);

// Windows draws disabled text in COLOR_GRAYTEXT, 109,109,109 on a face of 240. The face here is 239 and the small
// clock digits are antialiased, so a little darker keeps the 4.5:1 contrast that lets the camera's clock, in its
// disabled pickers, be read. The Windows build draws the thin strokes of the digits a few steps lighter than their
// colour (measured under Wine), where Linux's reaches it: the same margin takes a darker grey there.
#ifdef Q_OS_WIN
constexpr QColor DisabledText(100, 100, 100);
#else
constexpr QColor DisabledText(105, 105, 105);
#endif

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

// The long format is the one with seconds; the zone it may carry would
// only crowd the narrow pickers, whose values are local wall-clock times.
QString SystemTimeFormat()
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b"));
    format.remove(zone);
    return format.trimmed();
}

// A format without time fields would drop the time the picker holds, and
// Save reads that time.
void SetDisplayFormat(QDateTimeEdit *picker, const QString &format)
{
    const QDateTime value = picker->dateTime();
    picker->setDisplayFormat(format);
    picker->setDateTime(value);
}

bool IsTimeOfDay(const TimeOfDay &time)
{
    return QTime::isValid(time.hour, time.minute, time.second);
}

TimeOfDay ToTimeOfDay(QTime time)
{
    return { time.hour(), time.minute(), time.second() };
}

QTime ToQTime(const TimeOfDay &time)
{
    return QTime(time.hour, time.minute, time.second);
}

QString ControlText(const QWidget *control)
{
    if (const auto *edit = qobject_cast<const QLineEdit *>(control))
        return edit->text();
    if (const auto *box = qobject_cast<const TComboBox *>(control))
        return box->text();
    return {};
}

// A combo box gets its text only: its list and selected index stay.
void SetControlText(QWidget *control, const QString &text)
{
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        edit->setText(text);
    else if (auto *box = qobject_cast<TComboBox *>(control))
        box->setText(text);
}

// What Save writes for `values`, with one fixed clock: the clock's ticks
// change nothing the user would lose.
QByteArray ImageBesideClock(ParameterValues values)
{
    values.clock = ClockValue { 2000, 1, 1, 0, 0, 0 };
    return BuildParameterData(values);
}

QString ShownCaption(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text().trimmed();
    if (const auto *box = qobject_cast<const QGroupBox *>(control))
        return box->title().trimmed();
    return {};
}

// The refusal of a name that may stand for another file than the one meant;
// Save says "create", as for its other refusals.
QString UnfaithfulNameError(const QString &fileName, bool save = false)
{
    return QStringLiteral("Cannot %1 file \"%2\". The name is not valid UTF-8, so the editor cannot tell which "
                          "file it names; rename the file.")
        .arg(save ? QStringLiteral("create") : QStringLiteral("open"),
            EscapeControls(QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath())));
}

// A dialog hands a name over as text, in which the system's decoding put
// U+FFFD for each byte that is not UTF-8; its bytes are gone, so such a name
// is refused, like a name that is not UTF-8 on the command line.
bool IsFaithfulChosenName(const QString &fileName)
{
#ifdef Q_OS_UNIX
    return !fileName.contains(QChar::ReplacementCharacter);
#else
    Q_UNUSED(fileName);
    return true; // names are UTF-16, as the window holds them
#endif
}

#ifdef Q_OS_UNIX
// A drop spells the name's bytes in its URL, percent-encoded; the text Qt
// decodes from them may name another file.
QByteArray DroppedName(const QUrl &url)
{
    const QString local = url.toLocalFile(); // "//host" before the path, for a URL with a host
    return QFile::encodeName(local.chopped(url.path(QUrl::FullyDecoded).size()))
        + QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
}
#endif

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
    m_securityButtons = new QButtonGroup(this);
    m_securityButtons->addButton(RadioButton1, static_cast<int>(Security::NoSsl));
    m_securityButtons->addButton(RadioButton2, static_cast<int>(Security::Ssl));
    m_securityButtons->addButton(RadioButton3, static_cast<int>(Security::StartTls));

    setWindowTitle(WindowCaption());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    setWindowIcon(QIcon(QStringLiteral(":/icons/trailcam-settings.png")));

    ApplyStyle();
    ApplyFonts();
    ApplyStartupTexts();
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

    // A settings file dropped anywhere on the window is loaded, over an edit
    // field too, which would otherwise take its name as text.
    setAcceptDrops(true);
    installEventFilter(this);
    const auto children = findChildren<QWidget *>();
    for (QWidget *child : children) {
        if (child->acceptDrops())
            child->installEventFilter(this);
    }
    m_valuesFound = GatherValues();
    m_startImage = ImageBesideClock(m_valuesFound);
#if QT_CONFIG(sessionmanager)
    // A logout asks what closing asks, where the session lets it ask.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &manager) {
        if (!manager.allowsInteraction())
            return;
        if (!MayClose())
            manager.cancel();
        manager.release();
    });
#endif
}

Tmainform1::~Tmainform1() = default;

void Tmainform1::ConnectHandlers()
{
    // Every handler runs through RunHandler, the one place that reports errors.
    const auto bind = [this](auto *sender, auto signal, Handler handler) {
        connect(sender, signal, this, [this, sender, handler] { RunHandler(handler, sender); });
    };
    bind(Button3, &QPushButton::clicked, &Tmainform1::Button3Click);
    bind(Button1, &QPushButton::clicked, &Tmainform1::Button1Click);
    bind(Timer1, &QTimer::timeout, &Tmainform1::Timer1Timer);
    bind(langcmb, &TComboBox::changed, &Tmainform1::langcmbChange);
    bind(Button2, &QPushButton::clicked, &Tmainform1::Button2Click);
    bind(dtfmtcmb, &TComboBox::changed, &Tmainform1::dtfmtcmbChange);
    bind(ComboBox3, &TComboBox::changed, &Tmainform1::ComboBox3Change);
    bind(ComboBox4, &TComboBox::changed, &Tmainform1::ComboBox4Change);
    bind(ComboBox7, &TComboBox::changed, &Tmainform1::ComboBox7Change);
    bind(ComboBox8, &TComboBox::changed, &Tmainform1::ComboBox8Change);
    bind(ComboBox9, &TComboBox::changed, &Tmainform1::ComboBox9Change);
    bind(ComboBox12, &TComboBox::changed, &Tmainform1::ComboBox12Change);
    bind(ComboBox13, &TComboBox::changed, &Tmainform1::ComboBox13Change);
    bind(ComboBox1, &TComboBox::changed, &Tmainform1::ComboBox1Change);
    bind(ComboBox5, &TComboBox::changed, &Tmainform1::ComboBox5Change);
    bind(ComboBox10, &TComboBox::changed, &Tmainform1::ComboBox10Change);
}

void Tmainform1::RunHandler(Handler handler, QObject *sender)
{
    QString message;
    try {
        (this->*handler)(sender);
        return;
    } catch (const HandlerError &error) {
        message = error.message;
    } catch (const std::exception &error) {
        message = QString::fromLocal8Bit(error.what());
    } catch (...) {
        // Qt's event loop cannot carry an exception on, so none may leave here.
        message = QStringLiteral("An unexpected error stopped this action.");
    }
    ShowError(message);
}

void Tmainform1::ShowError(const QString &message)
{
    // As QMessageBox::critical() makes it, but through the tests' seam.
    Ask(QMessageBox::Critical, message, QMessageBox::Ok, QMessageBox::Ok);
}

void Tmainform1::ApplyStyle()
{
    // The pages keep the plain face colour; the caption colour shows only
    // around the page control and behind the buttons.
    const QColor face = palette().color(QPalette::Window);
    QPalette background = palette();
    background.setColor(QPalette::Window, WindowBackground);
    // Not ButtonText: the arrows of the timer pickers are disabled at the ends of the day and keep their faint look.
    for (const QPalette::ColorRole role : { QPalette::Text, QPalette::WindowText })
        background.setColor(QPalette::Disabled, role, DisabledText);
    setPalette(background);
    QPalette pages = PageControl1->palette();
    pages.setColor(QPalette::Window, face);
    PageControl1->setPalette(pages);
    for (QWidget *page : { TabSheet1, TabSheet2, TabSheet3, TabSheet4 })
        page->setAutoFillBackground(true);
}

// In code rather than in the form: the form's format keeps whole point sizes
// only, and these pixel sizes fall between them. Given by kind of control and
// place, so a new control takes the fonts of its neighbours.
void Tmainform1::ApplyFonts()
{
    setFont(FormFont(10, false));
    for (QPushButton *button : findChildren<QPushButton *>(Qt::FindDirectChildrenOnly))
        button->setFont(FormFont(17, true));
    PageControl1->setFont(FormFont(16, true));

    // On MENU the group captions are bold and larger than what they hold, the
    // pickers smaller. On the other pages the edits are small, but for the
    // phone numbers and mail addresses to send to, as large as their captions.
    const QList<const QGroupBox *> recipients { GroupBox8, GroupBox9, GroupBox14 };
    for (int page = 0; page < PageControl1->count(); ++page) {
        const bool menu = PageControl1->widget(page) == TabSheet1;
        const auto groups = PageControl1->widget(page)->findChildren<QGroupBox *>(Qt::FindDirectChildrenOnly);
        for (QGroupBox *group : groups) {
            group->setFont(menu ? FormFont(17, true) : FormFont(15, false));
            const auto children = group->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
            for (QWidget *child : children) {
                if (menu)
                    child->setFont(FormFont(qobject_cast<QDateTimeEdit *>(child) ? 11 : 15, false));
                else if (qobject_cast<QLineEdit *>(child) && !recipients.contains(group))
                    child->setFont(FormFont(11, false));
            }
        }
    }
}

void Tmainform1::SetCaption(QWidget *control, const QString &text)
{
    if (auto *label = qobject_cast<QLabel *>(control)) {
        label->setText(text);
        label->adjustSize();
    } else if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        button->setText(text);
    } else if (auto *box = qobject_cast<QGroupBox *>(control)) {
        box->setTitle(text);
    } else if (const int page = PageControl1->indexOf(control); page >= 0) {
        PageControl1->setTabText(page, text);
    }
}

void Tmainform1::ApplyStartupTexts()
{
    for (const ControlCaption &caption : StartupCaptions()) {
        if (auto *control = findChild<QWidget *>(QLatin1String(caption.control)))
            SetCaption(control, QString::fromUtf8(caption.text));
        else
            qWarning("No control %s for its caption", caption.control);
    }

    const auto comboItems = StartupComboItems();
    for (const ComboItems &entry : comboItems) {
        if (auto *box = findChild<TComboBox *>(QLatin1String(entry.control)))
            box->setItems(entry.items);
        else
            qWarning("No combo box %s for its items", entry.control);
    }

    SetDisplayFormat(DateTimePicker3, QLocale::system().dateFormat(QLocale::ShortFormat));
    for (QDateTimeEdit *picker : { DateTimePicker1, DateTimePicker2, DateTimePicker4 })
        picker->setDisplayFormat(SystemTimeFormat());

    PutValues(StartupParameterValues());

    for (const ComboItems &entry : comboItems) {
        auto *box = findChild<TComboBox *>(QLatin1String(entry.control));
        if (!box)
            continue;
        if (!entry.initialText.isEmpty())
            box->setText(entry.initialText);
        else if (box->selectedIndex() < 0)
            // A box that starts with a selection but travels by its text
            // selects the item that shows that text.
            box->setSelectedIndex(box->findText(box->text(), Qt::MatchExactly));
    }
}

ParameterValues Tmainform1::GatherValues() const
{
    ParameterValues values;
    for (const ParameterField &field : IndexFields()) {
        if (const auto *box = findChild<TComboBox *>(QLatin1String(field.name)))
            values.*field.index = box->selectedIndex();
    }
    for (const ParameterField &field : TextFields()) {
        if (const auto *control = findChild<QWidget *>(QLatin1String(field.name)))
            values.*field.text = ControlText(control);
    }

    // Whole seconds: the milliseconds of the clock are dropped, not rounded.
    const QDateTime clock = DateTimePicker3->dateTime();
    values.clock = ClockValue { clock.date().year(), clock.date().month(), clock.date().day(), clock.time().hour(),
        clock.time().minute(), clock.time().second() };
    values.timerStart = ToTimeOfDay(DateTimePicker1->time());
    values.timerEnd = ToTimeOfDay(DateTimePicker2->time());

    const int security = m_securityButtons->checkedId();
    values.security = security >= 0 ? static_cast<Security>(security) : Security::NoSsl;
    return values;
}

// Also how the window takes its start-up values. Setting indexes and texts
// from code runs no handler, so the order does not matter.
void Tmainform1::PutValues(const ParameterValues &values)
{
    for (const ParameterField &field : ParameterFields)
        PutField(field, values);

    // The clock pickers keep running on the computer's time.
    DateTimePicker1->setTime(ToQTime(values.timerStart));
    DateTimePicker2->setTime(ToQTime(values.timerEnd));
    // A byte that names none of the three leaves the choice as it is.
    if (QAbstractButton *button = m_securityButtons->button(static_cast<int>(values.security)))
        button->setChecked(true);
}

// The combo boxes and edits; PutValues sets the pickers and radio buttons.
void Tmainform1::PutField(const ParameterField &field, const ParameterValues &values)
{
    if (field.index) {
        if (auto *box = findChild<TComboBox *>(QLatin1String(field.name)))
            box->setSelectedIndex(values.*field.index);
    } else if (field.text) {
        if (auto *control = findChild<QWidget *>(QLatin1String(field.name)))
            SetControlText(control, values.*field.text);
    }
}

// Returns the confirmed path, or an empty string when the user cancels. Each
// use gets a dialog of its own: a dialog kept hidden between uses leaves its
// completion popup on screen, where it takes the next click.
QString Tmainform1::AskFileName(QFileDialog *&dialog, const char *name, bool save, QString &lastChosen)
{
    const QPointer<QFileDialog> fileDialog = new QFileDialog(this);
    dialog = fileDialog;
    const auto release = qScopeGuard([&dialog, fileDialog] {
        dialog = nullptr;
        delete fileDialog.data();
    });
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
    QString chosen;
    if (modalAnswers)
        chosen = modalAnswers->answerFileDialog(*fileDialog);
    else if (fileDialog->exec() == QDialog::Accepted && fileDialog)
        chosen = fileDialog->selectedFiles().value(0);
    if (chosen.isEmpty())
        return {};
    if (!IsFaithfulChosenName(chosen))
        throw HandlerError { UnfaithfulNameError(chosen, save) };
    lastChosen = chosen;
    return lastChosen;
}

// Where a dialog without a path of its own opens: the folder of the file last
// saved or loaded, in this session or an earlier one, while it exists.
QString Tmainform1::DialogFolder()
{
    if (!m_lastFolder)
        m_lastFolder = StoredDialogFolder();
    return !m_lastFolder->isEmpty() && QFileInfo(*m_lastFolder).isDir() ? *m_lastFolder : QDir::homePath();
}

void Tmainform1::KeepDialogFolder(const QString &fileName)
{
    m_lastFolder = QFileInfo(fileName).absolutePath();
    StoreDialogFolder(*m_lastFolder);
}

// The window's questions, all asked here; the answer is the button chosen,
// or the escape button's when the box is closed. `saveText` renames Save.
QMessageBox::StandardButton Tmainform1::Ask(QMessageBox::Icon icon, const QString &text,
    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton byDefault, const QString &saveText)
{
    QMessageBox box(icon, ApplicationTitle(), text, buttons, this);
    // A file name is the user's text, never markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(byDefault);
    if (QAbstractButton *save = box.button(QMessageBox::Save); save && !saveText.isEmpty())
        save->setText(saveText);
    if (!modalAnswers)
        return static_cast<QMessageBox::StandardButton>(box.exec());
    modalAnswers->answerMessageBox(box);
    // Unanswered, it is NoButton, which every caller takes as the escape button's answer.
    return box.standardButton(box.clickedButton());
}

// The field as the window names it now: its label after the tab or box that
// tells repeated labels apart, in the language the window shows.
QString Tmainform1::FieldCaption(const ParameterField &field) const
{
    QStringList words;
    for (const char *control : { field.listing.qualifier, field.listing.subQualifier, field.listing.label }) {
        if (!control)
            continue;
        QWidget *widget = findChild<QWidget *>(QLatin1String(control));
        const int page = widget ? PageControl1->indexOf(widget) : -1;
        words << (page >= 0 ? PageControl1->tabText(page).trimmed() : ShownCaption(widget));
    }
    words.removeAll(QString());
    return words.isEmpty() ? QLatin1String(field.name) : words.join(QLatin1Char(' '));
}

// A text longer than a Load reads back would reach the camera cut, unseen; a
// text typed on the page whose connection the file does not keep, not at all.
bool Tmainform1::SaveCutTextsAnyway(const ParameterValues &values)
{
    const std::vector<CutText> cut = TextsCutOnReading(values);
    const std::vector<const ParameterField *> leftOut = SharedTextsLeftOut(values, m_valuesFound);
    if (cut.empty() && leftOut.empty())
        return true;
    QStringList paragraphs;
    if (!cut.empty()) {
        QString text = QStringLiteral("The file keeps only the beginning of these texts:\n");
        for (const CutText &entry : cut) {
            text += QStringLiteral("\n%1: %2 characters, the file keeps %3")
                        .arg(FieldCaption(*entry.field))
                        .arg(entry.length)
                        .arg(ReadBackLength(*entry.field));
        }
        paragraphs << text;
    }
    if (!leftOut.empty()) {
        QStringList captions;
        for (const ParameterField *field : leftOut)
            captions << FieldCaption(*field);
        // A switch without a selection shows nothing, and FTP is then off.
        const QString state
            = ComboBox10->selectedIndex() >= 0 ? ComboBox10->text() : QStringLiteral("not ") + ComboBox10->itemText(1);
        paragraphs << QStringLiteral("%1: not saved while %2 is %3")
                          .arg(captions.join(QStringLiteral(", ")),
                              FieldCaption(ParameterFields[FieldOf(&ParameterValues::ComboBox10)]), state);
    }
    return Ask(QMessageBox::Warning, paragraphs.join(QStringLiteral("\n\n")), QMessageBox::Save | QMessageBox::Cancel,
               QMessageBox::Cancel, QStringLiteral("Save anyway"))
        == QMessageBox::Save;
}

bool Tmainform1::HasUnsavedChanges() const
{
    const QByteArray shown = ImageBesideClock(GatherValues());
    return shown != m_startImage && shown != m_loadedImage && shown != m_savedImage && shown != m_discardedImage;
}

bool Tmainform1::MayClose()
{
    if (!HasUnsavedChanges())
        return true;
    switch (Ask(QMessageBox::Question, QStringLiteral("Save changes before closing?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save)) {
    case QMessageBox::Discard:
        m_discardedImage = ImageBesideClock(GatherValues());
        return true;
    case QMessageBox::Save:
        // With its dialog and messages; closes only once the file is written.
        RunHandler(&Tmainform1::Button3Click, Button3);
        return !HasUnsavedChanges();
    default:
        return false;
    }
}

void Tmainform1::closeEvent(QCloseEvent *event)
{
    if (!MayClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void Tmainform1::Button3Click(QObject * /*Sender*/)
{
    const ParameterValues values = GatherValues();
    if (!SaveCutTextsAnyway(values))
        return;
    // Built before the dialog opens: the clock bytes hold the time of the click.
    m_imageBuffer = BuildParameterData(values);

    const QString fileName = AskFileName(SaveDialog1, "SaveDialog1", true, m_saveDialogPath);
    if (fileName.isEmpty())
        return;
    QString error;
    if (!WriteParameterFile(fileName, m_imageBuffer, &error))
        throw HandlerError { error };
    KeepDialogFolder(fileName);
    m_savedImage = ImageBesideClock(values);
}

void Tmainform1::Button1Click(QObject * /*Sender*/)
{
    const QString fileName = AskFileName(OpenDialog1, "OpenDialog1", false, m_openDialogPath);
    if (fileName.isEmpty())
        return;
    LoadFrom(fileName);
}

void Tmainform1::LoadFile(const QString &fileName)
{
    // The file stands in for the control that raised the event.
    QFile file(QFileInfo(fileName).absoluteFilePath());
    RunHandler(&Tmainform1::FileLoad, &file);
}

void Tmainform1::LoadNamedFile(const QByteArray &name)
{
    if (IsFaithfulFileName(name))
        LoadFile(QFile::decodeName(name));
    else
        ShowError(UnfaithfulNameError(QFile::decodeName(name)));
}

void Tmainform1::FileLoad(QObject *Sender)
{
    const QString fileName = static_cast<QFile *>(Sender)->fileName();
    // As if chosen in the Load dialog, which proposes it next time.
    m_openDialogPath = fileName;
    LoadFrom(fileName);
}

// What Load does with the chosen file.
void Tmainform1::LoadFrom(const QString &fileName)
{
    QString error;
    const std::optional<QByteArray> image = ReadParameterFile(fileName, &error);
    if (!image)
        throw HandlerError { error };
    // A photo from the same card would fill every field with garbage.
    if (!HasConstantBytes(*image)
        && Ask(QMessageBox::Warning,
               ForeignFileWarning(
                   EscapeControls(QFileInfo(fileName).fileName()), *image, QStringLiteral("Load it anyway?")),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            != QMessageBox::Yes)
        return;
    const ParameterValues values = ReadParameterData(*image);

    // Checked before the first control changes, so a bad file leaves the
    // window as it was rather than half loaded.
    if (!IsTimeOfDay(values.timerStart) || !IsTimeOfDay(values.timerEnd))
        throw HandlerError { QStringLiteral("Invalid argument to time encode") };

    PutValues(values);
    KeepDialogFolder(fileName);
    m_valuesFound = GatherValues();
    m_loadedImage = ImageBesideClock(m_valuesFound);
}

bool Tmainform1::eventFilter(QObject *watched, QEvent *event)
{
    return TakeFileDrop(event) || QWidget::eventFilter(watched, event);
}

// Takes a drag that carries one local file, whatever it is over, and loads
// the file when it is dropped. It is only ever copied: a file manager that
// is told it was moved deletes the original.
bool Tmainform1::TakeFileDrop(QEvent *event)
{
    if (event->type() != QEvent::DragEnter && event->type() != QEvent::DragMove && event->type() != QEvent::Drop)
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    const QList<QUrl> urls = drop->mimeData() ? drop->mimeData()->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls.first().isLocalFile() || !(drop->possibleActions() & Qt::CopyAction))
        return false;
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (event->type() == QEvent::Drop) {
        // Once the drop is over: its source waits for it, and would wait
        // behind a message box.
#ifdef Q_OS_UNIX
        QMetaObject::invokeMethod(
            this, [this, name = DroppedName(urls.first())] { LoadNamedFile(name); }, Qt::QueuedConnection);
#else
        QMetaObject::invokeMethod(
            this, [this, fileName = urls.first().toLocalFile()] { LoadFile(fileName); }, Qt::QueuedConnection);
#endif
    }
    return true;
}

void Tmainform1::Timer1Timer(QObject * /*Sender*/)
{
    const QDateTime now = QDateTime::currentDateTime();
    DateTimePicker3->setDateTime(now);
    // The local time of day: a QTimeEdit may keep UTC (Qt 6.4 makes it so),
    // into which it would turn a whole date and time.
    DateTimePicker4->setTime(now.time());
}

void Tmainform1::Button2Click(QObject * /*Sender*/)
{
    // The camera, video and setup options go back to a fresh window's values,
    // the language and date format boxes among them. Setting them from code
    // runs no handler, so the captions and the date picker's format stay as
    // they are until the user picks again.
    ParameterValues defaults = StartupParameterValues();
    defaults.tvcmb = DefaultTvMode;
    for (const ParameterField &field : ParameterFields) {
        if (field.defaultResets)
            PutField(field, defaults);
    }
}

void Tmainform1::dtfmtcmbChange(QObject * /*Sender*/)
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
void Tmainform1::ComboBox1Change(QObject * /*Sender*/)
{
    if (ComboBox1->selectedIndex() == 1) {
        ComboBox5->setSelectedIndex(0);
        ComboBox10->setSelectedIndex(0);
    }
}

void Tmainform1::ComboBox5Change(QObject * /*Sender*/)
{
    if (ComboBox5->selectedIndex() == 1) {
        ComboBox1->setSelectedIndex(0);
        ComboBox10->setSelectedIndex(0);
    }
}

void Tmainform1::ComboBox10Change(QObject * /*Sender*/)
{
    if (ComboBox10->selectedIndex() == 1) {
        ComboBox5->setSelectedIndex(0);
        ComboBox1->setSelectedIndex(0);
    }
}
