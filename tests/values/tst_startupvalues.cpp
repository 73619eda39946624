#include "i18n/formtexts.h"
#include "presets/presets.h"
#include "settings/parameterdata.h"
#include "settings/parameterfields.h"
#include "values/startupvalues.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestStartupValues : public QObject
{
    Q_OBJECT

private slots:
    void mmsFieldsHoldTheArgentinaMovistarPreset();
    void smtpFieldsHoldTheAustriaA1Preset();
    void comboTextsAreWhatTheWindowShows();
    void clockIsUnsetTimersSpanTheDay();
    void everyTextFitsItsRoom();
    void savedFreshWindow();
};

namespace {

// Looks an operator up by its names, not by position, so that a wrong position
// in the start-up values shows.
const CarrierPreset *findByName(std::span<const CountryPresets> table, QStringView country, QStringView op)
{
    for (const CountryPresets &entry : table) {
        if (country != QString::fromUtf8(entry.name))
            continue;
        for (const CarrierPreset &carrier : entry.operators) {
            if (op == QString::fromUtf8(carrier.name))
                return &carrier;
        }
    }
    return nullptr;
}

} // namespace

void TestStartupValues::mmsFieldsHoldTheArgentinaMovistarPreset()
{
    const CarrierPreset *preset = findByName(MmsPresets(), u"Argentina", u"Movistar");
    QVERIFY(preset);
    const ParameterValues &v = StartupParameterValues();
    QCOMPARE(v.apn, QString::fromUtf8(preset->apn));
    QCOMPARE(v.username, QString::fromUtf8(preset->username));
    QCOMPARE(v.password, QString::fromUtf8(preset->password));
    QCOMPARE(v.mmsc, QString::fromUtf8(preset->mmsc));
    QCOMPARE(v.proxy, QString::fromUtf8(preset->proxy));
    QCOMPARE(v.port, QString::fromUtf8(preset->port));
    QVERIFY(!v.apn.isEmpty());
}

void TestStartupValues::smtpFieldsHoldTheAustriaA1Preset()
{
    const CarrierPreset *preset = findByName(SmtpPresets(), u"Austria", u"A1");
    QVERIFY(preset);
    const ParameterValues &v = StartupParameterValues();
    QCOMPARE(v.smtpapn, QString::fromUtf8(preset->apn));
    QCOMPARE(v.smtpusername, QString::fromUtf8(preset->username));
    QCOMPARE(v.smtppassword, QString::fromUtf8(preset->password));
    QVERIFY(!v.smtpapn.isEmpty());
}

// The six country and operator texts are the window's selected items, or the
// text a box without a selection shows.
void TestStartupValues::comboTextsAreWhatTheWindowShows()
{
    const ParameterValues &v = StartupParameterValues();
    for (const char *box : { "ComboBox3", "ComboBox4", "ComboBox7", "ComboBox8", "ComboBox12", "ComboBox13" }) {
        const QString name = QString::fromLatin1(box);
        const ComboItems *items = FindStartupComboItems(name);
        QVERIFY2(items, box);
        const QString shown = items->initialText.isEmpty() ? items->items.value(0) : items->initialText;
        QCOMPARE(v.*(FindField(name)->text), shown);
    }
}

void TestStartupValues::clockIsUnsetTimersSpanTheDay()
{
    const ParameterValues &v = StartupParameterValues();
    QVERIFY(!v.clock);
    QCOMPARE(v.timerStart, (TimeOfDay { 0, 0, 0 }));
    QCOMPARE(v.timerEnd, (TimeOfDay { 23, 59, 59 }));
    QCOMPARE(v.security, Security::NoSsl);
}

void TestStartupValues::everyTextFitsItsRoom()
{
    const ParameterValues &v = StartupParameterValues();
    for (const ParameterField &field : TextFields())
        QVERIFY2(FitText(field, v.*(field.text)) == v.*(field.text), field.name);
}

// A fresh window saved: no switch but MMS selected, so 255s and 248 in byte 81.
void TestStartupValues::savedFreshWindow()
{
    ParameterValues values = StartupParameterValues();
    values.clock = ClockValue { 2021, 11, 26, 13, 57, 42 };
    const QByteArray image = BuildParameterData(values);
    QCOMPARE(quint8(image.at(81)), quint8(248));
    QCOMPARE(quint8(image.at(1040)), quint8(255));
    QCOMPARE(quint8(image.at(1041)), quint8(255));

    ParameterValues read = ReadParameterData(image);
    QCOMPARE(read.ComboBox1, 0);
    QCOMPARE(read.ComboBox10, 31);
    QCOMPARE(read.ComboBox5, 255);
    QCOMPARE(read.ComboBox7, u"Austria"_s); // FTP is not on: the SMTP texts stay
    QCOMPARE(read.ComboBox12, u"Austria"_s);
    QCOMPARE(read.passedit, u"7351"_s);
}

QTEST_APPLESS_MAIN(TestStartupValues)
#include "tst_startupvalues.moc"
