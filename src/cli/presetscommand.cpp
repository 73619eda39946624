#include "presetscommand.h"

#include "presets/presets.h"
#include "values/listing.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <span>

namespace {

enum class Members { DataConnection, Mms };

QJsonObject carrierToJson(const CarrierPreset &carrier, Members members)
{
    QJsonObject object {
        { QStringLiteral("name"), QString::fromLatin1(carrier.name) },
        { QStringLiteral("apn"), QString::fromLatin1(carrier.apn) },
        { QStringLiteral("username"), QString::fromLatin1(carrier.username) },
        { QStringLiteral("password"), QString::fromLatin1(carrier.password) },
    };
    if (members == Members::Mms) {
        object.insert(QStringLiteral("mmsc"), QString::fromLatin1(carrier.mmsc));
        object.insert(QStringLiteral("proxy"), QString::fromLatin1(carrier.proxy));
        object.insert(QStringLiteral("port"), QString::fromLatin1(carrier.port));
        // Without values the MMS tab leaves its fields alone, so the empty texts above are not what it fills in.
        object.insert(QStringLiteral("hasValues"), carrier.hasValues);
    }
    return object;
}

QJsonArray carriersToJson(std::span<const CountryPresets> table, Members members)
{
    QJsonArray countries;
    for (const CountryPresets &country : table) {
        QJsonArray operators;
        for (const CarrierPreset &carrier : country.operators)
            operators.append(carrierToJson(carrier, members));
        countries.append(QJsonObject {
            { QStringLiteral("country"), QString::fromLatin1(country.name) },
            { QStringLiteral("operators"), operators },
        });
    }
    return countries;
}

QJsonArray mailServersToJson()
{
    QJsonArray servers;
    for (const MailServerPreset &server : MailServerPresets()) {
        // A mail-server pick always empties the user name and password.
        servers.append(QJsonObject {
            { QStringLiteral("item"), QString::fromLatin1(server.item) },
            { QStringLiteral("server"), QString::fromLatin1(server.server) },
            { QStringLiteral("username"), QString() },
            { QStringLiteral("password"), QString() },
            { QStringLiteral("port"), QString::fromLatin1(server.port) },
            { QStringLiteral("security"), static_cast<int>(server.security) },
        });
    }
    return servers;
}

} // namespace

int RunPresetsCommand(const QString &program, const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const QString table = arguments.value(0);
    QJsonArray json;
    if (table == QLatin1StringView("mms")) {
        json = carriersToJson(MmsPresets(), Members::Mms);
    } else if (table == QLatin1StringView("smtp")) {
        json = carriersToJson(SmtpPresets(), Members::DataConnection);
    } else if (table == QLatin1StringView("ftp")) {
        json = carriersToJson(FtpPresets(), Members::DataConnection);
    } else if (table == QLatin1StringView("mail")) {
        json = mailServersToJson();
    } else {
        err << program
            << QStringLiteral(": presets: unknown table \"%1\"; the tables are mms, smtp, ftp and mail")
                   .arg(EscapeControls(table))
            << Qt::endl;
        return 2;
    }
    out << QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Indented));
    return 0;
}
