#pragma once

#include "presets/presets.h"

#include <QStringList>

#include <span>

// Where a tab's country and operator pick puts the operator's values. The
// window's picks and a fresh window's values both follow these rows.
struct CarrierFields
{
    std::span<const CountryPresets> (*table)();
    const char *countryBox;
    const char *operatorBox;
    // Named after their controls and the values' members: the APN, user name
    // and password, then the MMS centre, proxy and port where the tab has them.
    std::span<const char *const> fields;
};

// The MMS, SMTP and FTP tabs.
std::span<const CarrierFields> CarrierTabs();

// What the operator puts into `tab`'s fields, in their order.
QStringList CarrierTexts(const CarrierFields &tab, const CarrierPreset &carrier);
