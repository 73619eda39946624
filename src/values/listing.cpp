#include "values/listing.h"

#include "i18n/captiontable.h"
#include "i18n/formtexts.h"
#include "settings/parameterfields.h"

#include <QDate>
#include <QStringList>
#include <QTime>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

// Captions and items of the window in one language: what the language switch
// retitles or rebuilds comes from the caption table, the rest from the
// window's start-up texts. A file whose language names none of the 15 lists
// in the start-up texts alone, as a window shows them before any switch.
class ListingTexts
{
public:
    explicit ListingTexts(int language)
        : m_entry(language >= 0 && language < LanguageCount ? &CaptionTable(language) : nullptr)
    {
    }

    QString caption(const char *control) const
    {
        if (const int row = rowOf(CaptionControls, control); m_entry && row >= 0)
            return m_entry->captions.at(static_cast<std::size_t>(row));
        return StartupCaption(QLatin1StringView(control)).trimmed();
    }

    // The item that `index` names, or "no selection".
    QString item(const char *control, int index) const
    {
        QStringList items;
        if (const int row = rowOf(ItemListControls, control); m_entry && row >= 0)
            items = m_entry->items.at(static_cast<std::size_t>(row));
        else if (const ComboItems *box = FindStartupComboItems(QLatin1StringView(control)))
            items = box->items;
        return index >= 0 && index < items.size() ? items.at(index) : noSelection();
    }

    QString noSelection() const { return QStringLiteral("no selection"); }

private:
    template <std::size_t N> static int rowOf(const std::array<const char *, N> &controls, const char *control)
    {
        const auto found = std::find_if(
            controls.begin(), controls.end(), [control](const char *name) { return std::strcmp(name, control) == 0; });
        return found == controls.end() ? -1 : static_cast<int>(found - controls.begin());
    }

    const CaptionEntry *m_entry;
};

// The window shows the security choice as three radio buttons without a label.
constexpr const char *SecurityChoices[] = { "RadioButton1", "RadioButton2", "RadioButton3" };

QString two(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString timeText(const TimeOfDay &time)
{
    QString text = two(time.hour) + QLatin1Char(':') + two(time.minute) + QLatin1Char(':') + two(time.second);
    if (!QTime::isValid(time.hour, time.minute, time.second))
        text += QStringLiteral(" (not a valid time)");
    return text;
}

// In English, as the notes are: no caption of the window names the time a file
// was saved.
QString clockLine(const ClockValue &clock)
{
    QString text = QStringLiteral("Clock: %1-%2-%3 %4:%5:%6")
                       .arg(clock.year)
                       .arg(two(clock.month), two(clock.day), two(clock.hour), two(clock.minute), two(clock.second));
    // The file keeps two digits of the year.
    const bool valid = clock.year < 2100 && QDate::isValid(clock.year, clock.month, clock.day)
        && QTime::isValid(clock.hour, clock.minute, clock.second);
    text += valid ? QStringLiteral(" (the time of saving)\n") : QStringLiteral(" (not a valid date and time)\n");
    return text;
}

QString label(const ListingCaption &listing, const ListingTexts &texts)
{
    QStringList words;
    for (const char *control : { listing.qualifier, listing.subQualifier }) {
        if (control)
            words << texts.caption(control);
    }
    words << (listing.label ? texts.caption(listing.label) : QStringLiteral("Security"));
    return words.join(QLatin1Char(' '));
}

QString value(const ParameterField &field, const ParameterValues &values, const ListingTexts &texts)
{
    switch (field.kind) {
    case FieldKind::Index:
    case FieldKind::Switch:
        return texts.item(field.name, values.*field.index);
    case FieldKind::Text:
        // A shared file is a stranger's input: an escape sequence or a line
        // break of its own must not reach the terminal as such.
        return EscapeControls(values.*field.text);
    case FieldKind::Clock:
        break;
    case FieldKind::Time:
        return timeText(values.*field.time);
    case FieldKind::Security: {
        const int choice = static_cast<int>(values.*field.security);
        return choice < int(std::size(SecurityChoices)) ? texts.caption(SecurityChoices[choice]) : texts.noSelection();
    }
    }
    return {};
}

} // namespace

QString ParameterListing(const ParameterValues &values, int language)
{
    const ListingTexts texts(language);
    QString text = values.clock ? clockLine(*values.clock) : QString();
    for (const ParameterField &field : ParameterFields) {
        // Listed first, if at all.
        if (field.kind == FieldKind::Clock)
            continue;
        const QString shown = value(field, values, texts);
        text += label(field.listing, texts) + QLatin1Char(':');
        if (!shown.isEmpty())
            text += QLatin1Char(' ') + shown;
        text += QLatin1Char('\n');
    }
    return text;
}
