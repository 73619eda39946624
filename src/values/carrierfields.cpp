#include "values/carrierfields.h"

#include <array>

namespace {

constexpr const char *MmsFields[] = { "apn", "username", "password", "mmsc", "proxy", "port" };
constexpr const char *SmtpFields[] = { "smtpapn", "smtpusername", "smtppassword" };
constexpr const char *FtpFields[] = { "ftpapn", "ftpusername", "ftppassword" };

constexpr CarrierFields Tabs[] = {
    { MmsPresets, "ComboBox3", "ComboBox4", MmsFields },
    { SmtpPresets, "ComboBox7", "ComboBox8", SmtpFields },
    { FtpPresets, "ComboBox12", "ComboBox13", FtpFields },
};

} // namespace

std::span<const CarrierFields> CarrierTabs()
{
    return Tabs;
}

QStringList CarrierTexts(const CarrierFields &tab, const CarrierPreset &carrier)
{
    const std::array values { carrier.apn, carrier.username, carrier.password, carrier.mmsc, carrier.proxy,
        carrier.port };
    QStringList texts;
    for (std::size_t i = 0; i < tab.fields.size() && i < values.size(); ++i)
        texts << QString::fromLatin1(values[i]);
    return texts;
}
