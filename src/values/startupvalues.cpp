#include "values/startupvalues.h"

#include "i18n/formtexts.h"
#include "presets/presets.h"

namespace {

QString text(const char *utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

// The FTP boxes start without a selection, showing a country and operator
// whose preset the FTP fields do not hold; the window's form texts name them.
QString initialComboText(QStringView control)
{
    const ComboItems *box = FindStartupComboItems(control);
    return box ? box->initialText : QString();
}

ParameterValues makeStartupValues()
{
    ParameterValues v;
    v.modecmb = 0;
    v.rslcmb = 0;
    v.intvcmb = 0;
    v.mtcmb = 0;
    v.isocmb = 0;
    v.idedit = QStringLiteral("CAM000");
    v.rslvcmb = 0;
    v.vdlcmb = 0;
    v.vccmb = 1;
    v.dtfmtcmb = 0;
    v.motcmb = 0;
    v.langcmb = 0;
    v.tvcmb = 0;
    v.passcmb = 0;
    v.passedit = QStringLiteral("7351");
    v.timerStart = { 0, 0, 0 };
    v.timerEnd = { 23, 59, 59 };

    // MMS: the first operator of the first country, with its preset.
    v.ComboBox1 = 0;
    v.ComboBox2 = 1;
    const auto mms = MmsPresets();
    v.ComboBox3 = mms.empty() ? QString() : text(mms.front().name);
    if (const CarrierPreset *carrier = FindCarrier(mms, 0, 0)) {
        v.ComboBox4 = text(carrier->name);
        v.apn = text(carrier->apn);
        v.username = text(carrier->username);
        v.password = text(carrier->password);
        v.mmsc = text(carrier->mmsc);
        v.proxy = text(carrier->proxy);
        v.port = text(carrier->port);
    }

    // SMTP: likewise, and the "Other" mail server with no security.
    v.ComboBox5 = -1;
    v.ComboBox6 = -1;
    const auto smtp = SmtpPresets();
    v.ComboBox7 = smtp.empty() ? QString() : text(smtp.front().name);
    if (const CarrierPreset *carrier = FindCarrier(smtp, 0, 0)) {
        v.ComboBox8 = text(carrier->name);
        v.smtpapn = text(carrier->apn);
        v.smtpusername = text(carrier->username);
        v.smtppassword = text(carrier->password);
    }
    v.ComboBox9 = 0;
    v.security = Security::NoSsl;

    // FTP
    v.ComboBox10 = -1;
    v.ftpport = QStringLiteral("21");
    v.path = QStringLiteral("/myfolder/");
    v.ComboBox12 = initialComboText(u"ComboBox12");
    v.ComboBox13 = initialComboText(u"ComboBox13");
    v.ftpapn = QStringLiteral("cmwap");
    return v;
}

} // namespace

const ParameterValues &StartupParameterValues()
{
    static const ParameterValues values = makeStartupValues();
    return values;
}
