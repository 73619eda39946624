#include "app/formbinding.h"

#include "app/mainform.h"

#include "app/formlook.h"

#include "i18n/formtexts.h"
#include "settings/parameterfields.h"
#include "values/startupvalues.h"

#include <QButtonGroup>
#include <QLocale>

namespace {

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

QString ShownCaption(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text().trimmed();
    if (const auto *box = qobject_cast<const QGroupBox *>(control))
        return box->title().trimmed();
    return {};
}

} // namespace

ParameterValues GatherValues(const Tmainform1 &form)
{
    ParameterValues values;
    for (const ParameterField &field : IndexFields()) {
        if (const auto *box = form.findChild<TComboBox *>(QLatin1String(field.name)))
            values.*field.index = box->selectedIndex();
    }
    for (const ParameterField &field : TextFields()) {
        if (const auto *control = form.findChild<QWidget *>(QLatin1String(field.name)))
            values.*field.text = ControlText(control);
    }

    // Whole seconds: the milliseconds of the clock are dropped, not rounded.
    const QDateTime clock = form.DateTimePicker3->dateTime();
    values.clock = ClockValue { clock.date().year(), clock.date().month(), clock.date().day(), clock.time().hour(),
        clock.time().minute(), clock.time().second() };
    values.timerStart = ToTimeOfDay(form.DateTimePicker1->time());
    values.timerEnd = ToTimeOfDay(form.DateTimePicker2->time());

    const int security = form.RadioButton1->group()->checkedId();
    values.security = security >= 0 ? static_cast<Security>(security) : Security::NoSsl;
    return values;
}

void PutValues(Tmainform1 &form, const ParameterValues &values)
{
    for (const ParameterField &field : ParameterFields)
        PutField(form, field, values);

    // The clock pickers keep running on the computer's time.
    form.DateTimePicker1->setTime(ToQTime(values.timerStart));
    form.DateTimePicker2->setTime(ToQTime(values.timerEnd));
    // A byte that names none of the three leaves the choice as it is.
    if (QAbstractButton *button = form.RadioButton1->group()->button(static_cast<int>(values.security)))
        button->setChecked(true);
}

void PutField(QWidget &form, const ParameterField &field, const ParameterValues &values)
{
    if (field.index) {
        if (auto *box = form.findChild<TComboBox *>(QLatin1String(field.name)))
            box->setSelectedIndex(values.*field.index);
    } else if (field.text) {
        if (auto *control = form.findChild<QWidget *>(QLatin1String(field.name)))
            SetControlText(control, values.*field.text);
    }
}

QString FieldCaption(const Tmainform1 &form, const ParameterField &field)
{
    QStringList words;
    for (const char *control : { field.listing.qualifier, field.listing.subQualifier, field.listing.label }) {
        if (!control)
            continue;
        QWidget *widget = form.findChild<QWidget *>(QLatin1String(control));
        const int page = widget ? form.PageControl1->indexOf(widget) : -1;
        words << (page >= 0 ? form.PageControl1->tabText(page).trimmed() : ShownCaption(widget));
    }
    words.removeAll(QString());
    return words.isEmpty() ? QLatin1String(field.name) : words.join(QLatin1Char(' '));
}

QString LostTextsQuestion(const Tmainform1 &form, const EditSession::SaveWarnings &warnings)
{
    QStringList paragraphs;
    if (!warnings.cut.empty()) {
        QString text = QStringLiteral("The file keeps only the beginning of these texts:\n");
        for (const CutText &entry : warnings.cut) {
            text += QStringLiteral("\n%1: %2 characters, the file keeps %3")
                        .arg(FieldCaption(form, *entry.field))
                        .arg(entry.length)
                        .arg(ReadBackLength(*entry.field));
        }
        paragraphs << text;
    }
    if (!warnings.leftOut.empty()) {
        QStringList captions;
        for (const ParameterField *field : warnings.leftOut)
            captions << FieldCaption(form, *field);
        // A switch without a selection shows nothing, and FTP is then off.
        const QString state = form.ComboBox10->selectedIndex() >= 0
            ? form.ComboBox10->text()
            : QStringLiteral("not ") + form.ComboBox10->itemText(1);
        paragraphs << QStringLiteral("%1: not saved while %2 is %3")
                          .arg(captions.join(QStringLiteral(", ")),
                              FieldCaption(form, ParameterFields[FieldOf(&ParameterValues::ComboBox10)]), state);
    }
    return paragraphs.join(QStringLiteral("\n\n"));
}

void SetCaption(Tmainform1 &form, QWidget *control, const QString &text)
{
    if (auto *label = qobject_cast<QLabel *>(control)) {
        label->setText(text);
        label->adjustSize();
    } else if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        button->setText(text);
    } else if (auto *box = qobject_cast<QGroupBox *>(control)) {
        box->setTitle(text);
    } else if (const int page = form.PageControl1->indexOf(control); page >= 0) {
        form.PageControl1->setTabText(page, text);
    }
}

void ApplyStartupTexts(Tmainform1 &form)
{
    for (const ControlCaption &caption : StartupCaptions()) {
        if (auto *control = form.findChild<QWidget *>(QLatin1String(caption.control)))
            SetCaption(form, control, QString::fromUtf8(caption.text));
        else
            qWarning("No control %s for its caption", caption.control);
    }

    const auto comboItems = StartupComboItems();
    for (const ComboItems &entry : comboItems) {
        if (auto *box = form.findChild<TComboBox *>(QLatin1String(entry.control)))
            box->setItems(entry.items);
        else
            qWarning("No combo box %s for its items", entry.control);
    }

    SetDisplayFormat(form.DateTimePicker3, QLocale::system().dateFormat(QLocale::ShortFormat));
    for (QDateTimeEdit *picker : { form.DateTimePicker1, form.DateTimePicker2, form.DateTimePicker4 })
        picker->setDisplayFormat(SystemTimeFormat());

    PutValues(form, StartupParameterValues());

    for (const ComboItems &entry : comboItems) {
        auto *box = form.findChild<TComboBox *>(QLatin1String(entry.control));
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
