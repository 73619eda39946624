#include "settings/escaping.h"

#include <algorithm>

namespace {

// C0 controls, DEL, the C1 controls, the separators that a message box or a
// terminal may take as a line break, and the marks that reorder text shown
// after them (U+202E turns "txt.exe" round).
bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x061c || c == 0x200e || c == 0x200f
        || (c >= 0x2028 && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069);
}

QString escaped(const QString &text, bool (*escapes)(char16_t))
{
    const auto escapesChar = [escapes](QChar c) { return escapes(c.unicode()); };
    if (std::none_of(text.begin(), text.end(), escapesChar))
        return text;
    QString result;
    for (const QChar c : text) {
        if (!escapesChar(c)) {
            result += c;
            continue;
        }
        if (const qsizetype named = QStringView(u"\b\f\n\r\t").indexOf(c); named >= 0)
            result.append(QLatin1Char('\\')).append(QLatin1Char("bfnrt"[named]));
        else
            result += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0'));
    }
    return result;
}

} // namespace

QString EscapeControls(const QString &text)
{
    return escaped(text, isControl);
}

QString EscapeJsonControls(const QString &json)
{
    // Qt escapes the C0 controls in strings itself; the line breaks between members stay.
    return escaped(json, [](char16_t c) { return c >= 0x20 && isControl(c); });
}
