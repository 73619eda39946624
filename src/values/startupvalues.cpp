#include "values/startupvalues.h"

#include "i18n/formtexts.h"
#include "presets/presets.h"
#include "settings/parameterfields.h"

#include <array>
#include <span>

namespace {

using V = ParameterValues;

QString text(const char *utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

// Where a tab keeps what its first country's first operator fills in.
struct CarrierFields
{
    std::span<const CountryPresets> (*table)();
    QString V::*country;
    QString V::*carrier;
    // APN, user name, password, MMS centre, proxy and port, as far as the tab has them.
    std::array<QString V::*, 6> values;
};

// The FTP boxes start without a selection, on a country and operator whose
// preset the FTP fields do not hold, so FTP is not among these.
constexpr CarrierFields FirstCarriers[] = {
    { MmsPresets, &V::ComboBox3, &V::ComboBox4,
        { &V::apn, &V::username, &V::password, &V::mmsc, &V::proxy, &V::port } },
    { SmtpPresets, &V::ComboBox7, &V::ComboBox8, { &V::smtpapn, &V::smtpusername, &V::smtppassword } },
};

void putFirstCarrier(const CarrierFields &fields, ParameterValues &values)
{
    const auto table = fields.table();
    values.*fields.country = table.empty() ? QString() : text(table.front().name);
    const CarrierPreset *carrier = FindCarrier(table, 0, 0);
    if (!carrier)
        return;
    values.*fields.carrier = text(carrier->name);
    const std::array<const char *, 6> texts { carrier->apn, carrier->username, carrier->password, carrier->mmsc,
        carrier->proxy, carrier->port };
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (fields.values[i])
            values.*fields.values[i] = text(texts[i]);
    }
}

ParameterValues makeStartupValues()
{
    ParameterValues values;
    for (const ParameterField &field : ParameterFields) {
        switch (field.kind) {
        case FieldKind::Index:
        case FieldKind::Switch:
            values.*field.index = field.startIndex;
            break;
        case FieldKind::Text:
            // A box that starts without a selection shows the text the form gives it.
            if (const ComboItems *box = FindStartupComboItems(QLatin1StringView(field.name));
                box && !box->initialText.isEmpty())
                values.*field.text = box->initialText;
            else
                values.*field.text = text(field.startText);
            break;
        case FieldKind::Clock: // left unset: the current time when an image is built
        case FieldKind::Security: // NO SSL
            break;
        case FieldKind::Time:
            values.*field.time = field.startTime;
            break;
        }
    }
    for (const CarrierFields &fields : FirstCarriers)
        putFirstCarrier(fields, values);
    return values;
}

} // namespace

const ParameterValues &StartupParameterValues()
{
    static const ParameterValues values = makeStartupValues();
    return values;
}
