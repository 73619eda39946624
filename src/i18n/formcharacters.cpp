// Prints, as UTF-8 on one line, every character the form can show in its own
// face: the captions and items of the start-up form and of every language,
// the preset tables, printable ASCII and the Windows-1252 repertoire a loaded
// file may bring. The web build cuts the form's embedded face to them, so a
// new caption brings its glyphs.
#include "i18n/captiontable.h"
#include "i18n/formtexts.h"
#include "presets/presets.h"
#include "settings/codepage.h"

#include <QSet>

#include <algorithm>
#include <cstdio>

namespace {

class Characters
{
public:
    void add(const QString &text)
    {
        for (const char32_t c : text.toUcs4())
            if (c >= 0x20 && !(c >= 0x7f && c < 0xa0))
                seen.insert(c);
    }
    void add(const char *utf8) { add(QString::fromUtf8(utf8)); }
    void add(const QStringList &texts)
    {
        for (const QString &text : texts)
            add(text);
    }
    void addCarriers(std::span<const CountryPresets> table)
    {
        for (const CountryPresets &country : table) {
            add(country.name);
            for (const CarrierPreset &carrier : country.operators)
                add(carrier.name);
        }
    }
    QByteArray sorted() const
    {
        QList<char32_t> all(seen.begin(), seen.end());
        std::sort(all.begin(), all.end());
        return QString::fromUcs4(all.constData(), all.size()).toUtf8();
    }

private:
    QSet<char32_t> seen;
};

} // namespace

int main()
{
    Characters characters;
    QByteArray bytes;
    for (int b = 0x20; b <= 0xff; ++b)
        bytes.append(static_cast<char>(b));
    characters.add(DecodeCodePage(bytes));
    characters.add(WindowCaption());
    for (const ControlCaption &caption : StartupCaptions())
        characters.add(caption.text);
    for (const ComboItems &items : StartupComboItems()) {
        characters.add(items.items);
        characters.add(items.initialText);
    }
    for (int language = 0; language < LanguageCount; ++language) {
        const CaptionEntry &entry = CaptionTable(language);
        for (const QString &caption : entry.captions)
            characters.add(caption);
        for (const QStringList &items : entry.items)
            characters.add(items);
    }
    characters.addCarriers(MmsPresets());
    characters.addCarriers(SmtpPresets());
    characters.addCarriers(FtpPresets());
    for (const MailServerPreset &preset : MailServerPresets())
        characters.add(preset.item);
    for (const char *name : SmtpStartupOperators())
        characters.add(name);
    const QByteArray line = characters.sorted() + '\n';
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
    return 0;
}
