#include "i18n/formtexts.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

class TestFormTexts : public QObject
{
    Q_OBJECT

private slots:
    void everyCaptionedControlHasOneCaption();
    void captions_data();
    void captions();
    void comboBoxes_data();
    void comboBoxes();
    void everyComboBoxOnce();
    void onlyTheFiveUnselectedBoxesShowAText();
    void smtpOperatorsAreTheFormsOwn();
    void languageNames();
    void unknownControls();
};

static QString name(const char *control)
{
    return QString::fromLatin1(control);
}

void TestFormTexts::everyCaptionedControlHasOneCaption()
{
    // The window's tables: three buttons, four tabs, the three captioned group
    // boxes of MENU, Label1 to Label65 without Label63, three radio buttons.
    QSet<QString> expected;
    for (int i = 1; i <= 3; ++i)
        expected << u"Button%1"_s.arg(i) << u"GroupBox%1"_s.arg(i) << u"RadioButton%1"_s.arg(i);
    for (int i = 1; i <= 4; ++i)
        expected << u"TabSheet%1"_s.arg(i);
    for (int i = 1; i <= 65; ++i) {
        if (i != 63)
            expected << u"Label%1"_s.arg(i);
    }
    QCOMPARE(expected.size(), 77);

    QSet<QString> listed;
    for (const ControlCaption &caption : StartupCaptions()) {
        QVERIFY2(!listed.contains(name(caption.control)), caption.control);
        listed << name(caption.control);
        QVERIFY2(!QString::fromUtf8(caption.text).trimmed().isEmpty(), caption.control);
    }
    QCOMPARE(listed, expected);
}

void TestFormTexts::captions_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption");

    QTest::newRow("MENU tab, 5 blanks each side") << u"TabSheet1"_s << u"     MENU     "_s;
    QTest::newRow("MMS tab, 5 blanks each side") << u"TabSheet2"_s << u"     MMS     "_s;
    QTest::newRow("SMTP tab, 5 blanks each side") << u"TabSheet3"_s << u"     SMTP     "_s;
    QTest::newRow("FTP tab, 5 before and 6 after") << u"TabSheet4"_s << u"     FTP      "_s;
    QTest::newRow("misspelt motion label") << u"Label15"_s << u"Motion detetion"_s;
    QTest::newRow("timer row") << u"Label14"_s << u"Timer1"_s;
    QTest::newRow("upper-case port on SMTP") << u"Label50"_s << u"PORT"_s;
    QTest::newRow("no blank in SMTP recipients") << u"Label51"_s << u"Email1"_s;
    QTest::newRow("blank in MMS recipients") << u"Label35"_s << u"Email 1"_s;
    QTest::newRow("FTP account") << u"Label65"_s << u"Account"_s;
    QTest::newRow("left button") << u"Button3"_s << u"Save"_s;
    QTest::newRow("security") << u"RadioButton3"_s << u"STARTTLS"_s;
}

void TestFormTexts::captions()
{
    QFETCH(QString, control);
    QFETCH(QString, caption);
    QCOMPARE(StartupCaption(control), caption);
}

void TestFormTexts::comboBoxes_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");

    QTest::newRow("rslcmb") << u"rslcmb"_s << 3 << u"20M"_s << u"12M"_s;
    QTest::newRow("intvcmb") << u"intvcmb"_s << 9 << u"1 Second"_s << u"30 Minutes"_s;
    QTest::newRow("mtcmb") << u"mtcmb"_s << 4 << u"Single"_s << u"9 Pictures"_s;
    QTest::newRow("isocmb") << u"isocmb"_s << 4 << u"AUTO"_s << u"400"_s;
    QTest::newRow("rslvcmb") << u"rslvcmb"_s << 4 << u"2K"_s << u"WVGA"_s;
    QTest::newRow("vdlcmb") << u"vdlcmb"_s << 4 << u"10s"_s << u"90s"_s;
    QTest::newRow("vccmb") << u"vccmb"_s << 2 << u"OFF"_s << u"ON"_s;
    QTest::newRow("modecmb, three modes") << u"modecmb"_s << 3 << u"Camera"_s << u"Camera&Video"_s;
    QTest::newRow("langcmb") << u"langcmb"_s << 15 << u"English"_s << u"Nederlands"_s;
    QTest::newRow("motcmb") << u"motcmb"_s << 3 << u"High"_s << u"Low"_s;
    QTest::newRow("tvcmb") << u"tvcmb"_s << 2 << u"NTSC"_s << u"PAL"_s;
    QTest::newRow("dtfmtcmb") << u"dtfmtcmb"_s << 3 << u"YY/MM/DD"_s << u"MM/DD/YY"_s;
    QTest::newRow("passcmb") << u"passcmb"_s << 2 << u"OFF"_s << u"ON"_s;
    QTest::newRow("ComboBox1") << u"ComboBox1"_s << 2 << u"OFF"_s << u"ON"_s;
    QTest::newRow("ComboBox2, upper-case AUTO") << u"ComboBox2"_s << 2 << u"Manual"_s << u"AUTO"_s;
    QTest::newRow("ComboBox3, MMS countries") << u"ComboBox3"_s << 33 << u"Argentina"_s << u"UnitedStates"_s;
    QTest::newRow("ComboBox4, Argentina's operator") << u"ComboBox4"_s << 1 << u"Movistar"_s << u"Movistar"_s;
    QTest::newRow("ComboBox5") << u"ComboBox5"_s << 2 << u"OFF"_s << u"ON"_s;
    QTest::newRow("ComboBox6") << u"ComboBox6"_s << 2 << u"Manual"_s << u"AUTO"_s;
    QTest::newRow("ComboBox7, Poland last") << u"ComboBox7"_s << 18 << u"Austria"_s << u"Poland"_s;
    QTest::newRow("ComboBox8, form's own list") << u"ComboBox8"_s << 5 << u"A1"_s << QString();
    QTest::newRow("ComboBox9") << u"ComboBox9"_s << 3 << u"Other"_s << u"Hotmail"_s;
    QTest::newRow("ComboBox10") << u"ComboBox10"_s << 2 << u"OFF"_s << u"ON"_s;
    QTest::newRow("ComboBox12, FTP countries") << u"ComboBox12"_s << 19 << u"Austria"_s << u"Other"_s;
    QTest::newRow("ComboBox13, China's operators") << u"ComboBox13"_s << 2 << u"China Mobile"_s << u"China Unicom"_s;
}

void TestFormTexts::comboBoxes()
{
    QFETCH(QString, control);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, last);

    const ComboItems *box = FindStartupComboItems(control);
    QVERIFY(box);
    QCOMPARE(box->items.size(), count);
    QCOMPARE(box->items.first(), first);
    if (!last.isNull())
        QCOMPARE(box->items.last(), last);
    QCOMPARE(QSet<QString>(box->items.begin(), box->items.end()).size(), count);
}

void TestFormTexts::everyComboBoxOnce()
{
    QStringList expected { u"rslcmb"_s, u"intvcmb"_s, u"mtcmb"_s, u"isocmb"_s, u"rslvcmb"_s, u"vdlcmb"_s, u"vccmb"_s,
        u"modecmb"_s, u"langcmb"_s, u"motcmb"_s, u"tvcmb"_s, u"dtfmtcmb"_s, u"passcmb"_s };
    for (int i = 1; i <= 13; ++i) {
        if (i != 11)
            expected << u"ComboBox%1"_s.arg(i);
    }
    QStringList listed;
    for (const ComboItems &box : StartupComboItems())
        listed << name(box.control);
    QCOMPARE(listed.size(), 25);
    QCOMPARE(QSet<QString>(listed.begin(), listed.end()), QSet<QString>(expected.begin(), expected.end()));
}

void TestFormTexts::onlyTheFiveUnselectedBoxesShowAText()
{
    const QHash<QString, QString> expected {
        { u"ComboBox5"_s, u"OFF"_s },
        { u"ComboBox6"_s, u"AUTO"_s },
        { u"ComboBox10"_s, u"OFF"_s },
        { u"ComboBox12"_s, u"China"_s },
        { u"ComboBox13"_s, u"China Mobile"_s },
    };
    for (const ComboItems &box : StartupComboItems()) {
        QCOMPARE(box.initialText, expected.value(name(box.control)));
        // The text names an item, so picking it later changes nothing the user sees.
        QVERIFY2(box.initialText.isEmpty() || box.items.contains(box.initialText), box.control);
    }
}

void TestFormTexts::smtpOperatorsAreTheFormsOwn()
{
    // Not the list a pick of Austria builds: "T-Mobile" and Drei as a web domain.
    const QStringList items = FindStartupComboItems(u"ComboBox8"_s)->items;
    QCOMPARE(items.at(1), u"T-Mobile"_s);
    QVERIFY2(QRegularExpression(u"^drei\\.[a-z]{2,}$"_s, QRegularExpression::CaseInsensitiveOption)
                 .match(items.at(4))
                 .hasMatch(),
        qPrintable(items.at(4)));
}

void TestFormTexts::languageNames()
{
    const QStringList expected { u"English"_s, u"Français"_s, u"Deutsch"_s, u"Italiano"_s, u"Español"_s, u"Português"_s,
        u"Hrvatski"_s, u"Dansk"_s, u"Svenska"_s, u"Suomi"_s, u"Polski"_s, u"Русский"_s, u"Česky"_s, u"Slovensky"_s,
        u"Nederlands"_s };
    QCOMPARE(LanguageNames(), expected);
    QCOMPARE(FindStartupComboItems(u"langcmb"_s)->items, expected);
}

void TestFormTexts::unknownControls()
{
    QVERIFY(StartupCaption(u"Label63"_s).isNull());
    QVERIFY(StartupCaption(u"GroupBox4"_s).isNull());
    QVERIFY(StartupCaption(u"label1"_s).isNull());
    QVERIFY(!FindStartupComboItems(u"ComboBox11"_s));
    QVERIFY(!FindStartupComboItems(u"Label1"_s));
}

QTEST_APPLESS_MAIN(TestFormTexts)
#include "tst_formtexts.moc"
