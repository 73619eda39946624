// `trailcam-param presets`: each table printed as JSON, in table order, with exactly its members.

#include "toolrun.h"
#include "../presets/listedcarriers.h"
#include "presets/presets.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <iterator>
#include <span>

using namespace Qt::StringLiterals;

namespace {

std::span<const CountryPresets> TableNamed(const QString &name)
{
    if (name == u"mms")
        return MmsPresets();
    if (name == u"smtp")
        return SmtpPresets();
    return FtpPresets();
}

QStringList SortedKeys(const QJsonObject &object)
{
    QStringList keys = object.keys();
    keys.sort();
    return keys;
}

} // namespace

class TestPresetsCommand : public QObject
{
    Q_OBJECT

private slots:
    void carrierTable_data();
    void carrierTable();
    void listedValues_data();
    void listedValues();
    void mailTable();
    void refused_data();
    void refused();
    void listedInHelp();
};

void TestPresetsCommand::carrierTable_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("members");
    const QStringList data { u"apn"_s, u"name"_s, u"password"_s, u"username"_s };
    QTest::newRow("mms") << u"mms"_s
                         << QStringList { u"apn"_s, u"hasValues"_s, u"mmsc"_s, u"name"_s, u"password"_s, u"port"_s,
                                u"proxy"_s, u"username"_s };
    QTest::newRow("smtp") << u"smtp"_s << data;
    QTest::newRow("ftp") << u"ftp"_s << data;
}

// Every country and operator of the product's table, in its order, with the texts a pick fills in.
void TestPresetsCommand::carrierTable()
{
    QFETCH(QString, table);
    QFETCH(QStringList, members);
    const std::span<const CountryPresets> presets = TableNamed(table);

    const ToolRun run = runTool({ u"presets"_s, table });
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QString());
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QVERIFY(document.isArray());
    const QJsonArray countries = document.array();
    QCOMPARE(countries.size(), qsizetype(presets.size()));

    const bool mms = table == u"mms";
    for (qsizetype c = 0; c < countries.size(); ++c) {
        const CountryPresets &country = presets[static_cast<std::size_t>(c)];
        const QJsonObject object = countries.at(c).toObject();
        QCOMPARE(SortedKeys(object), (QStringList { u"country"_s, u"operators"_s }));
        QCOMPARE(object.value(u"country"_s).toString(), QString::fromLatin1(country.name));
        const QJsonArray operators = object.value(u"operators"_s).toArray();
        QCOMPARE(operators.size(), qsizetype(country.operators.size()));
        for (qsizetype o = 0; o < operators.size(); ++o) {
            const CarrierPreset &carrier = country.operators[static_cast<std::size_t>(o)];
            const QJsonObject entry = operators.at(o).toObject();
            QCOMPARE(SortedKeys(entry), members);
            const auto text = [&entry](const char *key) { return entry.value(QLatin1StringView(key)).toString(); };
            QCOMPARE(text("name"), QString::fromLatin1(carrier.name));
            QCOMPARE(text("apn"), QString::fromLatin1(carrier.apn));
            QCOMPARE(text("username"), QString::fromLatin1(carrier.username));
            QCOMPARE(text("password"), QString::fromLatin1(carrier.password));
            if (mms) {
                QCOMPARE(text("mmsc"), QString::fromLatin1(carrier.mmsc));
                QCOMPARE(text("proxy"), QString::fromLatin1(carrier.proxy));
                QCOMPARE(text("port"), QString::fromLatin1(carrier.port));
                QVERIFY(entry.value(u"hasValues"_s).isBool());
                QCOMPARE(entry.value(u"hasValues"_s).toBool(), carrier.hasValues);
            }
        }
    }
}

void TestPresetsCommand::listedValues_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(ListedCarriers)); ++i) {
        const ListedCarrier &carrier = ListedCarriers[i];
        QTest::addRow("%s %s %s", carrier.tab, carrier.country, carrier.op) << i;
    }
}

// The printed table gives a few operators what the public APN list gives for them.
void TestPresetsCommand::listedValues()
{
    QFETCH(int, row);
    const ListedCarrier &carrier = ListedCarriers[row];
    const ToolRun run = runTool({ u"presets"_s, QString::fromLatin1(carrier.tab).toLower() });
    QCOMPARE(run.status, 0);

    QJsonObject found;
    const QJsonArray countries = QJsonDocument::fromJson(run.out.toUtf8()).array();
    for (const QJsonValue &country : countries) {
        if (country[u"country"_s].toString() != QLatin1StringView(carrier.country))
            continue;
        for (const QJsonValue &entry : country[u"operators"_s].toArray()) {
            if (entry[u"name"_s].toString() == QLatin1StringView(carrier.op))
                found = entry.toObject();
        }
    }
    QVERIFY2(!found.isEmpty(), carrier.op);
    const char *const members[] = { "apn", "username", "password", "mmsc", "proxy", "port" };
    for (std::size_t m = 0; m < std::size(members); ++m) {
        if (const char *listed = carrier.values[m])
            QCOMPARE(found.value(QLatin1StringView(members[m])).toString(), QString::fromLatin1(listed));
    }
}

void TestPresetsCommand::mailTable()
{
    const ToolRun run = runTool({ u"presets"_s, u"mail"_s });
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QString());
    const QJsonArray servers = QJsonDocument::fromJson(run.out.toUtf8()).array();
    const std::span<const MailServerPreset> presets = MailServerPresets();
    QCOMPARE(servers.size(), qsizetype(presets.size()));

    const QStringList ports { QString(), u"465"_s, u"25"_s };
    for (qsizetype m = 0; m < servers.size(); ++m) {
        const MailServerPreset &preset = presets[static_cast<std::size_t>(m)];
        const QJsonObject server = servers.at(m).toObject();
        QCOMPARE(SortedKeys(server),
            (QStringList { u"item"_s, u"password"_s, u"port"_s, u"security"_s, u"server"_s, u"username"_s }));
        QCOMPARE(server.value(u"item"_s).toString(), QString::fromLatin1(preset.item));
        QCOMPARE(server.value(u"server"_s).toString(), QString::fromLatin1(preset.server));
        // The pick empties them, whatever the user had typed.
        QCOMPARE(server.value(u"username"_s), QJsonValue(QString()));
        QCOMPARE(server.value(u"password"_s), QJsonValue(QString()));
        QCOMPARE(server.value(u"port"_s).toString(), ports.at(m));
        // The radio buttons from left to right: NO SSL, SSL, STARTTLS.
        QCOMPARE(server.value(u"security"_s), QJsonValue(int(m)));
    }
}

void TestPresetsCommand::refused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown table") << QStringList { u"presets"_s, u"sms"_s } << u"unknown table \"sms\""_s;
    QTest::newRow("names in lower case") << QStringList { u"presets"_s, u"MMS"_s } << u"unknown table \"MMS\""_s;
    QTest::newRow("no table") << QStringList { u"presets"_s } << u"presets: "_s;
    QTest::newRow("two tables") << QStringList { u"presets"_s, u"mms"_s, u"ftp"_s } << u"unexpected argument \"ftp\""_s;
    QTest::newRow("unknown option") << QStringList { u"presets"_s, u"--all"_s } << u"Unknown option 'all'"_s;
}

void TestPresetsCommand::refused()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const ToolRun run = runTool(arguments);
    QCOMPARE(run.status, 2);
    QCOMPARE(run.out, QString());
    QVERIFY2(run.err.startsWith(u"trailcam-param: "_s), qPrintable(run.err));
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
}

void TestPresetsCommand::listedInHelp()
{
    const ToolRun help = runTool({ u"--help"_s });
    QCOMPARE(help.status, 0);
    QVERIFY2(help.out.contains(u"trailcam-param presets mms|smtp|ftp|mail\n"_s), qPrintable(help.out));

    const ToolRun own = runTool({ u"presets"_s, u"--help"_s });
    QCOMPARE(own.status, 0);
    QVERIFY2(own.out.startsWith(u"Usage: trailcam-param presets mms|smtp|ftp|mail\n"_s), qPrintable(own.out));
}

QTEST_MAIN(TestPresetsCommand)
#include "tst_presetscommand.moc"
