// trailcam-param show in the languages of the window: the one a file stores,
// or the one asked for with --language.

#include "toolrun.h"
#include "settings/parameterdata.h"
#include "settings/parameterfile.h"
#include "values/startupvalues.h"

#include <QBuffer>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace Qt::StringLiterals;

namespace {

// The selections every file of these tests holds: an item beyond the start-up lists (modecmb 3), items whose
// start-up text differs from the English entry (intvcmb 1, ComboBox2 1), and boxes the switch never rebuilds.
ParameterValues sampleValues(int language)
{
    ParameterValues values = StartupParameterValues();
    values.langcmb = language;
    values.modecmb = 3;
    values.intvcmb = 1;
    values.motcmb = 1;
    values.passcmb = 1;
    values.ComboBox1 = 1;
    values.ComboBox2 = 1;
    values.ComboBox5 = 0;
    values.ComboBox6 = 1;
    values.ComboBox10 = 1;
    values.vccmb = 1;
    values.isocmb = 0;
    values.apn = u"internet"_s;
    values.clock = ClockValue { 2024, 5, 6, 7, 8, 9 };
    return values;
}

} // namespace

class TestShowLanguage : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void listing_data();
    void listing();
    void labelsStayDistinct_data();
    void labelsStayDistinct();
    void badLanguage_data();
    void badLanguage();
    void executableWritesUtf8();

private:
    QString writeSample(int language);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestShowLanguage::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TestShowLanguage::writeSample(int language)
{
    const QString path = m_dir->filePath(u"Parameter.dat"_s);
    QString error;
    if (!WriteParameterFile(path, BuildParameterData(sampleValues(language)), &error))
        qWarning("%s", qPrintable(error));
    return path;
}

void TestShowLanguage::listing_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("English stored: the table's items, not the start-up ones")
        << 0 << QStringList()
        << QStringList { u"Mode: TimeLapse"_s, u"Interval: 5 Second"_s, u"MMS MODE: Auto"_s, u"SMTP MODE: Auto"_s,
               u"Language: English"_s, u"Motion detetion: Normal"_s, u"FTP ON/OFF: ON"_s };
    QTest::newRow("Deutsch stored") << 2 << QStringList()
                                    << QStringList { u"Sprache: Deutsch"_s, u"Modus: TimeLapse"_s, u"Interval: 5 Sek"_s,
                                           u"Auflösung: 20M"_s, u"Video Auflösung: 2K"_s, u"Motion detetion: Normal"_s,
                                           u"Password ON/OFF: ON"_s };
    QTest::newRow("Русский stored") << 11 << QStringList()
                                    << QStringList { u"Язык: Русский"_s, u"Режим: TimeLapse"_s,
                                           u"Временной интервал: 5 секунда"_s, u"Уровень PIR: Средняя"_s,
                                           u"Пароль вкл/выкл: вкл"_s, u"MMC вкл/выкл: вкл"_s, u"Настройка ММС: Auto"_s,
                                           u"SMTP вкл/выкл: выкл"_s, u"SMTP Установка: Авто"_s, u"Звук: ON"_s,
                                           u"ISO: AUTO"_s, u"FTP ON/OFF: ON"_s, u"MMS APN: internet"_s,
                                           u"SMTP Security: NO SSL"_s,
                                           u"Clock: 2024-05-06 07:08:09 (the time of saving)"_s };
    QTest::newRow("Česky and Slovensky differ in motcmb item 1 only (Česky)")
        << 12 << QStringList()
        << QStringList { u"Jazyk: Česky"_s, u"Detekce pohybu: Normální"_s, u"Režim: Časový sběr"_s,
               u"Heslo ZAP/VYP: ZAP"_s, u"MMS REŽIM: Auto"_s };
    QTest::newRow("Česky and Slovensky differ in motcmb item 1 only (Slovensky)")
        << 13 << QStringList() << QStringList { u"Jazyk: Slovensky"_s, u"Detekce pohybu: Stredná"_s };
    QTest::newRow("Polski stored") << 10 << QStringList()
                                   << QStringList { u"Język: Polski"_s, u"Tryb: TimeLapse"_s, u"Interval: 5 sekund"_s,
                                          u"Tryb wideo Rozwiązanie: 2K"_s, u"Tryb MMS: Auto ust."_s,
                                          u"MMS Kraj: Argentina"_s, u"Wykrywanie ruchu: Normalny"_s };
    QTest::newRow("a language outside the box: the start-up texts")
        << 255 << QStringList()
        << QStringList { u"Language: no selection"_s, u"Mode: no selection"_s, u"Interval: 5 Seconds"_s,
               u"MMS MODE: AUTO"_s, u"Video Resolution: 2K"_s };
    QTest::newRow("--language by number over the stored one")
        << 11 << QStringList { u"--language"_s, u"0"_s }
        << QStringList { u"Language: Русский"_s, u"Interval: 5 Second"_s, u"Mode: TimeLapse"_s };
    QTest::newRow("--language by name") << 0 << QStringList { u"--language"_s, u"Deutsch"_s }
                                        << QStringList { u"Sprache: English"_s, u"Interval: 5 Sek"_s };
    QTest::newRow("-l by name in another case")
        << 0 << QStringList { u"-l"_s, u"česky"_s } << QStringList { u"Jazyk: English"_s, u"Rozlišení: 20 MPix"_s };
    QTest::newRow("--language= after the file")
        << 255 << QStringList { u"--language=Русский"_s } << QStringList { u"Язык: no selection"_s };
}

void TestShowLanguage::listing()
{
    QFETCH(int, stored);
    QFETCH(QStringList, options);
    QFETCH(QStringList, lines);

    const QString file = writeSample(stored);
    QStringList arguments { u"show"_s };
    if (options.size() == 1)
        arguments << file << options; // an option may follow the file name too
    else
        arguments << options << file;
    const ToolRun run = runTool(arguments);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QString());
    const QStringList shown = run.out.split(u'\n', Qt::SkipEmptyParts);
    for (const QString &line : lines)
        QVERIFY2(shown.contains(line), qPrintable(line + u" not in:\n"_s + run.out));
}

void TestShowLanguage::labelsStayDistinct_data()
{
    QTest::addColumn<int>("language");
    for (int language = 0; language < 15; ++language)
        QTest::addRow("%d", language) << language;
}

// A translation that gives two labels one text must not leave two values under one name.
void TestShowLanguage::labelsStayDistinct()
{
    QFETCH(int, language);
    const QString file = writeSample(0);
    const ToolRun english = runTool({ u"show"_s, file });
    const ToolRun run = runTool({ u"show"_s, u"--language"_s, QString::number(language), file });
    QCOMPARE(run.status, 0);

    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    const QStringList englishLines = english.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), englishLines.size());
    QSet<QString> labels;
    for (const QString &line : lines) {
        const QString label = line.section(u": "_s, 0, 0).section(u':', 0, 0);
        QVERIFY2(!label.isEmpty(), qPrintable(line));
        QVERIFY2(!labels.contains(label), qPrintable(u"twice: "_s + label));
        labels.insert(label);
    }
}

void TestShowLanguage::badLanguage_data()
{
    QTest::addColumn<QString>("given");
    QTest::newRow("past the last") << u"15"_s;
    QTest::newRow("negative") << u"-1"_s;
    QTest::newRow("unknown name") << u"Klingon"_s;
    QTest::newRow("empty") << QString();
}

void TestShowLanguage::badLanguage()
{
    QFETCH(QString, given);
    const ToolRun run = runTool({ u"show"_s, u"--language"_s, given, writeSample(0) });
    QCOMPARE(run.status, 2);
    QCOMPARE(run.out, QString());
    QVERIFY2(run.err.contains(u"unknown language \"%1\""_s.arg(given)), qPrintable(run.err));
    QVERIFY2(run.err.contains(u"Nederlands"_s), qPrintable(run.err));
}

// Through main(): what reaches the terminal is UTF-8 whatever the locale says.
void TestShowLanguage::executableWritesUtf8()
{
    const QString file = writeSample(11);
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"LC_ALL"_s, u"C"_s);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TRAILCAM_PARAM_EXE), { u"show"_s, file });
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    const QByteArray out = process.readAllStandardOutput();
    QVERIFY2(out.contains(u"Язык: Русский\n"_s.toUtf8()), out.constData());
}

QTEST_MAIN(TestShowLanguage)
#include "tst_showlanguage.moc"
