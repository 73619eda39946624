#include "i18n/captiontable.h"
#include "i18n/formtexts.h"

#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

using Names = QSet<QString>;

class TestCaptionTable : public QObject
{
    Q_OBJECT

private slots:
    void controlsExistInTheWindow();
    void shape_data();
    void shape();
    void differencesFromEnglish_data();
    void differencesFromEnglish();
    void englishEntryAgainstStartup();
    void texts_data();
    void texts();
    void russianScripts();
    void slovakIsCzechButOneItem();
};

static int languageIndex(const QString &name)
{
    return int(LanguageNames().indexOf(name));
}

static QString caption(const CaptionEntry &entry, const char *control)
{
    const auto found = std::find(CaptionControls.begin(), CaptionControls.end(), std::string_view(control));
    return found == CaptionControls.end() ? QString() : entry.captions[std::size_t(found - CaptionControls.begin())];
}

static QStringList items(const CaptionEntry &entry, const char *control)
{
    const auto found = std::find(ItemListControls.begin(), ItemListControls.end(), std::string_view(control));
    return found == ItemListControls.end() ? QStringList() : entry.items[std::size_t(found - ItemListControls.begin())];
}

static Names allBut(const auto &controls, const Names &except)
{
    Names names;
    for (const char *control : controls)
        names << QString::fromLatin1(control);
    return names - except;
}

void TestCaptionTable::controlsExistInTheWindow()
{
    Names seen;
    for (const char *control : CaptionControls) {
        QVERIFY2(!StartupCaption(QLatin1StringView(control)).isEmpty(), control);
        seen << QString::fromLatin1(control);
    }
    for (const char *control : ItemListControls) {
        QVERIFY2(FindStartupComboItems(QLatin1StringView(control)), control);
        seen << QString::fromLatin1(control);
    }
    QCOMPARE(seen.size(), CaptionCount + ItemListCount);

    // Texts the switch leaves alone in every language.
    for (const QString &kept : { u"TabSheet1"_s, u"Label25"_s, u"Label28"_s, u"Label35"_s, u"Label43"_s, u"Label46"_s,
             u"Label48"_s, u"Label50"_s, u"Label51"_s, u"Label54"_s, u"Label64"_s, u"RadioButton1"_s, u"isocmb"_s,
             u"vccmb"_s, u"langcmb"_s, u"ComboBox9"_s, u"ComboBox10"_s })
        QVERIFY2(!seen.contains(kept), qPrintable(kept));
}

void TestCaptionTable::shape_data()
{
    QTest::addColumn<int>("language");
    for (int i = 0; i < LanguageCount; ++i)
        QTest::newRow(LanguageNames().at(i).toUtf8().constData()) << i;
}

void TestCaptionTable::shape()
{
    QFETCH(int, language);
    const CaptionEntry &entry = CaptionTable(language);
    for (std::size_t i = 0; i < CaptionCount; ++i)
        QVERIFY2(!entry.captions[i].trimmed().isEmpty(), CaptionControls[i]);

    const std::array<qsizetype, ItemListCount> counts { 3, 9, 4, 4, 3, 2, 2, 2, 2, 2 };
    for (std::size_t k = 0; k < ItemListCount; ++k) {
        QCOMPARE(entry.items[k].size(), counts[k]);
        for (const QString &item : entry.items[k])
            QVERIFY2(!item.trimmed().isEmpty(), ItemListControls[k]);
    }
}

void TestCaptionTable::differencesFromEnglish_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("captionCount");
    QTest::addColumn<Names>("captions");
    QTest::addColumn<int>("listCount");
    QTest::addColumn<Names>("lists");

    const Names czechCaptions
        = allBut(CaptionControls, { u"Label2"_s, u"Label4"_s, u"Label5"_s, u"GroupBox2"_s, u"Label8"_s });
    const Names french { u"GroupBox1"_s, u"Label1"_s, u"GroupBox2"_s, u"Label6"_s, u"Label7"_s, u"Label10"_s,
        u"Label16"_s, u"Label17"_s };
    const Names nordic { u"GroupBox1"_s, u"Label1"_s, u"Label6"_s, u"Label7"_s, u"Label9"_s, u"Label10"_s, u"Label15"_s,
        u"Label16"_s, u"Label17"_s };
    const Names croatian = nordic + Names { u"Label3"_s, u"GroupBox3"_s };

    QTest::newRow("Français") << u"Français"_s << 8 << french << 3 << Names { u"mtcmb"_s, u"modecmb"_s, u"motcmb"_s };
    QTest::newRow("Deutsch") << u"Deutsch"_s << 4 << Names { u"Label1"_s, u"Label6"_s, u"Label9"_s, u"Label10"_s } << 1
                             << Names { u"intvcmb"_s };
    QTest::newRow("Italiano") << u"Italiano"_s << 5
                              << Names { u"Label1"_s, u"Label6"_s, u"Label7"_s, u"Label9"_s, u"Label10"_s } << 0
                              << Names {};
    QTest::newRow("Español") << u"Español"_s << 4 << Names { u"Label1"_s, u"Label6"_s, u"Label9"_s, u"Label10"_s } << 0
                             << Names {};
    QTest::newRow("Português") << u"Português"_s << 10
                               << Names { u"GroupBox1"_s, u"Label1"_s, u"Label6"_s, u"Label7"_s, u"Label9"_s,
                                      u"Label10"_s, u"Label15"_s, u"Label17"_s, u"Label21"_s, u"Label39"_s }
                               << 3 << Names { u"passcmb"_s, u"ComboBox1"_s, u"ComboBox5"_s };
    QTest::newRow("Hrvatski") << u"Hrvatski"_s << 11 << croatian << 0 << Names {};
    QTest::newRow("Dansk") << u"Dansk"_s << 9 << nordic << 0 << Names {};
    QTest::newRow("Svenska") << u"Svenska"_s << 9 << nordic << 0 << Names {};
    QTest::newRow("Suomi") << u"Suomi"_s << 10 << nordic + Names { u"Label3"_s } << 0 << Names {};
    QTest::newRow("Polski") << u"Polski"_s << 35
                            << allBut(CaptionControls,
                                   { u"Label2"_s, u"Label3"_s, u"Label4"_s, u"Label5"_s, u"Label7"_s, u"Label8"_s,
                                       u"Label24"_s, u"Label42"_s })
                            << 9 << allBut(ItemListControls, { u"rslcmb"_s });
    QTest::newRow("Русский") << u"Русский"_s << 41 << allBut(CaptionControls, { u"Label4"_s, u"Label5"_s }) << 8
                             << allBut(ItemListControls, { u"rslcmb"_s, u"ComboBox2"_s });
    QTest::newRow("Česky") << u"Česky"_s << 38 << czechCaptions << 10 << allBut(ItemListControls, {});
    QTest::newRow("Slovensky") << u"Slovensky"_s << 38 << czechCaptions << 10 << allBut(ItemListControls, {});
    QTest::newRow("Nederlands") << u"Nederlands"_s << 12 << croatian + Names { u"Label19"_s } << 0 << Names {};
}

void TestCaptionTable::differencesFromEnglish()
{
    QFETCH(QString, language);
    QFETCH(int, captionCount);
    QFETCH(Names, captions);
    QFETCH(int, listCount);
    QFETCH(Names, lists);

    const int index = languageIndex(language);
    QVERIFY(index > 0);
    const CaptionEntry &english = CaptionTable(0);
    const CaptionEntry &entry = CaptionTable(index);

    Names changedCaptions;
    for (std::size_t i = 0; i < CaptionCount; ++i) {
        if (entry.captions[i] != english.captions[i])
            changedCaptions << QString::fromLatin1(CaptionControls[i]);
    }
    Names changedLists;
    for (std::size_t k = 0; k < ItemListCount; ++k) {
        if (entry.items[k] != english.items[k])
            changedLists << QString::fromLatin1(ItemListControls[k]);
    }
    QCOMPARE(changedCaptions.size(), captionCount);
    QCOMPARE(changedCaptions, captions);
    QCOMPARE(changedLists.size(), listCount);
    QCOMPARE(changedLists, lists);
}

void TestCaptionTable::englishEntryAgainstStartup()
{
    const CaptionEntry &english = CaptionTable(0);
    for (std::size_t i = 0; i < CaptionCount; ++i)
        QCOMPARE(english.captions[i], StartupCaption(QLatin1StringView(CaptionControls[i])));

    const auto startup = [](const char *control) { return FindStartupComboItems(QLatin1StringView(control))->items; };
    for (const char *same : { "rslcmb", "mtcmb", "motcmb", "passcmb", "ComboBox1", "ComboBox5" })
        QCOMPARE(items(english, same), startup(same));

    QStringList interval = startup("intvcmb");
    interval.replace(1, u"5 Second"_s);
    interval.replace(2, u"10 Second"_s);
    interval.replace(3, u"30 Second"_s);
    QCOMPARE(items(english, "intvcmb"), interval);

    QCOMPARE(items(english, "modecmb"), (QStringList { u"Camera"_s, u"Video"_s, u"Camera&video"_s, u"TimeLapse"_s }));

    for (const char *manualAuto : { "ComboBox2", "ComboBox6" })
        QCOMPARE(items(english, manualAuto), (QStringList { u"Manual"_s, u"Auto"_s }));
}

void TestCaptionTable::texts_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("item"); // -1 for a caption
    QTest::addColumn<QString>("text");

    const auto row = [](const QString &language, const char *control, int item, const QString &text) {
        QTest::addRow("%s %s %d", language.toUtf8().constData(), control, item)
            << language << QString::fromLatin1(control) << item << text;
    };
    row(u"Français"_s, "Label7", -1, u"Durée de la vidéo"_s);
    row(u"Français"_s, "modecmb", 2, u"appareil photoet vidéo"_s);
    row(u"Français"_s, "motcmb", 1, u"Normal"_s);
    row(u"Deutsch"_s, "intvcmb", 1, u"5 Sek"_s);
    row(u"Deutsch"_s, "intvcmb", 4, u"1 Minute"_s);
    row(u"Deutsch"_s, "motcmb", 2, u"Low"_s);
    row(u"Italiano"_s, "Label9", -1, u"Modalità"_s);
    row(u"Español"_s, "Label6", -1, u"Resolución"_s);
    row(u"Português"_s, "ComboBox5", 0, u"Desligado"_s);
    row(u"Hrvatski"_s, "GroupBox3", -1, u"Postavke"_s);
    row(u"Dansk"_s, "Label7", -1, u"Video Længde"_s);
    row(u"Svenska"_s, "Label16", -1, u"TV-läge"_s);
    row(u"Suomi"_s, "Label17", -1, u"Päiväys/kellonaika"_s);
    row(u"Polski"_s, "Label19", -1, u"Staus hasła"_s);
    row(u"Polski"_s, "mtcmb", 0, u"Pojedycze"_s);
    row(u"Polski"_s, "modecmb", 3, u"TimeLapse"_s);
    row(u"Русский"_s, "ComboBox6", 0, u"Ручная"_s);
    row(u"Русский"_s, "ComboBox6", 1, u"Авто"_s);
    row(u"Русский"_s, "ComboBox2", 0, u"Manual"_s);
    row(u"Русский"_s, "ComboBox2", 1, u"Auto"_s);
    row(u"Русский"_s, "Label49", -1, u"Пароль"_s);
    row(u"Česky"_s, "modecmb", 3, u"Časový sběr"_s);
    row(u"Česky"_s, "ComboBox6", 1, u"Auto"_s);
    row(u"Nederlands"_s, "Label19", -1, u"Wachtwoord"_s);
    row(u"Nederlands"_s, "Label20", -1, u"Password"_s);
    row(u"Nederlands"_s, "Label1", -1, u"resolutie"_s);
    row(u"Nederlands"_s, "Label6", -1, u"Videoresolutie"_s);
}

void TestCaptionTable::texts()
{
    QFETCH(QString, language);
    QFETCH(QString, control);
    QFETCH(int, item);
    QFETCH(QString, text);

    const QByteArray name = control.toLatin1();
    const CaptionEntry &entry = CaptionTable(languageIndex(language));
    if (item < 0)
        QCOMPARE(caption(entry, name.constData()), text);
    else
        QCOMPARE(items(entry, name.constData()).value(item), text);
}

void TestCaptionTable::russianScripts()
{
    const CaptionEntry &russian = CaptionTable(languageIndex(u"Русский"_s));
    const QString mms = caption(russian, "Label21");
    QCOMPARE(mms, u"MMC вкл/выкл"_s);
    QCOMPARE(mms.left(3), QLatin1StringView("MMC"));

    const QString setting = caption(russian, "Label22");
    QCOMPARE(setting, u"Настройка ММС"_s);
    for (const QChar c : setting) {
        if (!c.isSpace())
            QVERIFY2(c.script() == QChar::Script_Cyrillic, qPrintable(setting));
    }
}

void TestCaptionTable::slovakIsCzechButOneItem()
{
    const CaptionEntry &czech = CaptionTable(languageIndex(u"Česky"_s));
    const CaptionEntry &slovak = CaptionTable(languageIndex(u"Slovensky"_s));
    QCOMPARE(slovak.captions, czech.captions);

    QStringList motion = items(czech, "motcmb");
    QCOMPARE(motion.at(1), u"Normální"_s);
    motion.replace(1, u"Stredná"_s);
    QCOMPARE(items(slovak, "motcmb"), motion);
    for (std::size_t k = 0; k < ItemListCount; ++k) {
        if (std::string_view(ItemListControls[k]) != "motcmb")
            QCOMPARE(slovak.items[k], czech.items[k]);
    }
}

QTEST_APPLESS_MAIN(TestCaptionTable)
#include "tst_captiontable.moc"
