#include "values/startupvalues.h"

#include "i18n/formtexts.h"
#include "presets/presets.h"
#include "settings/parameterfields.h"
#include "values/carrierfields.h"

namespace {

QString text(const char *utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

void putText(ParameterValues &values, const char *name, const QString &value)
{
    const ParameterField *field = FindField(QString::fromLatin1(name));
    Q_ASSERT(field && field->text);
    values.*field->text = value;
}

// What the tab's first country's first operator fills in.
void putFirstCarrier(const CarrierFields &tab, ParameterValues &values)
{
    const auto table = tab.table();
    putText(values, tab.countryBox, table.empty() ? QString() : text(table.front().name));
    const CarrierPreset *carrier = FindCarrier(table, 0, 0);
    if (!carrier)
        return;
    putText(values, tab.operatorBox, text(carrier->name));
    const QStringList texts = CarrierTexts(tab, *carrier);
    for (std::size_t i = 0; i < tab.fields.size(); ++i)
        putText(values, tab.fields[i], texts.value(static_cast<qsizetype>(i)));
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
    // The FTP boxes start without a selection, on a country and operator whose
    // preset the FTP fields do not hold.
    for (const CarrierFields &tab : CarrierTabs()) {
        if (tab.table != FtpPresets)
            putFirstCarrier(tab, values);
    }
    return values;
}

} // namespace

const ParameterValues &StartupParameterValues()
{
    static const ParameterValues values = makeStartupValues();
    return values;
}
