#include "presets/presets.h"

#include <QRegularExpression>
#include <QStringList>
#include <QTest>

#include <cstring>
#include <iterator>
#include <utility>

namespace {

// How a table cell is described where it is not an exact text.
enum class Kind {
    Exact,
    Dotted,
    Email,
    AtDotted,
    LowerWord,
    LowerAndDigit,
    HyphenatedWord,
    LowerThenFourDigits,
    CapitalisedWord,
    UpperWord,
    UpperAndDigit,
};

struct Cell
{
    Kind kind;
    const char *text = nullptr;
    constexpr Cell(const char *exact)
        : kind(Kind::Exact)
        , text(exact)
    {
    }
    constexpr Cell(Kind k)
        : kind(k)
    {
    }
};

enum class Note { None, MmscHostOnly, MmscHostAndPath, PaddedProxy, NoValues };

constexpr Kind D = Kind::Dotted;
constexpr Kind Email = Kind::Email;
constexpr Kind Lower = Kind::LowerWord;
constexpr Kind LowerDigit = Kind::LowerAndDigit;

struct MmsRow
{
    const char *country;
    const char *op;
    Cell apn, username, password;
    const char *port;
    Note note = Note::None;
};

struct DataRow
{
    const char *country;
    const char *op;
    Cell apn, username, password;
};

// The quoted cells and the described kinds of the MMS operator table.
// clang-format off
const MmsRow MmsRows[] = {
    {"Argentina", "Movistar", D, "mms", Lower, "8080", Note::MmscHostOnly},
    {"Australia", "Telstra", D, "", "", "80"},
    {"Australia", "Optus", "mms", "", "", "8070"},
    {"Australia", "vodafone", D, "", "", "8080"},
    {"Australia", "Lebara", D, "", "", "8080"},
    {"Austria", "Drei", D, "", "", "8799"},
    {"Austria", "A1", D, "", "", "8001"},
    {"Austria", "T-mobile", "gprsmms", "mms", Lower, "80", Note::MmscHostAndPath},
    {"Austria", "Orange", D, "mms", Lower, "8080"},
    {"Austria", "Telering", "mms", Email, Lower, "8080"},
    {"Brazil", "Brazil Telecom", D, "mms", Lower, "8080"},
    {"Croatia", "VIPNet", D, "", "", "8080"},
    {"Czech Republic", "Vodafone", "mms", "", "", "80"},
    {"Czech Republic", "O2", "mms", "", "", "8080"},
    {"Czech Republic", "T-Mobile", D, "mms", Lower, "80", Note::PaddedProxy},
    {"Czech Republic", "GoMobil", D, "mms", Lower, "80", Note::PaddedProxy},
    {"Denmark", "Sonofon", "sonofon", "", "", "8080"},
    {"Denmark", "TDC", "mms", "", "", "8080"},
    {"Estonia", "Tele 2", D, "", "", "8080"},
    {"Finland", "Sonera", D, "", "", "8080"},
    {"France", "Bouygues", D, "", "", "8080"},
    {"France", "Orange", D, "orange", Lower, "8080"},
    {"France", "Free MMS", "mmsfree", "", "", "9201"},
    {"France", "SFR", "mmssfr", "", "", "8080"},
    {"Germany", "E-Plus", D, "mms", Lower, "8080"},
    {"Germany", "O2", "internet", "", "", "8080"},
    {"Germany", "T-Mobile", D, "t-mobil", Lower, "8080"},
    {"Germany", "Vodafone", D, "", "", "80", Note::PaddedProxy},
    {"Greece", "Vodafone", D, "", "", "5080"},
    {"Greece", "COSMOTE", "mms", "", "", "8080"},
    {"Hungary", "T-mobile", D, "mms", Lower, "8080"},
    {"Hungary", "Telenor", "", "", "", "", Note::NoValues},
    {"Hungary", "Vodafone", "", "", "", "", Note::NoValues},
    {"India", "BPL", "mizone", "", "", "8080"},
    {"Indonesia", "IM3", D, "mms", LowerDigit, "8080"},
    {"Ireland", "Meteor", D, "my", Lower, "8799"},
    {"Israel", "Orange", D, "", "", "8080"},
    {"Italy", "Vodafone", D, "", "", "8080"},
    {"Italy", "TIM", D, "", "", "80"},
    {"Italy", "WIND", D, "", "", "8080"},
    {"Kazakhstan", "K Mobile", D, Kind::AtDotted, Kind::HyphenatedWord, "8080"},
    {"Kazakhstan", "Kcell", "mms", "", "", "8080"},
    {"Latvia", "Tele2", D, "wap", Lower, "8080", Note::PaddedProxy},
    {"Latvia", "LMT", D, "", "", "8080"},
    {"Luxembourg", "Lux GSM", D, "mmsgprs", Kind::LowerThenFourDigits, "8080"},
    {"Mexico", "Telcel", D, "mmsgprs", Kind::LowerThenFourDigits, "8080"},
    {"Netherlands", "T-Mobile", "mms", "tmobilemms", Lower, "8080"},
    {"Norway", "Telenor", "mms", "", "", "8080"},
    {"Poland", "Orange", "mms", "mms", Lower, "8080"},
    {"Poland", "T-mobile", "mms", "mms", Lower, "8080"},
    {"Poland", "PLAY", "mms", "", "", "8080"},
    {"Poland", "PLUS", "mms", "", "", "8080"},
    {"Portugal", "Vodafone", D, "vas", Lower, "8799"},
    {"Romania", "Orange", "mms", "", "", "8080"},
    {"Slovakia", "T-Mobile/T-COMM", "mms", "mms", Lower, "8080", Note::PaddedProxy},
    {"Slovakia", "O2 TELEFONIC", "o2mms", "", "", "8080"},
    {"Slovakia", "Orange", "mms", "wap", Lower, "8799"},
    {"Slovenia", "Si Mobil", D, "simobil", Lower, "8080"},
    {"Slovenia", "Mobitel", D, "mobitel", Lower, "8080"},
    {"Spain", "Orange", "Orangemms", "Orange", Kind::CapitalisedWord, "8080"},
    {"Spain", "Telstra", "internet", "MMS", Kind::UpperWord, "8080", Note::PaddedProxy},
    {"Spain", "Vodafone", D, "MMS", Kind::UpperWord, "80"},
    {"Sweden", "Telenor", D, "", "", "8799", Note::PaddedProxy},
    {"Sweden", "Telia", D, "mms", Lower, "8080"},
    {"UnitedKingdom", "3", D, "", "", "8799"},
    {"UnitedKingdom", "ASDA Mobile", D, "wap", Lower, "9201"},
    {"UnitedKingdom", "BT Mobile", D, "bt", Lower, "8799", Note::PaddedProxy},
    {"UnitedKingdom", "O2", D, "", "", "8080"},
    {"UnitedKingdom", "O2payandgo", D, "payandgo", Lower, "8080"},
    {"UnitedKingdom", "Orange", "orangemms", "Orange", Kind::CapitalisedWord, "8080", Note::PaddedProxy},
    {"UnitedKingdom", "Virgin", D, "", "", "8080", Note::PaddedProxy},
    {"UnitedKingdom", "Vodafone", D, "", "", "9201", Note::PaddedProxy},
    {"UnitedKingdom", "Vodafone Prep", D, Email, Lower, "8799", Note::PaddedProxy},
    {"UnitedStates", "AT&T", D, Email, Kind::UpperAndDigit, "80", Note::PaddedProxy},
    {"UnitedStates", "T-Mobile", D, "", "", "8080"},
    {"UnitedStates", "Verizon", "Verizon", "", "", "80"},
};

const DataRow SmtpRows[] = {
    {"Austria", "A1", D, Email, Lower},
    {"Austria", "T-mobile", "gprsinternet", "t-mobile", Lower},
    {"Austria", "Telering", "web", Email, Lower},
    {"Austria", "Bob", D, Email, Lower},
    {"Austria", "Drei", D, "", ""},
    {"Croatina", "T-Mobile", D, "", ""},
    {"Czech Republic", "O2", "internet", "", ""},
    {"Czech Republic", "T-Mobile", D, "", ""},
    {"Czech Republic", "Vodafone", "internet", "", ""},
    {"Czech Republic", "GoMobil", D, "", ""},
    {"France", "Bouygues", D, "", ""},
    {"France", "Orange", D, "orange", LowerDigit},
    {"Germany", "O2", "internet", "", ""},
    {"Germany", "E-Plus", D, "eplus", Lower},
    {"Germany", "Blau", D, "blau", Lower},
    {"Germany", "T-Mobile", D, "t-mobile", Lower},
    {"Germany", "Vodafone", D, "", ""},
    {"Greece", "Vodafone GR", D, "", ""},
    {"Hungary", "T-mobile", D, "", ""},
    {"Hungary", "Telenor", "online", "", ""},
    {"Hungary", "Vodafone", D, "", ""},
    {"Italy", "TIM", D, "", ""},
    {"Italy", "Vodafone", D, "", ""},
    {"Italy", "WIND", D, "", ""},
    {"Kazakhstan", "K Mobile", D, D, Lower},
    {"Latvia", "Tele2", D, "wap", Lower},
    {"Latvia", "LMT", D, "", ""},
    {"Romania", "Vodafone Live!", "live", "", ""},
    {"Romania", "Vodafone", D, D, Lower},
    {"Romania", "Orange", "net", "", ""},
    {"Romania", "Digi Mobil", "internet", "", ""},
    {"Romania", "Digi Mobil Prepaid", "Prepaid", "", ""},
    {"Slovakia", "O2", "o2internet", "", ""},
    {"Slovakia", "4", "internet", "", ""},
    {"Slovakia", "T-Mobile", "internet", "", ""},
    {"Slovakia", "Orange", "internet", "", ""},
    {"Slovenia", "A1", "internet", "", ""},
    {"Slovenia", "Telekom", "internet", "mobitel", Lower},
    {"Slovenia", "Telemach", "internet", "", ""},
    {"Spain", "Amena", "internet", "CLIENTE", ""},
    {"Spain", "Telefonica", D, "movistar", Lower},
    {"Spain", "Vodafone", D, "vodafone", Lower},
    {"Spain", "Orange", "internet", "orange", Lower},
    {"Sweden", "Telenor", D, "", ""},
    {"Sweden", "Telia", D, "", ""},
    {"United Kingdom", "3", D, "", ""},
    {"United Kingdom", "ASDA Mobile", D, "web", ""},
    {"United Kingdom", "O2", D, "", LowerDigit},
    {"United Kingdom", "Orange", "orangeinternet", "", ""},
    {"United Kingdom", "Tesco Mobile", D, "tescowap", ""},
    {"United Kingdom", "T-Mobile", D, "user", Lower},
    {"United Kingdom", "Virgin", D, "user", ""},
    {"United Kingdom", "Vodafone", "internet", "web", ""},
    {"United States", "AT&T", D, Email, LowerDigit},
    {"United States", "T-Mobile", D, "", ""},
    {"Poland", "ORANGE", "internet", "internet", Lower},
    {"Poland", "T-mobile", "internet", "", ""},
    {"Poland", "PLAY", "internet", "", ""},
    {"Poland", "PLUS", "plus", "", ""},
};

// The FTP table repeats the SMTP data for the countries both list; these stand only in it.
const DataRow FtpOnlyRows[] = {
    {"Canada", "Telus", D, "", ""},
    {"China", "China Mobile", "cmnet", "", ""},
    {"China", "China Unicom", "uninet", "", LowerDigit},
    {"Russia", "MTS", D, "mts", ""},
    {"Russia", "Beeline", D, "beeline", LowerDigit},
};

const char *const FtpCountries[] = {
    "Austria", "Canada", "China", "Croatina", "Czech Republic", "France", "Germany", "Greece", "Hungary", "Italy",
    "Kazakhstan", "Latvia", "Russia", "Slovakia", "Spain", "Sweden", "United Kingdom", "United States", "Other",
};
// clang-format on

enum class Table { Mms, Smtp, Ftp };

std::span<const CountryPresets> PresetTable(Table table)
{
    switch (table) {
    case Table::Mms:
        return MmsPresets();
    case Table::Smtp:
        return SmtpPresets();
    case Table::Ftp:
        return FtpPresets();
    }
    return {};
}

QString Text(const char *text)
{
    return QString::fromLatin1(text);
}

QString Pattern(Kind kind)
{
    const auto dotted = QStringLiteral("[A-Za-z0-9-]+(\\.[A-Za-z0-9-]+)+");
    switch (kind) {
    case Kind::Exact:
        break;
    case Kind::Dotted:
        return dotted;
    case Kind::Email:
        return QStringLiteral("[A-Za-z0-9._-]+@") + dotted;
    case Kind::AtDotted:
        return QStringLiteral("@") + dotted;
    case Kind::LowerWord:
        return QStringLiteral("[a-z]+");
    case Kind::LowerAndDigit:
        return QStringLiteral("(?=.*[a-z])[a-z]*[0-9][a-z]*");
    case Kind::HyphenatedWord:
        return QStringLiteral("[a-z]+(-[a-z]+)+");
    case Kind::LowerThenFourDigits:
        return QStringLiteral("[a-z]+[0-9]{4}");
    case Kind::CapitalisedWord:
        return QStringLiteral("[A-Z][a-z]+");
    case Kind::UpperWord:
        return QStringLiteral("[A-Z]+");
    case Kind::UpperAndDigit:
        return QStringLiteral("[A-Z]+[0-9]");
    }
    return {};
}

bool Matches(const QString &pattern, const char *actual)
{
    const QRegularExpression re(QRegularExpression::anchoredPattern(pattern));
    return re.match(Text(actual)).hasMatch();
}

// Empty when the value is what the cell describes, else why not.
QString CellMismatch(const char *field, const char *actual, Cell expected)
{
    if (expected.kind == Kind::Exact) {
        if (std::strcmp(actual, expected.text) == 0)
            return {};
        return QStringLiteral("%1 is \"%2\", expected \"%3\"").arg(Text(field), Text(actual), Text(expected.text));
    }
    if (Matches(Pattern(expected.kind), actual))
        return {};
    return QStringLiteral("%1 \"%2\" is not of the described kind /%3/")
        .arg(Text(field), Text(actual), Pattern(expected.kind));
}

QString ProxyMismatch(const char *proxy, bool padded)
{
    const QStringList octets = Text(proxy).split(QLatin1Char('.'));
    if (octets.size() != 4)
        return QStringLiteral("proxy \"%1\" is not a dotted IPv4 address").arg(Text(proxy));
    for (const QString &octet : octets) {
        bool ok = false;
        const int value = octet.toInt(&ok);
        if (!ok || value < 0 || value > 255 || !Matches(QStringLiteral("[0-9]{1,3}"), octet.toLatin1().constData()))
            return QStringLiteral("proxy \"%1\" has a bad octet \"%2\"").arg(Text(proxy), octet);
        if (padded && octet.size() != 3)
            return QStringLiteral("proxy \"%1\" should be zero-padded").arg(Text(proxy));
        if (!padded && octet.size() > 1 && octet.startsWith(QLatin1Char('0')))
            return QStringLiteral("proxy \"%1\" should have plain octets").arg(Text(proxy));
    }
    return {};
}

QString MmscMismatch(const char *mmsc, Note note)
{
    const QString hostName = QStringLiteral("[a-z0-9-]+(\\.[a-z0-9-]+)+");
    QString pattern;
    switch (note) {
    case Note::MmscHostOnly:
        pattern = hostName;
        break;
    case Note::MmscHostAndPath:
        pattern = hostName + QStringLiteral("/[^\\s:]+");
        break;
    default:
        pattern = QStringLiteral("http://[A-Za-z0-9.-]+(:[0-9]+)?(/\\S*)?");
        break;
    }
    if (Matches(pattern, mmsc))
        return {};
    return QStringLiteral("MMSC \"%1\" is not of the described kind /%2/").arg(Text(mmsc), pattern);
}

bool SameValues(const CarrierPreset &a, const CarrierPreset &b)
{
    return std::strcmp(a.apn, b.apn) == 0 && std::strcmp(a.username, b.username) == 0
        && std::strcmp(a.password, b.password) == 0 && std::strcmp(a.mmsc, b.mmsc) == 0
        && std::strcmp(a.proxy, b.proxy) == 0 && std::strcmp(a.port, b.port) == 0 && a.hasValues == b.hasValues;
}

const CountryPresets *FindCountry(std::span<const CountryPresets> table, const char *name)
{
    for (const CountryPresets &country : table) {
        if (std::strcmp(country.name, name) == 0)
            return &country;
    }
    return nullptr;
}

// "Country/Operator" for every operator, and "Country/" for a country without any.
QStringList Layout(std::span<const CountryPresets> table)
{
    QStringList layout;
    for (const CountryPresets &country : table) {
        if (country.operators.empty())
            layout << Text(country.name) + QLatin1Char('/');
        for (const CarrierPreset &op : country.operators)
            layout << Text(country.name) + QLatin1Char('/') + Text(op.name);
    }
    return layout;
}

template <typename Row> QStringList Layout(std::span<const Row> rows)
{
    QStringList layout;
    for (const Row &row : rows)
        layout << Text(row.country) + QLatin1Char('/') + Text(row.op);
    return layout;
}

// Where the table holds an operator, as (country, operator) positions; -1 where it is missing.
std::pair<int, int> Position(std::span<const CountryPresets> table, const char *countryName, const char *opName)
{
    const CountryPresets *country = FindCountry(table, countryName);
    if (!country)
        return { -1, -1 };
    const int c = int(country - table.data());
    for (std::size_t o = 0; o < country->operators.size(); ++o) {
        if (std::strcmp(country->operators[o].name, opName) == 0)
            return { c, int(o) };
    }
    return { c, -1 };
}

} // namespace

class TestPresets : public QObject
{
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void mmsCells_data();
    void mmsCells();
    void dataCells_data();
    void dataCells();
    void smtpAndFtpShareTheirCountries();
    void goMobilCarriesTMobileValues();
    void valuesFitTheSettingsFile_data();
    void valuesFitTheSettingsFile();
    void mailServers_data();
    void mailServers();
    void smtpStartupOperators();
    void findCarrier_data();
    void findCarrier();
};

void TestPresets::layout_data()
{
    QTest::addColumn<Table>("table");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("mms") << Table::Mms << Layout(std::span<const MmsRow>(MmsRows));
    QTest::newRow("smtp") << Table::Smtp << Layout(std::span<const DataRow>(SmtpRows));
}

// Names, order and counts per country: the positions the boxes look up and the texts Save stores.
void TestPresets::layout()
{
    QFETCH(Table, table);
    QFETCH(QStringList, expected);

    QCOMPARE(Layout(PresetTable(table)), expected);
}

void TestPresets::mmsCells_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("country");
    QTest::addColumn<int>("op");
    for (int i = 0; i < int(std::size(MmsRows)); ++i) {
        const MmsRow &row = MmsRows[i];
        const auto [c, o] = Position(MmsPresets(), row.country, row.op);
        QTest::addRow("%s/%s", row.country, row.op) << i << c << o;
    }
}

void TestPresets::mmsCells()
{
    QFETCH(int, row);
    QFETCH(int, country);
    QFETCH(int, op);
    const MmsRow &expected = MmsRows[row];
    const CarrierPreset *preset = FindCarrier(MmsPresets(), country, op);
    QVERIFY(preset);

    if (expected.note == Note::NoValues) {
        QVERIFY(!preset->hasValues);
        // Stray values here would be written by any caller that forgot to check hasValues.
        QVERIFY(SameValues(*preset, CarrierPreset { "", "", "", "", "", "", "", false }));
        return;
    }
    QVERIFY(preset->hasValues);
    for (const QString &mismatch :
        { CellMismatch("apn", preset->apn, expected.apn), CellMismatch("username", preset->username, expected.username),
            CellMismatch("password", preset->password, expected.password),
            CellMismatch("port", preset->port, Cell(expected.port)), MmscMismatch(preset->mmsc, expected.note),
            ProxyMismatch(preset->proxy, expected.note == Note::PaddedProxy) })
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void TestPresets::dataCells_data()
{
    QTest::addColumn<Table>("table");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("country");
    QTest::addColumn<int>("op");

    const auto addRows = [](Table table, const char *name, std::span<const DataRow> rows) {
        for (int i = 0; i < int(rows.size()); ++i) {
            const DataRow &row = rows[std::size_t(i)];
            const auto [c, o] = Position(PresetTable(table), row.country, row.op);
            QTest::addRow("%s %s/%s", name, row.country, row.op) << table << i << c << o;
        }
    };
    addRows(Table::Smtp, "smtp", SmtpRows);
    addRows(Table::Ftp, "ftp", FtpOnlyRows);
}

void TestPresets::dataCells()
{
    QFETCH(Table, table);
    QFETCH(int, row);
    QFETCH(int, country);
    QFETCH(int, op);
    const DataRow &expected = table == Table::Smtp ? SmtpRows[row] : FtpOnlyRows[row];
    const CarrierPreset *preset = FindCarrier(PresetTable(table), country, op);
    QVERIFY(preset);

    QVERIFY(preset->hasValues);
    for (const QString &mismatch :
        { CellMismatch("apn", preset->apn, expected.apn), CellMismatch("username", preset->username, expected.username),
            CellMismatch("password", preset->password, expected.password) })
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    // These tabs have no MMS fields; a stray value would leak into an export.
    QCOMPARE(preset->mmsc, "");
    QCOMPARE(preset->proxy, "");
    QCOMPARE(preset->port, "");
}

void TestPresets::smtpAndFtpShareTheirCountries()
{
    QStringList ftpCountries;
    for (const CountryPresets &country : FtpPresets())
        ftpCountries << Text(country.name);
    QStringList expectedFtpCountries;
    for (const char *name : FtpCountries)
        expectedFtpCountries << Text(name);
    QCOMPARE(ftpCountries, expectedFtpCountries);

    QStringList ftpOnly;
    QStringList skipped;
    for (const CountryPresets &ftp : FtpPresets()) {
        const CountryPresets *smtp = FindCountry(SmtpPresets(), ftp.name);
        if (!smtp) {
            ftpOnly << Text(ftp.name);
            continue;
        }
        std::size_t f = 0;
        for (const CarrierPreset &op : smtp->operators) {
            if (f < ftp.operators.size() && std::strcmp(op.name, ftp.operators[f].name) == 0) {
                QVERIFY2(SameValues(op, ftp.operators[f]), ftp.name);
                ++f;
            } else {
                skipped << Text(smtp->name) + QLatin1Char('/') + Text(op.name);
            }
        }
        QVERIFY2(f == ftp.operators.size(), ftp.name);
    }
    QCOMPARE(skipped, QStringList { QStringLiteral("Slovakia/4") });
    QCOMPARE(ftpOnly,
        (QStringList {
            QStringLiteral("Canada"), QStringLiteral("China"), QStringLiteral("Russia"), QStringLiteral("Other") }));
    QVERIFY(FtpPresets().back().operators.empty());

    QStringList smtpOnly;
    for (const CountryPresets &smtp : SmtpPresets()) {
        if (!FindCountry(FtpPresets(), smtp.name))
            smtpOnly << Text(smtp.name);
    }
    QCOMPARE(
        smtpOnly, (QStringList { QStringLiteral("Romania"), QStringLiteral("Slovenia"), QStringLiteral("Poland") }));
}

void TestPresets::goMobilCarriesTMobileValues()
{
    const CountryPresets *czech = FindCountry(MmsPresets(), "Czech Republic");
    QVERIFY(czech);
    QCOMPARE(czech->operators[2].name, "T-Mobile");
    QCOMPARE(czech->operators[3].name, "GoMobil");
    QVERIFY(SameValues(czech->operators[2], czech->operators[3]));
}

void TestPresets::valuesFitTheSettingsFile_data()
{
    QTest::addColumn<Table>("table");
    QTest::newRow("mms") << Table::Mms;
    QTest::newRow("smtp") << Table::Smtp;
    QTest::newRow("ftp") << Table::Ftp;
}

// Load reads a country back from 16 bytes, an operator from its 45-byte room and a value from 48.
void TestPresets::valuesFitTheSettingsFile()
{
    QFETCH(Table, table);
    const auto ascii = QStringLiteral("[\\x20-\\x7e]*");
    for (const CountryPresets &country : PresetTable(table)) {
        QVERIFY2(std::strlen(country.name) <= 16 && Matches(ascii, country.name), country.name);
        for (const CarrierPreset &op : country.operators) {
            QVERIFY2(!Text(op.name).isEmpty() && std::strlen(op.name) <= 45 && Matches(ascii, op.name), op.name);
            for (const char *value : { op.apn, op.username, op.password, op.mmsc, op.proxy, op.port }) {
                QVERIFY2(std::strlen(value) < 48 && Matches(ascii, value), value);
                QVERIFY2(!Text(value).contains(QLatin1Char(' ')), value);
            }
        }
    }
}

void TestPresets::mailServers_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("servers");
    QTest::addColumn<QString>("port");
    QTest::addColumn<Security>("security");

    QTest::newRow("Other") << 0 << QStringLiteral("Other") << QStringList { QString() } << QString() << Security::NoSsl;
    QTest::newRow("G-mail") << 1 << QStringLiteral("G-mail") << QStringList { QStringLiteral("smtp.gmail.com") }
                            << QStringLiteral("465") << Security::Ssl;
    QTest::newRow("Hotmail") << 2 << QStringLiteral("Hotmail")
                             << QStringList { QStringLiteral("smtp-mail.outlook.com"), QStringLiteral("smtp.live.com") }
                             << QStringLiteral("25") << Security::StartTls;
}

void TestPresets::mailServers()
{
    QFETCH(int, position);
    QFETCH(QString, item);
    QFETCH(QStringList, servers);
    QFETCH(QString, port);
    QFETCH(Security, security);

    QCOMPARE(MailServerPresets().size(), std::size_t(3));
    const MailServerPreset &preset = MailServerPresets()[std::size_t(position)];
    QCOMPARE(Text(preset.item), item);
    QVERIFY2(servers.contains(Text(preset.server)), preset.server);
    QCOMPARE(Text(preset.port), port);
    QCOMPARE(preset.security, security);
}

void TestPresets::smtpStartupOperators()
{
    QStringList startup;
    for (const char *name : SmtpStartupOperators())
        startup << Text(name);
    QCOMPARE(startup,
        (QStringList { QStringLiteral("A1"), QStringLiteral("T-Mobile"), QStringLiteral("Telering"),
            QStringLiteral("Bob"), QStringLiteral("drei.at") }));

    // Same operators at the same positions as a pick of "Austria" lists, two of them spelt differently.
    const auto austria = SmtpPresets()[0].operators;
    QCOMPARE(SmtpPresets()[0].name, "Austria");
    QCOMPARE(startup.size(), qsizetype(austria.size()));
    QStringList differing;
    for (std::size_t i = 0; i < austria.size(); ++i) {
        if (startup[qsizetype(i)] != Text(austria[i].name))
            differing << Text(austria[i].name);
    }
    QCOMPARE(differing, (QStringList { QStringLiteral("T-mobile"), QStringLiteral("Drei") }));
}

void TestPresets::findCarrier_data()
{
    QTest::addColumn<Table>("table");
    QTest::addColumn<int>("country");
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("name"); // null: no entry

    QTest::newRow("mms first") << Table::Mms << 0 << 0 << QStringLiteral("Movistar");
    QTest::newRow("mms last") << Table::Mms << 32 << 2 << QStringLiteral("Verizon");
    QTest::newRow("mms listed without values") << Table::Mms << 12 << 2 << QStringLiteral("Vodafone");
    QTest::newRow("mms no country") << Table::Mms << -1 << 0 << QString();
    QTest::newRow("mms no operator") << Table::Mms << 0 << -1 << QString();
    QTest::newRow("mms country past end") << Table::Mms << 33 << 0 << QString();
    QTest::newRow("mms operator past end") << Table::Mms << 0 << 1 << QString();
    QTest::newRow("smtp last") << Table::Smtp << 17 << 3 << QStringLiteral("PLUS");
    QTest::newRow("smtp slovakia 4") << Table::Smtp << 11 << 1 << QStringLiteral("4");
    QTest::newRow("smtp country past end") << Table::Smtp << 18 << 0 << QString();
    QTest::newRow("smtp operator past end") << Table::Smtp << 17 << 4 << QString();
    QTest::newRow("ftp china unicom") << Table::Ftp << 2 << 1 << QStringLiteral("China Unicom");
    QTest::newRow("ftp slovakia without 4") << Table::Ftp << 13 << 1 << QStringLiteral("T-Mobile");
    QTest::newRow("ftp last real") << Table::Ftp << 17 << 1 << QStringLiteral("T-Mobile");
    QTest::newRow("ftp Other") << Table::Ftp << 18 << 0 << QString();
    QTest::newRow("ftp country past end") << Table::Ftp << 19 << 0 << QString();
    QTest::newRow("ftp both unset") << Table::Ftp << -1 << -1 << QString();
}

void TestPresets::findCarrier()
{
    QFETCH(Table, table);
    QFETCH(int, country);
    QFETCH(int, op);
    QFETCH(QString, name);

    const auto presets = PresetTable(table);
    const CarrierPreset *found = FindCarrier(presets, country, op);
    if (name.isNull()) {
        QCOMPARE(found, nullptr);
        return;
    }
    QVERIFY(found);
    QCOMPARE(Text(found->name), name);
    QCOMPARE(found, &presets[std::size_t(country)].operators[std::size_t(op)]);
}

QTEST_APPLESS_MAIN(TestPresets)
#include "tst_presets.moc"
