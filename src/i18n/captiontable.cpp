#include "i18n/captiontable.h"

#include "i18n/formtexts.h"

#include <QLatin1StringView>

#include <algorithm>
#include <string_view>

// clang-format off
constexpr std::array<const char *, CaptionCount> CaptionControls{
    "GroupBox1", "Label1", "Label2", "Label3", "Label4", "Label5",
    "GroupBox2", "Label6", "Label7", "Label8",
    "GroupBox3", "Label9", "Label10", "Label15", "Label16", "Label17", "Label18", "Label19", "Label20",
    "Label11", "Label12", "Label13", "Label14",
    "Button1", "Button2", "Button3",
    "Label21", "Label22", "Label23", "Label24", "Label26", "Label27", "Label31", "Label32", "Label33", "Label34",
    "Label39", "Label40", "Label41", "Label42", "Label44", "Label45", "Label49",
};

constexpr std::array<const char *, ItemListCount> ItemListControls{
    "rslcmb", "intvcmb", "mtcmb", "modecmb", "motcmb", "passcmb", "ComboBox1", "ComboBox2", "ComboBox5", "ComboBox6",
};
// clang-format on

namespace {

constexpr std::size_t MaxItems = 9;

// One row of a language block: every control it names (separated by blanks)
// takes these texts. A caption has one text. An item list gives its items by
// position; an item left out (Keep, or not written at the end) keeps the text
// of the language the block builds on.
struct Change
{
    std::string_view controls;
    std::array<const char16_t *, MaxItems> texts;
};

constexpr const char16_t *Keep = nullptr;

// clang-format off

// English differs from the window's start-up texts only in these lists.
constexpr Change English[] = {
    {"intvcmb", {Keep, u"5 Second", u"10 Second", u"30 Second"}},
    {"modecmb", {Keep, Keep, u"Camera&video", u"TimeLapse"}},
    {"ComboBox2 ComboBox6", {Keep, u"Auto"}},
};

constexpr Change Francais[] = {
    {"GroupBox1", {u"appareil photo"}},
    {"Label1 Label6", {u"Résolution"}},
    {"GroupBox2", {u"Vidéo"}},
    {"Label7", {u"Durée de la vidéo"}},
    {"Label10", {u"Langues"}},
    {"Label16", {u"Mode de TV"}},
    {"Label17", {u"Date/Heure"}},
    {"mtcmb", {u"Simple"}},
    {"modecmb", {u"appareil photo", u"vidéo", u"appareil photoet vidéo"}},
    {"motcmb", {u"Supérieur", Keep, u"Faible"}},
};

// German keeps the English motion sensitivities.
constexpr Change Deutsch[] = {
    {"Label1 Label6", {u"Auflösung"}},
    {"Label9", {u"Modus"}},
    {"Label10", {u"Sprache"}},
    {"intvcmb", {u"1 Sek", u"5 Sek", u"10 Sek", u"30 Sek"}},
};

constexpr Change Italiano[] = {
    {"Label1 Label6", {u"Risoluzione"}},
    {"Label7", {u"Durata video"}},
    {"Label9", {u"Modalità"}},
    {"Label10", {u"Lingua"}},
};

constexpr Change Espanol[] = {
    {"Label1 Label6", {u"Resolución"}},
    {"Label9", {u"Modo"}},
    {"Label10", {u"Idioma"}},
};

constexpr Change Portugues[] = {
    {"GroupBox1", {u"Câmara"}},
    {"Label1 Label6", {u"Resolução"}},
    {"Label7", {u"Duração do vídeo"}},
    {"Label9", {u"Modo"}},
    {"Label10", {u"Idioma"}},
    {"Label15", {u"PIR Sensitivity"}},
    {"Label17", {u"Data/Hora"}},
    {"Label21", {u"MMS Ligado/Desligado"}},
    {"Label39", {u"SMTP Ligado/Desligado"}},
    {"passcmb ComboBox1 ComboBox5", {u"Desligado", u"Ligado"}},
};

constexpr Change Hrvatski[] = {
    {"GroupBox1", {u"Fotoaparat"}},
    {"Label1 Label6", {u"Rezolucija"}},
    {"Label3", {u"Sekvenca"}},
    {"Label7", {u"Duljina videa"}},
    {"GroupBox3", {u"Postavke"}},
    {"Label9", {u"Mod"}},
    {"Label10", {u"Jezik"}},
    {"Label15", {u"PIR Sensitivity"}},
    {"Label16", {u"TV mod"}},
    {"Label17", {u"Datum/Vrijeme"}},
};

constexpr Change Dansk[] = {
    {"GroupBox1", {u"Kamera"}},
    {"Label1 Label6", {u"Opløsning"}},
    {"Label7", {u"Video Længde"}},
    {"Label9", {u"Tilstand"}},
    {"Label10", {u"Sprog"}},
    {"Label15", {u"PIR Sensitivity"}},
    {"Label16", {u"TV Tilstand"}},
    {"Label17", {u"Dato/Tid"}},
};

constexpr Change Svenska[] = {
    {"GroupBox1", {u"Kamera"}},
    {"Label1 Label6", {u"Upplösning"}},
    {"Label7", {u"Videolängd"}},
    {"Label9", {u"Läge"}},
    {"Label10", {u"Språk"}},
    {"Label15", {u"PIR Sensitivity"}},
    {"Label16", {u"TV-läge"}},
    {"Label17", {u"Datum/Tid"}},
};

constexpr Change Suomi[] = {
    {"GroupBox1", {u"Kamera"}},
    {"Label1 Label6", {u"Ratkaisu"}},
    {"Label3", {u"Monta"}},
    {"Label7", {u"Videon pituus"}},
    {"Label9", {u"Tila"}},
    {"Label10", {u"Kieli"}},
    {"Label15", {u"PIR Sensitivity"}},
    {"Label16", {u"TV-tila"}},
    {"Label17", {u"Päiväys/kellonaika"}},
};

constexpr Change Polski[] = {
    {"GroupBox1", {u"Tryb zdjęć"}},
    {"Label1 Label6", {u"Rozwiązanie"}},
    {"GroupBox2", {u"Tryb wideo"}},
    {"GroupBox3", {u"Ustawienia"}},
    {"Label9", {u"Tryb"}},
    {"Label10", {u"Język"}},
    {"Label15", {u"Wykrywanie ruchu"}},
    {"Label16", {u"Tryb TV"}},
    {"Label17", {u"Data/Czas"}},
    {"Label18", {u"Format Daty"}},
    {"Label19", {u"Staus hasła"}},
    {"Label20 Label27 Label45 Label49", {u"Hasło"}},
    {"Label11", {u"Czas działania"}},
    {"Label12", {u"Czas rozpoczęcia"}},
    {"Label13", {u"Czas zakończenia"}},
    {"Label14", {u"Czas 1"}},
    {"Button1", {u"Otwórz plik"}},
    {"Button2", {u"Domyślnie"}},
    {"Button3", {u"Zapisz"}},
    {"Label21", {u"Status MMS"}},
    {"Label22", {u"Tryb MMS"}},
    {"Label23 Label41", {u"Kraj"}},
    {"Label26 Label44", {u"Nazwa użytkownika"}},
    {"Label31", {u"Telefon 1"}},
    {"Label32", {u"Telefon 2"}},
    {"Label33", {u"Telefon 3"}},
    {"Label34", {u"Telefon 4"}},
    {"Label39", {u"Status SMTP"}},
    {"Label40", {u"Tryb SMTP"}},
    {"intvcmb", {u"1 Sekunda", u"5 sekund", u"10 sekund", u"30 sekund", u"1 Minuta", u"2 Minut", u"5 Minut",
                 u"10 Minut", u"30 Minut"}},
    {"mtcmb", {u"Pojedycze", u"3 zdjęć", u"6 zdjęć", u"9 zdjęć"}},
    {"modecmb", {u"Zdjęć", u"Wideo", u"Zdjęć&Wideo"}},
    {"motcmb", {u"Wysoki", u"Normalny", u"Niski"}},
    {"passcmb ComboBox1 ComboBox5", {u"wyłącz", u"włącz"}},
    {"ComboBox2 ComboBox6", {u"Ręczne ust.", u"Auto ust."}},
};

// Label21 writes "MMC" in Latin capitals, Label22 "ММС" in Cyrillic ones.
constexpr Change Russkij[] = {
    {"GroupBox1", {u"Фото"}},
    {"Label1 Label6", {u"Разрешение"}},
    {"Label2", {u"Временной интервал"}},
    {"Label3", {u"Серия"}},
    {"GroupBox2", {u"Видео"}},
    {"Label7", {u"Длина Видео"}},
    {"Label8", {u"Звук"}},
    {"GroupBox3", {u"Настройки"}},
    {"Label9", {u"Режим"}},
    {"Label10", {u"Язык"}},
    {"Label15", {u"Уровень PIR"}},
    {"Label16", {u"Режим TV"}},
    {"Label17", {u"Дата / время"}},
    {"Label18", {u"Формат даты"}},
    {"Label19", {u"Пароль вкл/выкл"}},
    {"Label20 Label27 Label45 Label49", {u"Пароль"}},
    {"Label11", {u"Таймер"}},
    {"Label12", {u"Начало"}},
    {"Label13", {u"Конец"}},
    {"Label14", {u"Таймер1"}},
    {"Button1", {u"Нагрузка"}},
    {"Button2", {u"Сброс"}},
    {"Button3", {u"Сохранить"}},
    {"Label21", {u"MMC вкл/выкл"}},
    {"Label22", {u"Настройка ММС"}},
    {"Label23 Label41", {u"Страна"}},
    {"Label24 Label42", {u"Оператор"}},
    {"Label26 Label44", {u"Аккаунт"}},
    {"Label31", {u"Телефон 1"}},
    {"Label32", {u"Телефон 2"}},
    {"Label33", {u"Телефон 3"}},
    {"Label34", {u"Телефон 4"}},
    {"Label39", {u"SMTP вкл/выкл"}},
    {"Label40", {u"SMTP Установка"}},
    {"intvcmb", {u"1 секунда", u"5 секунда", u"10 секунда", u"30 секунда", u"1 минута", u"2 минута", u"5 минута",
                 u"10 минута", u"30 минута"}},
    {"mtcmb", {u"Один", u"3 фото", u"6 фото", u"9 фото"}},
    {"modecmb", {u"Фото", u"Видео", u"Фото&Видео"}},
    {"motcmb", {u"Высокая", u"Средняя", u"Низкая"}},
    {"passcmb ComboBox1 ComboBox5", {u"выкл", u"вкл"}},
    {"ComboBox6", {u"Ручная", u"Авто"}},
};

constexpr Change Cesky[] = {
    {"GroupBox1", {u"Kamera"}},
    {"Label1 Label6", {u"Rozlišení"}},
    {"Label3", {u"Sekvence"}},
    {"Label7", {u"Délka videa"}},
    {"GroupBox3", {u"Nastavení"}},
    {"Label9", {u"Režim"}},
    {"Label10", {u"Jazyk"}},
    {"Label15", {u"Detekce pohybu"}},
    {"Label16", {u"TV režim"}},
    {"Label17", {u"Datum/Čas"}},
    {"Label18", {u"Formát data"}},
    {"Label19", {u"Heslo ZAP/VYP"}},
    {"Label20 Label27 Label45 Label49", {u"Heslo"}},
    {"Label11", {u"Časovač"}},
    {"Label12", {u"Start"}},
    {"Label13", {u"Konec"}},
    {"Label14", {u"Časovač 1"}},
    {"Button1", {u"Nahrát"}},
    {"Button2", {u"Původní"}},
    {"Button3", {u"Uložit"}},
    {"Label21", {u"MMS ZAP/VYP"}},
    {"Label22", {u"MMS REŽIM"}},
    {"Label23 Label41", {u"Země"}},
    {"Label24 Label42", {u"Operátor"}},
    {"Label26 Label44", {u"Účet"}},
    {"Label31", {u"Telefone 1"}},
    {"Label32", {u"Telefone 2"}},
    {"Label33", {u"Telefone 3"}},
    {"Label34", {u"Telefone 4"}},
    {"Label39", {u"SMTP ZAP/VYP"}},
    {"Label40", {u"SMTP REŽIM"}},
    {"rslcmb", {u"20 MPix", u"16 MPix", u"12 MPix"}},
    {"intvcmb", {u"1 sekunda", u"5 sekunda", u"10 sekunda", u"30 sekunda", u"1 minuta", u"2 minuta", u"5 minuta",
                 u"10 minuta", u"30 minuta"}},
    {"mtcmb", {u"Jeden", u"3 obrázky", u"6 obrázky", u"9 obrázky"}},
    {"modecmb", {u"Kamera", Keep, u"Kamera&video", u"Časový sběr"}},
    {"motcmb", {u"Vysoká", u"Normální", u"Nízká"}},
    {"passcmb ComboBox1 ComboBox5", {u"VYP", u"ZAP"}},
    {"ComboBox2 ComboBox6", {u"Ruční"}},
};

// Built on Česky.
constexpr Change Slovensky[] = {
    {"motcmb", {Keep, u"Stredná"}},
};

constexpr Change Nederlands[] = {
    {"GroupBox1", {u"Foto"}},
    {"Label1", {u"resolutie"}},
    {"Label3", {u"Serieopname"}},
    {"Label6", {u"Videoresolutie"}},
    {"Label7", {u"Video Lengte"}},
    {"GroupBox3", {u"Instellen"}},
    {"Label9", {u"Modus"}},
    {"Label10", {u"Taal"}},
    {"Label15", {u"PIR Gevoeligheid"}},
    {"Label16", {u"TV Modus"}},
    {"Label17", {u"Datum/Tijd"}},
    {"Label19", {u"Wachtwoord"}},
};

// clang-format on

// One row per language, in the order of the language box: its name as the box
// shows it (in the language itself, whatever language the window shows), the
// language whose texts its block changes, and the block. English alone starts
// from the window's start-up texts. src/i18n/CMakeLists.txt counts these rows
// (one a line, each starting `{u"`) for the manual page and the AppStream file.
struct Language
{
    std::u16string_view name;
    std::u16string_view base;
    std::span<const Change> changes;
};

constexpr std::u16string_view StartupTexts;

// clang-format off
constexpr Language Languages[] = {
    {u"English", StartupTexts, English},
    {u"Français", u"English", Francais},
    {u"Deutsch", u"English", Deutsch},
    {u"Italiano", u"English", Italiano},
    {u"Español", u"English", Espanol},
    {u"Português", u"English", Portugues},
    {u"Hrvatski", u"English", Hrvatski},
    {u"Dansk", u"English", Dansk},
    {u"Svenska", u"English", Svenska},
    {u"Suomi", u"English", Suomi},
    {u"Polski", u"English", Polski},
    {u"Русский", u"English", Russkij},
    {u"Česky", u"English", Cesky},
    {u"Slovensky", u"Česky", Slovensky},
    {u"Nederlands", u"English", Nederlands},
};
// clang-format on

static_assert(std::size(Languages) == LanguageCount,
    "LanguageCount comes from the rows that src/i18n/CMakeLists.txt counts: one row a line, starting {u\"");

constexpr int LanguageIndex(std::u16string_view name)
{
    for (std::size_t i = 0; i < std::size(Languages); ++i) {
        if (Languages[i].name == name)
            return static_cast<int>(i);
    }
    return -1;
}

template <std::size_t N> constexpr int IndexOf(const std::array<const char *, N> &names, std::string_view name)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (name == names[i])
            return static_cast<int>(i);
    }
    return -1;
}

template <typename Function> constexpr void ForEachControl(std::string_view controls, Function function)
{
    while (!controls.empty()) {
        const auto blank = controls.find(' ');
        function(controls.substr(0, blank));
        controls = blank == std::string_view::npos ? std::string_view() : controls.substr(blank + 1);
    }
}

// A misspelt control name or a caption row with more than one text would
// otherwise only show up as a wrong window.
constexpr bool IsWellFormed(const Change &change)
{
    bool ok = !change.controls.empty();
    ForEachControl(change.controls, [&](std::string_view control) {
        if (IndexOf(CaptionControls, control) >= 0)
            ok = ok && change.texts[0]
                && std::all_of(change.texts.begin() + 1, change.texts.end(), [](auto t) { return !t; });
        else
            ok = ok && IndexOf(ItemListControls, control) >= 0
                && std::any_of(change.texts.begin(), change.texts.end(), [](auto t) { return t; });
    });
    return ok;
}

// A block builds on a language above it; only the first starts from the
// start-up texts. Two rows of one name would make the second unreachable.
constexpr bool IsWellFormed(int index, const Language &language)
{
    const int base = LanguageIndex(language.base);
    return LanguageIndex(language.name) == index && !language.name.empty()
        && (language.base == StartupTexts ? index == 0 : base >= 0 && base < index)
        && std::all_of(language.changes.begin(), language.changes.end(),
            [](const Change &change) { return IsWellFormed(change); });
}

constexpr bool AllWellFormed()
{
    for (std::size_t i = 0; i < std::size(Languages); ++i) {
        if (!IsWellFormed(static_cast<int>(i), Languages[i]))
            return false;
    }
    return true;
}

static_assert(AllWellFormed());

QLatin1StringView Latin1(const char *text)
{
    return QLatin1StringView(text);
}

CaptionEntry StartupEntry()
{
    CaptionEntry entry;
    for (std::size_t i = 0; i < CaptionCount; ++i)
        entry.captions[i] = StartupCaption(Latin1(CaptionControls[i]));
    for (std::size_t k = 0; k < ItemListCount; ++k) {
        const ComboItems *box = FindStartupComboItems(Latin1(ItemListControls[k]));
        Q_ASSERT(box);
        entry.items[k] = box->items;
    }
    return entry;
}

void Apply(CaptionEntry &entry, const Change &change)
{
    ForEachControl(change.controls, [&](std::string_view control) {
        if (const int i = IndexOf(CaptionControls, control); i >= 0) {
            entry.captions[static_cast<std::size_t>(i)] = QString::fromUtf16(change.texts[0]);
            return;
        }
        QStringList &items = entry.items[static_cast<std::size_t>(IndexOf(ItemListControls, control))];
        for (std::size_t n = 0; n < MaxItems; ++n) {
            const char16_t *text = change.texts[n];
            if (!text)
                continue;
            const auto position = static_cast<qsizetype>(n);
            Q_ASSERT_X(position <= items.size(), "CaptionTable", "an item list has a gap");
            if (position < items.size())
                items[position] = QString::fromUtf16(text);
            else
                items.append(QString::fromUtf16(text));
        }
    });
}

std::array<CaptionEntry, LanguageCount> BuildTable()
{
    std::array<CaptionEntry, LanguageCount> table;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Language &language = Languages[i];
        table[i] = language.base == StartupTexts ? StartupEntry()
                                                 : table[static_cast<std::size_t>(LanguageIndex(language.base))];
        for (const Change &change : language.changes)
            Apply(table[i], change);
    }
    return table;
}

} // namespace

const CaptionEntry &CaptionTable(int language)
{
    static const std::array<CaptionEntry, LanguageCount> table = BuildTable();
    const bool known = language >= 0 && language < LanguageCount;
    Q_ASSERT_X(known, "CaptionTable", "no such language");
    return table[static_cast<std::size_t>(known ? language : 0)];
}

QStringList LanguageNames()
{
    QStringList names;
    for (const Language &language : Languages)
        names << QString::fromUtf16(language.name.data(), static_cast<qsizetype>(language.name.size()));
    return names;
}

int MostItems(QAnyStringView control)
{
    const ComboItems *startup = FindStartupComboItems(control);
    qsizetype most = startup ? startup->items.size() : 0;
    const auto row = std::find_if(ItemListControls.begin(), ItemListControls.end(),
        [control](const char *name) { return control == QLatin1StringView(name); });
    if (row != ItemListControls.end()) {
        for (int language = 0; language < LanguageCount; ++language)
            most = std::max(most, CaptionTable(language).items.at(std::size_t(row - ItemListControls.begin())).size());
    }
    return static_cast<int>(most);
}
