#include "app/formlook.h"

#include "app/application.h"
#include "app/mainform.h"

#include <QLocale>

namespace {

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

} // namespace

void ApplyStyle(Tmainform1 &form)
{
    const QColor face = form.palette().color(QPalette::Window);
    QPalette background = form.palette();
    background.setColor(QPalette::Window, WindowBackground);
    // Not ButtonText: the arrows of the timer pickers are disabled at the ends of the day and keep their faint look.
    for (const QPalette::ColorRole role : { QPalette::Text, QPalette::WindowText })
        background.setColor(QPalette::Disabled, role, DisabledText);
    form.setPalette(background);
    QPalette pages = form.PageControl1->palette();
    pages.setColor(QPalette::Window, face);
    form.PageControl1->setPalette(pages);
    for (QWidget *page : { form.TabSheet1, form.TabSheet2, form.TabSheet3, form.TabSheet4 })
        page->setAutoFillBackground(true);
}

void ApplyFonts(Tmainform1 &form)
{
    form.setFont(FormFont(10, false));
    for (QPushButton *button : form.findChildren<QPushButton *>(Qt::FindDirectChildrenOnly))
        button->setFont(FormFont(17, true));
    form.PageControl1->setFont(FormFont(16, true));

    // On MENU the group captions are bold and larger than what they hold, the
    // pickers smaller. On the other pages the edits are small, but for the
    // phone numbers and mail addresses to send to, as large as their captions.
    const QList<const QGroupBox *> recipients { form.GroupBox8, form.GroupBox9, form.GroupBox14 };
    for (int page = 0; page < form.PageControl1->count(); ++page) {
        const bool menu = form.PageControl1->widget(page) == form.TabSheet1;
        const auto groups = form.PageControl1->widget(page)->findChildren<QGroupBox *>(Qt::FindDirectChildrenOnly);
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

QString SystemTimeFormat()
{
    // Drops each whole word of "t"s, the zone, with the spaces before it. By
    // hand: a regular expression costs the web page tens of milliseconds at start.
    const QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    const auto inWord = [&format](qsizetype i) {
        return i >= 0 && i < format.size() && (format[i].isLetterOrNumber() || format[i] == u'_');
    };
    QString kept;
    for (qsizetype i = 0; i < format.size();) {
        qsizetype end = i;
        while (end < format.size() && format[end] == u't')
            ++end;
        if (end > i && !inWord(i - 1) && !inWord(end)) {
            while (!kept.isEmpty() && kept.back().isSpace())
                kept.chop(1);
            i = end;
        } else {
            kept += format.mid(i, std::max<qsizetype>(end - i, 1));
            i = std::max(end, i + 1);
        }
    }
    return kept.trimmed();
}

void SetDisplayFormat(QDateTimeEdit *picker, const QString &format)
{
    const QDateTime value = picker->dateTime();
    picker->setDisplayFormat(format);
    picker->setDateTime(value);
}
