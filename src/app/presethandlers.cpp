// Country, operator and mail-server picks fill the connection fields.
#include "app/mainform.h"

#include "presets/presets.h"
#include "values/carrierfields.h"

#include <QButtonGroup>

#include <algorithm>
#include <cstddef>
#include <span>

namespace {

// The country the box has selected, or nullptr when its text names none.
const CountryPresets *SelectedCountry(std::span<const CountryPresets> table, const TComboBox *countryBox)
{
    const int country = countryBox->selectedIndex();
    if (country < 0 || static_cast<std::size_t>(country) >= table.size())
        return nullptr;
    return &table[static_cast<std::size_t>(country)];
}

// A typed text that names no country keeps the operators listed; either way the first one is selected, which
// raises no change event of its own, so the caller applies it.
const CountryPresets *ListOperators(
    std::span<const CountryPresets> table, const TComboBox *countryBox, TComboBox *operatorBox)
{
    const CountryPresets *country = SelectedCountry(table, countryBox);
    if (country) {
        QStringList names;
        for (const CarrierPreset &carrier : country->operators)
            names << QString::fromLatin1(carrier.name);
        operatorBox->setItems(names);
    }
    operatorBox->setSelectedIndex(0);
    return country;
}

const CarrierFields &TabOf(std::span<const CountryPresets> (*table)())
{
    const auto tabs = CarrierTabs();
    const auto found
        = std::find_if(tabs.begin(), tabs.end(), [table](const CarrierFields &tab) { return tab.table == table; });
    Q_ASSERT(found != tabs.end());
    return *found;
}

// Every field of the tab is written, so nothing of the previous operator stays behind.
void ApplyCarrier(
    const QWidget *window, const CarrierFields &tab, const TComboBox *countryBox, const TComboBox *operatorBox)
{
    const CarrierPreset *carrier = FindCarrier(tab.table(), countryBox->selectedIndex(), operatorBox->selectedIndex());
    if (!carrier || !carrier->hasValues)
        return;
    const QStringList texts = CarrierTexts(tab, *carrier);
    for (std::size_t i = 0; i < tab.fields.size(); ++i) {
        if (auto *field = window->findChild<QLineEdit *>(QLatin1StringView(tab.fields[i])))
            field->setText(texts.value(static_cast<qsizetype>(i)));
    }
}

} // namespace

void Tmainform1::ComboBox3Change()
{
    ListOperators(MmsPresets(), ComboBox3, ComboBox4);
    ComboBox4Change();
}

void Tmainform1::ComboBox4Change()
{
    ApplyCarrier(this, TabOf(MmsPresets), ComboBox3, ComboBox4);
}

void Tmainform1::ComboBox7Change()
{
    ListOperators(SmtpPresets(), ComboBox7, ComboBox8);
    ComboBox8Change();
}

void Tmainform1::ComboBox8Change()
{
    ApplyCarrier(this, TabOf(SmtpPresets), ComboBox7, ComboBox8);
}

void Tmainform1::ComboBox9Change()
{
    const std::span<const MailServerPreset> servers = MailServerPresets();
    const int choice = ComboBox9->selectedIndex();
    if (choice < 0 || static_cast<std::size_t>(choice) >= servers.size())
        return;
    const MailServerPreset &server = servers[static_cast<std::size_t>(choice)];
    servertxt->setText(QString::fromLatin1(server.server));
    // The account belongs to the user, not to the provider.
    usernametxt->clear();
    passwordtxt->clear();
    porttxt->setText(QString::fromLatin1(server.port));
    if (QAbstractButton *button = RadioButton1->group()->button(static_cast<int>(server.security)))
        button->setChecked(true);
}

void Tmainform1::ComboBox12Change()
{
    const CountryPresets *country = ListOperators(FtpPresets(), ComboBox12, ComboBox13);
    // "Other": a network we know nothing of, so the user types its access point.
    if (country && country->operators.empty()) {
        ftpapn->clear();
        ftpusername->clear();
        ftppassword->clear();
    }
    ComboBox13Change();
}

void Tmainform1::ComboBox13Change()
{
    ApplyCarrier(this, TabOf(FtpPresets), ComboBox12, ComboBox13);
}
