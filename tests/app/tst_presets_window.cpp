// The country, operator and mail-server picks on the MMS, SMTP and FTP tabs, driven as a user drives them, checked
// against the preset tables the product carries.

#include "formtest.h"
#include "../presets/listedcarriers.h"

#include "presets/presets.h"
#include "settings/parameterdata.h"
#include "settings/parameterfile.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <iterator>
#include <memory>
#include <span>

using namespace Qt::StringLiterals;
using formtest::PickItem;

namespace {

// One tab's country and operator boxes and the fields its operator table fills, in the table's value order.
struct Tab
{
    QString name;
    std::span<const CountryPresets> table;
    QString countryBox;
    QString operatorBox;
    QStringList fields;
};

const QList<Tab> &Tabs()
{
    static const QList<Tab> tabs {
        { u"MMS"_s, MmsPresets(), u"ComboBox3"_s, u"ComboBox4"_s,
            { u"apn"_s, u"username"_s, u"password"_s, u"mmsc"_s, u"proxy"_s, u"port"_s } },
        { u"SMTP"_s, SmtpPresets(), u"ComboBox7"_s, u"ComboBox8"_s,
            { u"smtpapn"_s, u"smtpusername"_s, u"smtppassword"_s } },
        { u"FTP"_s, FtpPresets(), u"ComboBox12"_s, u"ComboBox13"_s,
            { u"ftpapn"_s, u"ftpusername"_s, u"ftppassword"_s } },
    };
    return tabs;
}

const Tab &TabNamed(const QString &name)
{
    for (const Tab &tab : Tabs()) {
        if (tab.name == name)
            return tab;
    }
    qFatal("no tab %s", qPrintable(name));
}

const QStringList MailControls { u"ComboBox9"_s, u"servertxt"_s, u"usernametxt"_s, u"passwordtxt"_s, u"porttxt"_s,
    u"RadioButton1"_s, u"RadioButton2"_s, u"RadioButton3"_s };

int CountryIndex(std::span<const CountryPresets> table, const char *name)
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (std::strcmp(table[i].name, name) == 0)
            return static_cast<int>(i);
    }
    qFatal("no country %s", name);
}

int OperatorIndex(const CountryPresets &country, const char *name)
{
    for (std::size_t i = 0; i < country.operators.size(); ++i) {
        if (std::strcmp(country.operators[i].name, name) == 0)
            return static_cast<int>(i);
    }
    qFatal("no operator %s in %s", name, country.name);
}

QStringList OperatorNames(const CountryPresets &country)
{
    QStringList names;
    for (const CarrierPreset &carrier : country.operators)
        names << QString::fromLatin1(carrier.name);
    return names;
}

// What an operator with values puts into a tab with `count` fields.
QStringList CarrierTexts(const CarrierPreset &carrier, qsizetype count)
{
    const QStringList all { QString::fromLatin1(carrier.apn), QString::fromLatin1(carrier.username),
        QString::fromLatin1(carrier.password), QString::fromLatin1(carrier.mmsc), QString::fromLatin1(carrier.proxy),
        QString::fromLatin1(carrier.port) };
    return all.first(count);
}

QStringList Items(const TComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

} // namespace

class TestPresetsWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PrepareApplication(); }
    void init();
    void cleanup() { m_window.reset(); }

    void countryPick_data();
    void countryPick();
    void operatorPick_data();
    void operatorPick();
    void rebrandSharesValues_data();
    void rebrandSharesValues();
    void namedCases_data();
    void namedCases();
    void listedValues_data();
    void listedValues();
    void typedCountryKeepsOperators_data();
    void typedCountryKeepsOperators();
    void typedNonItemChangesNothing_data();
    void typedNonItemChangesNothing();
    void typedAccountCleared();

    void smtpStartupList();
    void ftpOperatorBeforeCountry();
    void ftpOtherAndBack();

    void mailServer_data();
    void mailServer();

    void pickThenSave_data();
    void pickThenSave();

private:
    TComboBox *box(const QString &name) const { return m_window->findChild<TComboBox *>(name); }
    QLineEdit *edit(const QString &name) const { return m_window->findChild<QLineEdit *>(name); }
    QStringList texts(const QStringList &fields) const;
    void fillEveryEdit();
    void typeInto(TComboBox *combo, const QString &text);
    QStringList changedOutside(const QMap<QString, QVariant> &before, const QStringList &allowed) const;

    std::unique_ptr<Tmainform1> m_window;
};

void TestPresetsWindow::init()
{
    m_window = std::make_unique<Tmainform1>();
    m_window->Timer1->stop();
}

QStringList TestPresetsWindow::texts(const QStringList &fields) const
{
    QStringList result;
    for (const QString &field : fields)
        result << edit(field)->text();
    return result;
}

// Text of the user's own in every edit and a non-start-up choice in every switch, so that a preset that wrote
// outside its fields, or wrote an empty value over them, shows.
void TestPresetsWindow::fillEveryEdit()
{
    const auto edits = m_window->findChildren<QLineEdit *>();
    for (QLineEdit *field : edits) {
        if (!qobject_cast<QComboBox *>(field->parentWidget()))
            field->setText(u"user "_s + field->objectName());
    }
    m_window->ComboBox1->setSelectedIndex(1);
    m_window->ComboBox2->setSelectedIndex(0);
    m_window->ComboBox5->setSelectedIndex(0);
    m_window->ComboBox6->setSelectedIndex(1);
    m_window->ComboBox10->setSelectedIndex(0);
}

// Replaces the box's text by typing, one key at a time, as the user does.
void TestPresetsWindow::typeInto(TComboBox *combo, const QString &text)
{
    QLineEdit *field = combo->lineEdit();
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

QStringList TestPresetsWindow::changedOutside(const QMap<QString, QVariant> &before, const QStringList &allowed) const
{
    QStringList changed = formtest::Changed(before, formtest::Snapshot(*m_window));
    changed.removeIf([&allowed](const QString &name) { return allowed.contains(name); });
    return changed;
}

void TestPresetsWindow::countryPick_data()
{
    QTest::addColumn<QString>("tab");
    QTest::addColumn<int>("country");
    for (const Tab &tab : Tabs()) {
        for (std::size_t c = 0; c < tab.table.size(); ++c)
            QTest::addRow("%s %s", qPrintable(tab.name), tab.table[c].name) << tab.name << static_cast<int>(c);
    }
}

// Every country rebuilds the operator list, selects the first operator without raising its change event and
// overwrites the fields with its preset; nothing else in the window moves.
void TestPresetsWindow::countryPick()
{
    QFETCH(QString, tab);
    QFETCH(int, country);
    const Tab &t = TabNamed(tab);
    const CountryPresets &entry = t.table[static_cast<std::size_t>(country)];
    TComboBox *countryBox = box(t.countryBox);
    TComboBox *operatorBox = box(t.operatorBox);

    fillEveryEdit();
    const QStringList before = texts(t.fields);
    const auto snapshot = formtest::Snapshot(*m_window);
    QSignalSpy operatorChanges(operatorBox, &TComboBox::changed);

    PickItem(countryBox, country);

    QCOMPARE(countryBox->selectedIndex(), country);
    QCOMPARE(countryBox->text(), QString::fromLatin1(entry.name));
    QCOMPARE(Items(operatorBox), OperatorNames(entry));
    QCOMPARE(operatorChanges.size(), 0);
    if (entry.operators.empty()) {
        // "Other": the user types the access point.
        QCOMPARE(operatorBox->selectedIndex(), -1);
        QCOMPARE(operatorBox->text(), QString());
        QCOMPARE(texts(t.fields), QStringList(t.fields.size(), QString()));
    } else {
        QCOMPARE(operatorBox->selectedIndex(), 0);
        QCOMPARE(operatorBox->text(), QString::fromLatin1(entry.operators.front().name));
        const CarrierPreset &first = entry.operators.front();
        QCOMPARE(texts(t.fields), first.hasValues ? CarrierTexts(first, t.fields.size()) : before);
    }
    QCOMPARE(changedOutside(snapshot, QStringList { t.countryBox, t.operatorBox } + t.fields), QStringList());
}

void TestPresetsWindow::operatorPick_data()
{
    QTest::addColumn<QString>("tab");
    QTest::addColumn<int>("country");
    QTest::addColumn<int>("op");

    const auto rows = [](const QString &tabName, std::initializer_list<const char *> countries) {
        const Tab &t = TabNamed(tabName);
        for (const char *name : countries) {
            const int c = CountryIndex(t.table, name);
            const CountryPresets &entry = t.table[static_cast<std::size_t>(c)];
            for (std::size_t o = 0; o < entry.operators.size(); ++o) {
                QTest::addRow("%s %s %s", qPrintable(tabName), name, entry.operators[o].name)
                    << tabName << c << static_cast<int>(o);
            }
        }
    };
    rows(u"MMS"_s, { "Austria", "Czech Republic", "Hungary", "UnitedKingdom", "UnitedStates" });
    rows(u"SMTP"_s, { "Romania", "Slovakia", "United Kingdom", "Poland" });
    rows(u"FTP"_s, { "Austria", "China", "Germany", "United Kingdom" });
}

// After a country pick every operator of it applies its own preset over what the user typed; one without values
// (Hungary's "Telenor" and "Vodafone" on MMS) leaves the fields as they are.
void TestPresetsWindow::operatorPick()
{
    QFETCH(QString, tab);
    QFETCH(int, country);
    QFETCH(int, op);
    const Tab &t = TabNamed(tab);
    const CarrierPreset &carrier = t.table[static_cast<std::size_t>(country)].operators[static_cast<std::size_t>(op)];
    TComboBox *countryBox = box(t.countryBox);
    TComboBox *operatorBox = box(t.operatorBox);

    PickItem(countryBox, country);
    fillEveryEdit();
    const QStringList before = texts(t.fields);
    const auto snapshot = formtest::Snapshot(*m_window);

    PickItem(operatorBox, op);

    QCOMPARE(countryBox->selectedIndex(), country);
    QCOMPARE(operatorBox->selectedIndex(), op);
    QCOMPARE(operatorBox->text(), QString::fromLatin1(carrier.name));
    QCOMPARE(texts(t.fields), carrier.hasValues ? CarrierTexts(carrier, t.fields.size()) : before);
    QCOMPARE(changedOutside(snapshot, QStringList { t.operatorBox } + t.fields), QStringList());
}

void TestPresetsWindow::rebrandSharesValues_data()
{
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QString>("country");
    QTest::newRow("MMS") << u"MMS"_s << u"Czech Republic"_s;
    QTest::newRow("SMTP") << u"SMTP"_s << u"Czech Republic"_s;
    QTest::newRow("FTP") << u"FTP"_s << u"Czech Republic"_s;
}

// "GoMobil" rides on T-Mobile's network in the Czech Republic: its pick fills what "T-Mobile" fills.
void TestPresetsWindow::rebrandSharesValues()
{
    QFETCH(QString, tab);
    QFETCH(QString, country);
    const Tab &t = TabNamed(tab);
    TComboBox *countryBox = box(t.countryBox);
    TComboBox *operatorBox = box(t.operatorBox);

    PickItem(countryBox, countryBox->findText(country));
    PickItem(operatorBox, operatorBox->findText(u"T-Mobile"_s));
    const QStringList tMobile = texts(t.fields);
    QVERIFY(tMobile.first().contains(u'.'));
    fillEveryEdit();
    const int last = operatorBox->count() - 1;
    QCOMPARE(operatorBox->itemText(last), u"GoMobil"_s);
    PickItem(operatorBox, last);
    QCOMPARE(texts(t.fields), tMobile);
}

void TestPresetsWindow::namedCases_data()
{
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QString>("country");
    QTest::addColumn<QString>("op"); // empty: the country pick's own first operator
    QTest::addColumn<QStringList>("items"); // empty: not checked
    QTest::addColumn<QStringList>("expect"); // "field=text"; "field=*" any non-empty text, "field=." a dotted name

    QTest::newRow("MMS Austria") << u"MMS"_s << u"Austria"_s << QString()
                                 << QStringList { u"Drei"_s, u"A1"_s, u"T-mobile"_s, u"Orange"_s, u"Telering"_s }
                                 << QStringList { u"apn=."_s, u"username="_s, u"password="_s, u"port=8799"_s };
    QTest::newRow("MMS Czech GoMobil") << u"MMS"_s << u"Czech Republic"_s << u"GoMobil"_s << QStringList()
                                       << QStringList { u"apn=."_s, u"port=80"_s };
    QTest::newRow("MMS Hungary T-mobile")
        << u"MMS"_s << u"Hungary"_s << u"T-mobile"_s << QStringList { u"T-mobile"_s, u"Telenor"_s, u"Vodafone"_s }
        << QStringList { u"apn=."_s, u"mmsc=*"_s, u"proxy=*"_s, u"port=*"_s };
    QTest::newRow("SMTP Slovakia") << u"SMTP"_s << u"Slovakia"_s << QString()
                                   << QStringList { u"O2"_s, u"4"_s, u"T-Mobile"_s, u"Orange"_s }
                                   << QStringList { u"smtpapn=o2internet"_s, u"smtpusername="_s, u"smtppassword="_s };
    QTest::newRow("SMTP Poland") << u"SMTP"_s << u"Poland"_s << QString()
                                 << QStringList { u"ORANGE"_s, u"T-mobile"_s, u"PLAY"_s, u"PLUS"_s }
                                 << QStringList { u"smtpapn=internet"_s, u"smtpusername=internet"_s };
    QTest::newRow("SMTP United Kingdom O2") << u"SMTP"_s << u"United Kingdom"_s << u"O2"_s << QStringList()
                                            << QStringList { u"smtpusername="_s, u"smtppassword=*"_s };
    QTest::newRow("FTP China") << u"FTP"_s << u"China"_s << QString()
                               << QStringList { u"China Mobile"_s, u"China Unicom"_s }
                               << QStringList { u"ftpapn=cmnet"_s, u"ftpusername="_s, u"ftppassword="_s };
    QTest::newRow("FTP Russia") << u"FTP"_s << u"Russia"_s << QString() << QStringList()
                                << QStringList { u"ftpusername=mts"_s, u"ftppassword="_s };
}

// The examples the product's description gives, with their literal texts.
void TestPresetsWindow::namedCases()
{
    QFETCH(QString, tab);
    QFETCH(QString, country);
    QFETCH(QString, op);
    QFETCH(QStringList, items);
    QFETCH(QStringList, expect);
    const Tab &t = TabNamed(tab);
    TComboBox *operatorBox = box(t.operatorBox);

    fillEveryEdit();
    const int c = box(t.countryBox)->findText(country);
    QVERIFY(c >= 0);
    PickItem(box(t.countryBox), c);
    if (!items.isEmpty()) {
        QCOMPARE(Items(operatorBox), items);
        QCOMPARE(operatorBox->text(), items.first());
    }
    if (!op.isEmpty()) {
        const int o = operatorBox->findText(op);
        QVERIFY(o >= 0);
        PickItem(operatorBox, o);
        QCOMPARE(operatorBox->text(), op);
    }
    for (const QString &rule : expect) {
        const QString field = rule.section(u'=', 0, 0);
        const QString value = rule.section(u'=', 1);
        const QString shown = edit(field)->text();
        if (value == u"*")
            QVERIFY2(!shown.isEmpty() && !shown.startsWith(u"user "), qPrintable(field));
        else if (value == u".")
            QVERIFY2(shown.contains(u'.') && !shown.startsWith(u"user "), qPrintable(field + u": "_s + shown));
        else
            QCOMPARE(shown, value);
    }
}

void TestPresetsWindow::listedValues_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(ListedCarriers)); ++i) {
        const ListedCarrier &carrier = ListedCarriers[i];
        QTest::addRow("%s %s %s", carrier.tab, carrier.country, carrier.op) << i;
    }
}

// Picked as the user picks them, a few operators show what the public APN list gives for them.
void TestPresetsWindow::listedValues()
{
    QFETCH(int, row);
    const ListedCarrier &carrier = ListedCarriers[row];
    const Tab &t = TabNamed(QString::fromLatin1(carrier.tab));
    TComboBox *countryBox = box(t.countryBox);
    TComboBox *operatorBox = box(t.operatorBox);

    fillEveryEdit();
    PickItem(countryBox, countryBox->findText(QString::fromLatin1(carrier.country)));
    PickItem(operatorBox, operatorBox->findText(QString::fromLatin1(carrier.op)));
    QCOMPARE(operatorBox->text(), QString::fromLatin1(carrier.op));
    for (qsizetype f = 0; f < t.fields.size(); ++f) {
        if (const char *listed = carrier.values[f])
            QCOMPARE(edit(t.fields[f])->text(), QString::fromLatin1(listed));
    }
}

void TestPresetsWindow::typedCountryKeepsOperators_data()
{
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QString>("country"); // empty: no pick before typing
    QTest::addColumn<int>("op");
    QTest::newRow("MMS Austria Telering") << u"MMS"_s << u"Austria"_s << 4;
    QTest::newRow("MMS at start") << u"MMS"_s << QString() << -1;
    QTest::newRow("SMTP United Kingdom Virgin") << u"SMTP"_s << u"United Kingdom"_s << 6;
    QTest::newRow("SMTP at start") << u"SMTP"_s << QString() << -1;
    QTest::newRow("FTP Germany Blau") << u"FTP"_s << u"Germany"_s << 2;
    QTest::newRow("FTP at start") << u"FTP"_s << QString() << -1;
}

// A typed text that names no country keeps the operator list, selects its first item and fills nothing: the
// fields keep what the last preset or the user put there.
void TestPresetsWindow::typedCountryKeepsOperators()
{
    QFETCH(QString, tab);
    QFETCH(QString, country);
    QFETCH(int, op);
    const Tab &t = TabNamed(tab);
    TComboBox *countryBox = box(t.countryBox);
    TComboBox *operatorBox = box(t.operatorBox);

    if (!country.isEmpty()) {
        PickItem(countryBox, countryBox->findText(country));
        PickItem(operatorBox, op);
    }
    const QStringList items = Items(operatorBox);
    const QStringList fields = texts(t.fields);
    const auto snapshot = formtest::Snapshot(*m_window);

    typeInto(countryBox, u"Qx"_s);

    QCOMPARE(countryBox->text(), u"Qx"_s);
    QCOMPARE(countryBox->selectedIndex(), -1);
    QCOMPARE(Items(operatorBox), items);
    QCOMPARE(operatorBox->selectedIndex(), 0);
    QCOMPARE(operatorBox->text(), items.first());
    QCOMPARE(texts(t.fields), fields);
    QCOMPARE(changedOutside(snapshot, { t.countryBox, t.operatorBox }), QStringList());
}

void TestPresetsWindow::typedNonItemChangesNothing_data()
{
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("countryBox"); // picked first at `country`, unless empty
    QTest::addColumn<int>("country");
    QTest::newRow("MMS operator") << u"ComboBox4"_s << u"ComboBox3"_s << 30;
    QTest::newRow("SMTP operator") << u"ComboBox8"_s << u"ComboBox7"_s << 4;
    QTest::newRow("FTP operator") << u"ComboBox13"_s << u"ComboBox12"_s << 12;
    QTest::newRow("FTP operator at start") << u"ComboBox13"_s << QString() << -1;
    QTest::newRow("mail server") << u"ComboBox9"_s << QString() << -1;
}

// An operator or mail-server text that is no item leaves every other control as it was.
void TestPresetsWindow::typedNonItemChangesNothing()
{
    QFETCH(QString, boxName);
    QFETCH(QString, countryBox);
    QFETCH(int, country);
    if (!countryBox.isEmpty())
        PickItem(box(countryBox), country);
    fillEveryEdit();
    const auto snapshot = formtest::Snapshot(*m_window);

    typeInto(box(boxName), u"Qx"_s);

    QCOMPARE(box(boxName)->selectedIndex(), -1);
    QCOMPARE(box(boxName)->text(), u"Qx"_s);
    QCOMPARE(changedOutside(snapshot, { boxName }), QStringList());
}

// A user name and password the user typed give way to an operator's empty ones.
void TestPresetsWindow::typedAccountCleared()
{
    Tmainform1 &w = *m_window;
    PickItem(w.ComboBox3, w.ComboBox3->findText(u"Australia"_s));
    formtest::TypeText(w.username, u"me"_s);
    formtest::TypeText(w.password, u"secret"_s);
    QCOMPARE(w.password->text(), u"secret"_s);
    PickItem(w.ComboBox4, w.ComboBox4->findText(u"Optus"_s));
    QCOMPARE(w.apn->text(), u"mms"_s);
    QCOMPARE(w.username->text(), QString());
    QCOMPARE(w.password->text(), QString());
    QCOMPARE(w.port->text(), u"8070"_s);

    PickItem(w.ComboBox7, w.ComboBox7->findText(u"Latvia"_s));
    formtest::TypeText(w.smtpusername, u"me"_s);
    formtest::TypeText(w.smtppassword, u"secret"_s);
    PickItem(w.ComboBox8, w.ComboBox8->findText(u"LMT"_s));
    QCOMPARE(w.smtpusername->text(), QString());
    QCOMPARE(w.smtppassword->text(), QString());
}

// The start-up operator list is the form's, not the one a pick of "Austria" builds; its positions still name the
// same operators, so a pick there applies the table's entry at that position.
void TestPresetsWindow::smtpStartupList()
{
    Tmainform1 &w = *m_window;
    const CountryPresets &austria = SmtpPresets()[0];
    QStringList startup;
    for (const char *name : SmtpStartupOperators())
        startup << QString::fromLatin1(name);
    QCOMPARE(Items(w.ComboBox8), startup);
    QVERIFY(startup != OperatorNames(austria));

    fillEveryEdit();
    PickItem(w.ComboBox8, 4);
    QCOMPARE(Items(w.ComboBox8), startup);
    QCOMPARE(w.ComboBox8->text(), startup.at(4));
    QCOMPARE(texts(TabNamed(u"SMTP"_s).fields), CarrierTexts(austria.operators[4], 3));

    PickItem(w.ComboBox7, 0);
    QCOMPARE(Items(w.ComboBox8), OperatorNames(austria));
    QCOMPARE(w.ComboBox8->text(), u"A1"_s);
}

// Before any country has been picked the FTP country box names none, so an operator pick fills nothing.
void TestPresetsWindow::ftpOperatorBeforeCountry()
{
    Tmainform1 &w = *m_window;
    QCOMPARE(w.ComboBox12->selectedIndex(), -1);
    const auto snapshot = formtest::Snapshot(w);
    PickItem(w.ComboBox13, 1);
    QCOMPARE(w.ComboBox13->text(), u"China Unicom"_s);
    QCOMPARE(w.ftpapn->text(), u"cmwap"_s);
    QCOMPARE(formtest::Changed(snapshot, formtest::Snapshot(w)), QStringList { u"ComboBox13"_s });
}

void TestPresetsWindow::ftpOtherAndBack()
{
    Tmainform1 &w = *m_window;
    const int other = w.ComboBox12->count() - 1;
    QCOMPARE(w.ComboBox12->itemText(other), u"Other"_s);
    PickItem(w.ComboBox12, w.ComboBox12->findText(u"Spain"_s));
    QVERIFY(!w.ftpusername->text().isEmpty());

    PickItem(w.ComboBox12, other);
    QCOMPARE(w.ComboBox13->count(), 0);
    QCOMPARE(w.ComboBox13->selectedIndex(), -1);
    QCOMPARE(w.ComboBox13->text(), QString());
    QCOMPARE(texts(TabNamed(u"FTP"_s).fields), QStringList(3, QString()));

    // The user's own access point survives a country text that names nothing.
    formtest::TypeText(w.ftpapn, u"my.apn"_s);
    typeInto(w.ComboBox12, u"Qx"_s);
    QCOMPARE(w.ComboBox13->count(), 0);
    QCOMPARE(w.ComboBox13->text(), QString());
    QCOMPARE(w.ftpapn->text(), u"my.apn"_s);

    // Picking "Other" again empties what the user typed.
    PickItem(w.ComboBox12, other);
    QCOMPARE(w.ftpapn->text(), QString());

    const int latvia = w.ComboBox12->findText(u"Latvia"_s);
    PickItem(w.ComboBox12, latvia);
    const CountryPresets &entry = FtpPresets()[static_cast<std::size_t>(latvia)];
    QCOMPARE(Items(w.ComboBox13), OperatorNames(entry));
    QCOMPARE(w.ComboBox13->text(), u"Tele2"_s);
    QCOMPARE(w.ftpusername->text(), u"wap"_s);
    QCOMPARE(texts(TabNamed(u"FTP"_s).fields), CarrierTexts(entry.operators.front(), 3));
}

void TestPresetsWindow::mailServer_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("userRadio"); // what the user had selected before the pick

    QTest::newRow("Other") << 0 << QString() << u"RadioButton1"_s << u"RadioButton3"_s;
    QTest::newRow("G-mail") << 1 << u"465"_s << u"RadioButton2"_s << u"RadioButton1"_s;
    QTest::newRow("Hotmail") << 2 << u"25"_s << u"RadioButton3"_s << u"RadioButton2"_s;
}

void TestPresetsWindow::mailServer()
{
    QFETCH(int, choice);
    QFETCH(QString, port);
    QFETCH(QString, radio);
    QFETCH(QString, userRadio);
    Tmainform1 &w = *m_window;
    const MailServerPreset &preset = MailServerPresets()[static_cast<std::size_t>(choice)];

    fillEveryEdit();
    formtest::TypeText(w.usernametxt, u"me@example.org"_s);
    formtest::TypeText(w.passwordtxt, u"secret"_s);
    QTest::mouseClick(m_window->findChild<QRadioButton *>(userRadio), Qt::LeftButton);
    const auto snapshot = formtest::Snapshot(w);

    PickItem(w.ComboBox9, choice);

    QCOMPARE(w.ComboBox9->text(), QString::fromLatin1(preset.item));
    QCOMPARE(w.servertxt->text(), QString::fromLatin1(preset.server));
    QCOMPARE(w.servertxt->text().isEmpty(), choice == 0);
    QCOMPARE(w.usernametxt->text(), QString());
    QCOMPARE(w.passwordtxt->text(), QString());
    QCOMPARE(w.porttxt->text(), port);
    for (QRadioButton *button : { w.RadioButton1, w.RadioButton2, w.RadioButton3 })
        QCOMPARE(button->isChecked(), button->objectName() == radio);
    QCOMPARE(changedOutside(snapshot, MailControls), QStringList());
}

void TestPresetsWindow::pickThenSave_data()
{
    QTest::addColumn<bool>("ftpOn");
    QTest::newRow("FTP off: the SMTP connection is stored") << false;
    QTest::newRow("FTP on: the FTP connection is stored") << true;
}

// Save stores what the picks filled in, through the real save dialog.
void TestPresetsWindow::pickThenSave()
{
    QFETCH(bool, ftpOn);
    Tmainform1 &w = *m_window;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"Parameter.dat"_s);

    const int mmsCountry = CountryIndex(MmsPresets(), "UnitedKingdom");
    const CountryPresets &mms = MmsPresets()[static_cast<std::size_t>(mmsCountry)];
    const int mmsOp = OperatorIndex(mms, "Vodafone Prep");
    const int smtpCountry = CountryIndex(SmtpPresets(), "Romania");
    const CountryPresets &smtp = SmtpPresets()[static_cast<std::size_t>(smtpCountry)];
    const int smtpOp = OperatorIndex(smtp, "Vodafone");
    const int ftpCountry = CountryIndex(FtpPresets(), "United States");
    const CountryPresets &ftp = FtpPresets()[static_cast<std::size_t>(ftpCountry)];
    const int ftpOp = OperatorIndex(ftp, "AT&T");

    PickItem(w.ComboBox3, mmsCountry);
    PickItem(w.ComboBox4, mmsOp);
    PickItem(w.ComboBox7, smtpCountry);
    PickItem(w.ComboBox8, smtpOp);
    PickItem(w.ComboBox12, ftpCountry);
    PickItem(w.ComboBox13, ftpOp);
    PickItem(w.ComboBox9, 2);
    if (ftpOn)
        PickItem(w.ComboBox10, 1);

    formtest::ModalAnswerer answerer(&w);
    answerer.messageBox(QMessageBox::Save); // the page switched off differs: Save anyway
    answerer.fileDialog(path);
    QTest::mouseClick(w.Button3, Qt::LeftButton);
    QVERIFY(answerer.allAnswered());
    QCOMPARE(answerer.unexpected(), QStringList());
    QString error;
    const std::optional<QByteArray> image = ReadParameterFile(path, &error);
    QVERIFY2(image, qPrintable(error));
    const ParameterValues stored = ReadParameterData(*image);

    const CarrierPreset &mmsCarrier = mms.operators[static_cast<std::size_t>(mmsOp)];
    QCOMPARE(stored.ComboBox3, QString::fromLatin1(mms.name));
    QCOMPARE(stored.ComboBox4, QString::fromLatin1(mmsCarrier.name));
    QCOMPARE((QStringList { stored.apn, stored.username, stored.password, stored.mmsc, stored.proxy, stored.port }),
        CarrierTexts(mmsCarrier, 6));

    const CountryPresets &connection = ftpOn ? ftp : smtp;
    const CarrierPreset &carrier = connection.operators[static_cast<std::size_t>(ftpOn ? ftpOp : smtpOp)];
    QCOMPARE(stored.ComboBox7, QString::fromLatin1(connection.name));
    QCOMPARE(stored.ComboBox8, QString::fromLatin1(carrier.name));
    QCOMPARE((QStringList { stored.smtpapn, stored.smtpusername, stored.smtppassword }), CarrierTexts(carrier, 3));

    const MailServerPreset &hotmail = MailServerPresets()[2];
    QCOMPARE(stored.servertxt, QString::fromLatin1(hotmail.server));
    QCOMPARE(stored.porttxt, u"25"_s);
    QCOMPARE(stored.usernametxt, QString());
    QCOMPARE(stored.passwordtxt, QString());
    QCOMPARE(stored.security, Security::StartTls);
}

QTEST_MAIN(TestPresetsWindow)
#include "tst_presets_window.moc"
