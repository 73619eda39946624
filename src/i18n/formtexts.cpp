#include "i18n/formtexts.h"

#include "presets/presets.h"

#include <QLatin1StringView>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {

// clang-format off
// In the window's order, page by page; caption-less group boxes have no entry.
constexpr ControlCaption Captions[] = {
    {"Button1", "Load"},
    {"Button2", "Default"},
    {"Button3", "Save"},
    {"TabSheet1", "     MENU     "},
    {"TabSheet2", "     MMS     "},
    {"TabSheet3", "     SMTP     "},
    {"TabSheet4", "     FTP      "},

    {"GroupBox1", "Camera"},
    {"Label1", "Resolution"},
    {"Label2", "Interval"},
    {"Label3", "Sequence"},
    {"Label4", "ISO"},
    {"Label5", "ID"},
    {"GroupBox2", "Video"},
    {"Label6", "Resolution"},
    {"Label7", "Video Length"},
    {"Label8", "Voice"},
    {"GroupBox3", "Setup"},
    {"Label9", "Mode"},
    {"Label10", "Language"},
    {"Label15", "Motion detetion"},
    {"Label16", "TV Mode"},
    {"Label17", "Date/Time"},
    {"Label18", "Date Format"},
    {"Label19", "Password ON/OFF"},
    {"Label20", "Password"},
    {"Label11", "Timer"},
    {"Label12", "Start Time"},
    {"Label13", "End Time"},
    {"Label14", "Timer1"},

    {"Label21", "MMS ON/OFF"},
    {"Label22", "MMS MODE"},
    {"Label23", "Country"},
    {"Label24", "Operator"},
    {"Label25", "APN"},
    {"Label26", "Username"},
    {"Label27", "Password"},
    {"Label28", "MMSC"},
    {"Label29", "MMS PROXY"},
    {"Label30", "MMS PORT"},
    {"Label31", "Phone 1"},
    {"Label32", "Phone 2"},
    {"Label33", "Phone 3"},
    {"Label34", "Phone 4"},
    {"Label35", "Email 1"},
    {"Label36", "Email 2"},
    {"Label37", "Email 3"},
    {"Label38", "Email 4"},

    {"Label39", "SMTP ON/OFF"},
    {"Label40", "SMTP MODE"},
    {"Label41", "Country"},
    {"Label42", "Operator"},
    {"Label43", "APN"},
    {"Label44", "Username"},
    {"Label45", "Password"},
    {"Label46", "Mail Server"},
    {"Label47", "Server"},
    {"Label48", "Username"},
    {"Label49", "Password"},
    {"Label50", "PORT"},
    {"RadioButton1", "NO SSL"},
    {"RadioButton2", "SSL"},
    {"RadioButton3", "STARTTLS"},
    {"Label51", "Email1"},
    {"Label52", "Email2"},
    {"Label53", "Email3"},

    {"Label54", "FTP ON/OFF"},
    {"Label62", "Server"},
    {"Label61", "Port"},
    {"Label55", "Path"},
    {"Label65", "Account"},
    {"Label64", "Password"},
    {"Label56", "Country"},
    {"Label57", "Operator"},
    {"Label58", "APN"},
    {"Label59", "Username"},
    {"Label60", "Password"},
};

// clang-format on

// The FTP boxes show this country and its operators without selecting either.
constexpr std::size_t FtpStartupCountry = 2;

QStringList countryNames(std::span<const CountryPresets> table)
{
    QStringList names;
    for (const CountryPresets &country : table)
        names << QString::fromUtf8(country.name);
    return names;
}

QStringList operatorNames(std::span<const CarrierPreset> operators)
{
    QStringList names;
    for (const CarrierPreset &carrier : operators)
        names << QString::fromUtf8(carrier.name);
    return names;
}

QStringList operatorNames(std::span<const CountryPresets> table, std::size_t country)
{
    return country < table.size() ? operatorNames(table[country].operators) : QStringList();
}

QStringList mailServerItems()
{
    QStringList items;
    for (const MailServerPreset &server : MailServerPresets())
        items << QString::fromUtf8(server.item);
    return items;
}

QStringList smtpStartupItems()
{
    QStringList items;
    for (const char *name : SmtpStartupOperators())
        items << QString::fromUtf8(name);
    return items;
}

QString ftpStartupCountry()
{
    const auto table = FtpPresets();
    return FtpStartupCountry < table.size() ? QString::fromUtf8(table[FtpStartupCountry].name) : QString();
}

QString ftpStartupOperator()
{
    const QStringList operators = operatorNames(FtpPresets(), FtpStartupCountry);
    return operators.value(0);
}

auto buildComboItems()
{
    const QStringList offOn { u"OFF"_s, u"ON"_s };
    const QStringList manualAuto { u"Manual"_s, u"AUTO"_s };

    // clang-format off
    return std::array{
        ComboItems{"rslcmb", {u"20M"_s, u"16M"_s, u"12M"_s}, {}},
        ComboItems{"intvcmb", {u"1 Second"_s, u"5 Seconds"_s, u"10 Seconds"_s, u"30 Seconds"_s, u"1 Minute"_s,
                               u"2 Minutes"_s, u"5 Minutes"_s, u"10 Minutes"_s, u"30 Minutes"_s}, {}},
        ComboItems{"mtcmb", {u"Single"_s, u"3 Pictures"_s, u"6 Pictures"_s, u"9 Pictures"_s}, {}},
        ComboItems{"isocmb", {u"AUTO"_s, u"100"_s, u"200"_s, u"400"_s}, {}},
        ComboItems{"rslvcmb", {u"2K"_s, u"1080P"_s, u"720P"_s, u"WVGA"_s}, {}},
        ComboItems{"vdlcmb", {u"10s"_s, u"30s"_s, u"60s"_s, u"90s"_s}, {}},
        ComboItems{"vccmb", offOn, {}},
        ComboItems{"modecmb", {u"Camera"_s, u"Video"_s, u"Camera&Video"_s}, {}},
        ComboItems{"langcmb", LanguageNames(), {}},
        ComboItems{"motcmb", {u"High"_s, u"Normal"_s, u"Low"_s}, {}},
        ComboItems{"tvcmb", {u"NTSC"_s, u"PAL"_s}, {}},
        ComboItems{"dtfmtcmb", {u"YY/MM/DD"_s, u"DD/MM/YY"_s, u"MM/DD/YY"_s}, {}},
        ComboItems{"passcmb", offOn, {}},

        ComboItems{"ComboBox1", offOn, {}},
        ComboItems{"ComboBox2", manualAuto, {}},
        ComboItems{"ComboBox3", countryNames(MmsPresets()), {}},
        ComboItems{"ComboBox4", operatorNames(MmsPresets(), 0), {}},

        ComboItems{"ComboBox5", offOn, u"OFF"_s},
        ComboItems{"ComboBox6", manualAuto, u"AUTO"_s},
        ComboItems{"ComboBox7", countryNames(SmtpPresets()), {}},
        ComboItems{"ComboBox8", smtpStartupItems(), {}},
        ComboItems{"ComboBox9", mailServerItems(), {}},

        ComboItems{"ComboBox10", offOn, u"OFF"_s},
        ComboItems{"ComboBox12", countryNames(FtpPresets()), ftpStartupCountry()},
        ComboItems{"ComboBox13", operatorNames(FtpPresets(), FtpStartupCountry), ftpStartupOperator()},
    };
    // clang-format on
}

} // namespace

QString WindowCaption()
{
    return u"4G Trail camera Setting"_s;
}

std::span<const ControlCaption> StartupCaptions()
{
    return Captions;
}

QString StartupCaption(QAnyStringView control)
{
    const auto found = std::find_if(std::begin(Captions), std::end(Captions),
        [control](const ControlCaption &c) { return control == QLatin1StringView(c.control); });
    return found == std::end(Captions) ? QString() : QString::fromUtf8(found->text);
}

std::span<const ComboItems> StartupComboItems()
{
    // The preset tables supply several lists; build them when the window first asks.
    static const auto items = buildComboItems();
    return items;
}

const ComboItems *FindStartupComboItems(QAnyStringView control)
{
    const auto items = StartupComboItems();
    const auto found = std::find_if(
        items.begin(), items.end(), [control](const ComboItems &c) { return control == QLatin1StringView(c.control); });
    return found == items.end() ? nullptr : &*found;
}
