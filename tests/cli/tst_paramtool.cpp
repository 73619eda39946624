#include "fixtures.h"
#include "settings/parameterdata.h"
#include "toolrun.h"
#include "values/startupvalues.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;
using fixtures::ReadAll;

namespace {

QByteArray textJson(const QString &member, const QString &text)
{
    return QJsonDocument(QJsonObject { { member, text } }).toJson();
}

} // namespace

class TestParamTool : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir *m_dir = nullptr;

    QString pathOf(const QString &name) const { return m_dir->filePath(name); }

    QString writeJson(const QByteArray &json)
    {
        const QString path = pathOf(u"in.json"_s);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size())
            qFatal("cannot write the test input");
        return path;
    }

    // Encodes `values` into a file and returns its path; the clock is fixed unless given.
    QString encode(QJsonObject values)
    {
        if (!values.contains(u"clock"_s))
            values.insert(u"clock"_s,
                QJsonObject { { u"year"_s, 2026 }, { u"month"_s, 12 }, { u"day"_s, 7 }, { u"hour"_s, 13 },
                    { u"minute"_s, 5 }, { u"second"_s, 9 } });
        const QString out = pathOf(u"out.dat"_s);
        const ToolRun run = runTool({ u"encode"_s, writeJson(QJsonDocument(values).toJson()), u"-o"_s, out });
        if (run.status != 0)
            qWarning("encode failed: %s", qPrintable(run.err));
        return out;
    }

private slots:
    void init() { m_dir = new QTemporaryDir; }
    void cleanup()
    {
        delete m_dir;
        m_dir = nullptr;
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");

        QTest::newRow("help") << QStringList { u"--help"_s } << 0 << u"encode IN.json -o OUT.dat"_s << QString();
        QTest::newRow("version") << QStringList { u"--version"_s } << 0 << u"trailcam-param 1."_s << QString();
        QTest::newRow("command help") << QStringList { u"show"_s, u"-h"_s } << 0
                                      << u"show [--strict] [--language LANGUAGE] FILE"_s << QString();
        QTest::newRow("no command") << QStringList {} << 2 << QString() << u"Usage:"_s;
        QTest::newRow("unknown command") << QStringList { u"dump"_s, u"x"_s } << 2 << QString() << u"\"dump\""_s;
        QTest::newRow("unknown option") << QStringList { u"--fast"_s } << 2 << QString() << u"fast"_s;
        QTest::newRow("decode without file") << QStringList { u"decode"_s } << 2 << QString() << u"Usage:"_s;
        QTest::newRow("show with two files")
            << QStringList { u"show"_s, u"a"_s, u"b"_s } << 2 << QString() << u"\"b\""_s;
        QTest::newRow("encode without output")
            << QStringList { u"encode"_s, u"in.json"_s } << 2 << QString() << u"-o"_s;
        QTest::newRow("encode option of another command")
            << QStringList { u"decode"_s, u"x"_s, u"-o"_s, u"y"_s } << 2 << QString() << u"'o'"_s;
        QTest::newRow("command of controls")
            << QStringList { u"\x1b]0;x\a\u202e"_s } << 2 << QString() << u"\"\\u001b]0;x\\u0007\\u202e\""_s;
        QTest::newRow("path of controls")
            << QStringList { u"show"_s, u"a\x1b[2J\nb"_s } << 1 << QString() << u"a\\u001b[2J\\nb"_s;
    }

    void usage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const ToolRun run = runTool(arguments);
        QCOMPARE(run.status, status);
        QVERIFY2(run.out.contains(out), qPrintable(run.out));
        QVERIFY2(run.err.contains(err), qPrintable(run.err));
        if (status == 0)
            QVERIFY(run.err.isEmpty());
        else
            QVERIFY(run.out.isEmpty());
        QVERIFY2(!run.err.contains(QChar(0x1b)), qPrintable(run.err));
    }

    void fileFailures_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("content"); // of the file read; empty: no such file

        QTest::newRow("decode missing") << u"decode"_s << QByteArray();
        QTest::newRow("show missing") << u"show"_s << QByteArray();
        QTest::newRow("decode short") << u"decode"_s << QByteArray(ParameterDataSize - 1, '\0');
        QTest::newRow("show one byte") << u"show"_s << QByteArray(1, 'x');
        QTest::newRow("encode missing input") << u"encode"_s << QByteArray();
        QTest::newRow("decode --strict, zeros") << u"decode --strict"_s << QByteArray(ParameterDataSize, '\0');
    }

    void fileFailures()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, content);
        const QString input = pathOf(u"input"_s);
        if (!content.isEmpty()) {
            QFile file(input);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        QStringList arguments = command.split(u' ') << input;
        if (command == u"encode"_s)
            arguments << u"-o"_s << pathOf(u"out.dat"_s);
        const ToolRun run = runTool(arguments);
        QCOMPARE(run.status, 1);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(QDir::toNativeSeparators(input)), qPrintable(run.err));
        QVERIFY(!QFile::exists(pathOf(u"out.dat"_s)));
    }

    void nonRegularInput_data()
    {
        QTest::addColumn<QStringList>("arguments"); // "PIPE" stands for a pipe that nobody writes to
        QTest::addColumn<QString>("reason");
        const QString pipe = u"It is a pipe, not a regular file."_s;
        QTest::newRow("decode pipe") << QStringList { u"decode"_s, u"PIPE"_s } << pipe;
        QTest::newRow("show pipe") << QStringList { u"show"_s, u"PIPE"_s } << pipe;
        QTest::newRow("encode pipe") << QStringList { u"encode"_s, u"PIPE"_s, u"-o"_s, u"out.dat"_s } << pipe;
        QTest::newRow("encode endless device")
            << QStringList { u"encode"_s, u"/dev/zero"_s, u"-o"_s, u"out.dat"_s }
            << u"It is a device, not a regular file."_s;
    }

    // Refused at once, through the real executable: a reader that waited for
    // the pipe's writer would never come back.
    void nonRegularInput()
    {
#ifndef Q_OS_UNIX
        QSKIP("pipes and endless devices are made the Unix way");
#else
        QFETCH(QStringList, arguments);
        QFETCH(QString, reason);
        const QString pipe = pathOf(u"pipe"_s);
        QVERIFY(fixtures::Pipe(pipe).made());
        arguments.replaceInStrings(u"PIPE"_s, pipe);
        arguments.replaceInStrings(u"out.dat"_s, pathOf(u"out.dat"_s));
        QProcess process;
        process.start(QStringLiteral(TRAILCAM_PARAM_EXE), arguments);
        if (!process.waitForFinished(20000)) {
            process.kill();
            process.waitForFinished();
            QFAIL("still waiting on its input after 20 s");
        }
        QCOMPARE(process.exitCode(), 1);
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QVERIFY2(err.contains(u"Cannot open file \""_s) && err.contains(reason), qPrintable(err));
        QVERIFY(!QFile::exists(pathOf(u"out.dat"_s)));
#endif
    }

    void throughTheShell_data()
    {
        QTest::addColumn<QString>("script"); // run in the test folder, $0 the executable
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("output"); // a part of what it writes to stdout and stderr
        // A name of raw bytes is refused as it is, never taken for another file.
        QTest::newRow("encode to a name not UTF-8")
            << uR"sh(exec "$0" encode in.json -o "$(printf 'bad\377.dat')")sh"_s << 2 << "is not valid UTF-8"_ba;
        QTest::newRow("decode a name not UTF-8")
            << uR"sh(cp in.json "$(printf 'x\377.dat')" && exec "$0" decode "$(printf 'x\377\033.dat')")sh"_s << 2
            << "x\xef\xbf\xbd\\u001b.dat\" is not valid UTF-8"_ba;
        QTest::newRow("file-size limit") << uR"sh(ulimit -f 1; exec "$0" encode in.json -o out.dat)sh"_s << 1
                                         << "Stream write error"_ba;
        QTest::newRow("output is the input")
            << uR"sh(exec "$0" encode in.json -o in.json)sh"_s << 2 << "in.json and in.json are the same file"_ba;
        QTest::newRow("output links to the input")
            << uR"sh(ln -s in.json l.json && exec "$0" encode in.json -o l.json)sh"_s << 2 << "in.json and l.json"_ba;
        QTest::newRow("standard input is the output")
            << uR"sh(exec "$0" encode - -o in.json < in.json)sh"_s << 2 << "standard input and in.json"_ba;
        QTest::newRow("- both ways")
            << uR"sh("$0" encode - -o - < in.json > p.dat && "$0" decode - < p.dat && exec "$0" show - < p.dat)sh"_s
            << 0 << "Mode: Camera"_ba;
        // A member of a shared file's group rewrites it in place: it keeps its owner and group. The tool is
        // copied where nobody may run it: the build may be in a folder only root may enter.
        const QString shared = uR"sh(cp "$0" tool && chmod 755 . tool && mkdir s && head -c %2 /dev/zero >s/P &&
            chown -R root:nogroup s && chmod 2775 s && chmod %1 s/P &&
            runuser -u nobody -- sh -c '%3 exec ./tool encode in.json -o s/P'
            r=$?; stat -c '%U:%G %a %s' s/P; cmp -s -n %2 s/P /dev/zero && echo same; exit $r)sh"_s;
        QTest::newRow("shared file, saved by a member")
            << shared.arg(664).arg(3000).arg(QString()) << 0 << "root:nogroup 664 2128"_ba;
        QTest::newRow("short shared file")
            << shared.arg(664).arg(100).arg(QString()) << 0 << "root:nogroup 664 2128"_ba;
        QTest::newRow("shared file the group may read")
            << shared.arg(644).arg(3000).arg(QString()) << 1 << "Permission denied"_ba;
        QTest::newRow("shared file under a file-size limit") << shared.arg(664).arg(3000).arg(u"ulimit -f 4;"_s) << 1
                                                             << "File too large\nroot:nogroup 664 3000\nsame"_ba;
        QTest::newRow("shared file with a second name") << shared.arg(664).arg(3000).arg(u"ln s/P s/Q;"_s) << 1
                                                        << "(hard links)"_ba;
        QTest::newRow("short standard input") << uR"sh(head -c 2127 /dev/zero | exec "$0" show -)sh"_s << 1
                                              << "standard input is not a settings file: it holds 2127 bytes"_ba;
        // A scripted backup must not take an empty file for a good one.
        const QString written = uR"sh("$0" encode in.json -o p.dat && exec "$0" %1)sh"_s;
        QTest::newRow("decode to a full disk") << written.arg(u"decode p.dat >/dev/full"_s) << 1
                                               << ": Cannot write standard output. No space left on device"_ba;
        QTest::newRow("show to a closed output")
            << written.arg(u"show p.dat >&-"_s) << 1 << ": Cannot write standard output. Bad file descriptor"_ba;
        QTest::newRow("presets to a full disk")
            << uR"sh(exec "$0" presets ftp >/dev/full)sh"_s << 1 << "No space left on device"_ba;
        QTest::newRow("help to a closed output") << uR"sh(exec "$0" --help >&-)sh"_s << 1 << "Bad file descriptor"_ba;
        // Whoever starts the tool names it; the name must not set the terminal's title.
        QTest::newRow("program name of controls")
            << uR"sh(exec bash -c 'exec -a "$1" "$0" show' "$0" "$(printf '\033]0;X\007')")sh"_s << 2
            << "\\u001b]0;X\\u0007: show: an argument is missing (\\u001b]0;X\\u0007 show"_ba;
    }

    void throughTheShell()
    {
#ifndef Q_OS_UNIX
        QSKIP("the cases are shell scripts over Unix names, users and limits");
#else
        QFETCH(QString, script);
        QFETCH(int, status);
        QFETCH(QByteArray, output);
        if (script.contains(u"runuser"_s) && geteuid() != 0)
            QSKIP("needs root to save as nobody");
        writeJson("{}");
        QProcess process;
        process.setWorkingDirectory(m_dir->path());
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(u"/bin/sh"_s, { u"-c"_s, script, QStringLiteral(TRAILCAM_PARAM_EXE) });
        QVERIFY(process.waitForFinished(30000));
        const QByteArray written = process.readAll();
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QVERIFY2(
            process.exitCode() == status && written.contains(output) && !written.contains('\x1b'), written.constData());
        QCOMPARE(ReadAll(pathOf(u"in.json"_s)), "{}"_ba);
        QVERIFY(!QFile::exists(pathOf(u"out.dat"_s)) && !QFile::exists(pathOf(u"bad\uFFFD.dat"_s)));
#endif
    }

    void unwritableOutput_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no such directory") << u"no such directory/out.dat"_s << QString();
        QTest::newRow("pipe") << u"pipe"_s << u"It is a pipe, not a regular file."_s;
    }

    void unwritableOutput()
    {
#ifndef Q_OS_UNIX
        QSKIP("pipes are made the Unix way");
#else
        QFETCH(QString, name);
        QFETCH(QString, reason);
        const QString pipe = pathOf(u"pipe"_s);
        QVERIFY(fixtures::Pipe(pipe).made());
        const QString out = pathOf(name);
        const ToolRun run = runTool({ u"encode"_s, writeJson("{}"), u"-o"_s, out });
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(out) && run.err.contains(reason), qPrintable(run.err));
        struct stat status;
        QCOMPARE(stat(QFile::encodeName(pipe).constData(), &status), 0);
        QVERIFY(S_ISFIFO(status.st_mode));
#endif
    }

    void goldenFiles_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected"); // what it writes
        QTest::newRow("decode golden.dat") << u"decode"_s << u"golden.dat"_s << u"golden.json"_s;
        QTest::newRow("encode golden.json") << u"encode"_s << u"golden.json"_s << u"golden.dat"_s;
    }

    // The stored image and its values, each member at its place: the byte map, once.
    void goldenFiles()
    {
        QFETCH(QString, command);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        const QString given = fixtures::GoldenFile(input);
        QByteArray written;
        if (command == u"encode"_s) { // at the clock the image was saved with, which decode leaves out
            written = ReadAll(encode(QJsonDocument::fromJson(ReadAll(given)).object()));
        } else {
            const ToolRun run = runTool({ command, given });
            QCOMPARE(run.err, QString());
            written = run.out.toUtf8();
        }
        QCOMPARE(written.split('\n'), ReadAll(fixtures::GoldenFile(expected)).split('\n')); // where they part
    }

    void missingMembersTakeStartupValues()
    {
        const QDateTime before = QDateTime::currentDateTime();
        const ToolRun run = runTool({ u"encode"_s, writeJson("{}"), u"-o"_s, pathOf(u"out.dat"_s) });
        const QDateTime after = QDateTime::currentDateTime();
        QCOMPARE(run.status, 0);
        const QByteArray image = ReadAll(pathOf(u"out.dat"_s));

        ParameterValues expected = StartupParameterValues();
        bool clockMatched = false;
        for (const QDateTime &moment : { before, after }) {
            const QDate d = moment.date();
            const QTime t = moment.time();
            expected.clock = ClockValue { d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second() };
            clockMatched = clockMatched || image == BuildParameterData(expected);
        }
        QVERIFY2(clockMatched, "the image is not the start-up values at the current time");
    }

    void textRoomsCountCodePageBytes_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("readBack");

        QTest::newRow("apn of 63 accented letters") << u"apn"_s << QString(63, u'é') << QString(48, u'é');
        QTest::newRow("full password") << u"passedit"_s << u"9€9é"_s << u"9€9é"_s;
        QTest::newRow("operator into spare bytes") << u"ComboBox4"_s << QString(44, u'o') << QString(16, u'o');
        QTest::newRow("mail port") << u"porttxt"_s << QString(29, u'5') << QString(29, u'5');
        QTest::newRow("escapes JSON knows") << u"path"_s << u"/a\\b \"c\"\t"_s << u"/a\\b \"c\"\t"_s;
        QTest::newRow("address of 49") << u"email1"_s << QString(49, u'a') << QString(48, u'a');
        QTest::newRow("address of 48") << u"email1"_s << QString(48, u'a') << QString(48, u'a');
    }

    // A text that fits in Windows-1252 bytes is taken, however many UTF-8 bytes it has.
    void textRoomsCountCodePageBytes()
    {
        QFETCH(QString, member);
        QFETCH(QString, text);
        QFETCH(QString, readBack);
        const ToolRun written = runTool({ u"encode"_s, writeJson(textJson(member, text)), u"-o"_s, pathOf(u"out.dat"_s) });
        QCOMPARE(written.status, 0);
        // What a Load would cut is written all the same, with a warning.
        QCOMPARE(written.err.contains(u"\"%1\": text of %2 characters; a Load reads back only the first %3"_s.arg(member)
                                          .arg(text.size()).arg(readBack.size())), readBack != text);
        const ToolRun run = runTool({ u"decode"_s, pathOf(u"out.dat"_s) });
        QCOMPARE(run.status, 0);
        QCOMPARE(QJsonDocument::fromJson(run.out.toUtf8()).object().value(member).toString(), readBack);
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("named"); // what the message must name

        QTest::newRow("unknown member") << QByteArray(R"({"rslcmb": 1, "colour": 2})") << u"\"colour\""_s;
        QTest::newRow("clock is never read, but misspelt") << QByteArray(R"({"Clock": {}})") << u"\"Clock\""_s;
        QTest::newRow("index as string") << QByteArray(R"({"rslcmb": "1"})") << u"\"rslcmb\""_s;
        QTest::newRow("index fraction") << QByteArray(R"({"isocmb": 1.5})") << u"\"isocmb\""_s;
        QTest::newRow("index 256") << QByteArray(R"({"langcmb": 256})") << u"\"langcmb\""_s;
        QTest::newRow("index -2") << QByteArray(R"({"ComboBox10": -2})") << u"\"ComboBox10\""_s;
        // Byte 81 keeps MMS in three bits and FTP in five above them.
        QTest::newRow("MMS switch 8") << QByteArray(R"({"ComboBox1": 8})") << u"\"ComboBox1\""_s;
        QTest::newRow("FTP switch 33") << QByteArray(R"({"ComboBox10": 33})") << u"\"ComboBox10\""_s;
        QTest::newRow("security -1") << QByteArray(R"({"security": -1})") << u"\"security\""_s;
        QTest::newRow("security 256") << QByteArray(R"({"security": 256})") << u"\"security\""_s;
        QTest::newRow("text as number") << QByteArray(R"({"apn": 5})") << u"\"apn\""_s;
        QTest::newRow("text null") << QByteArray(R"({"phone1": null})") << u"\"phone1\""_s;
        QTest::newRow("apn 64 bytes") << textJson(u"apn"_s, QString(64, u'a')) << u"\"apn\""_s;
        QTest::newRow("password 5") << QByteArray(R"({"passedit": "12345"})") << u"\"passedit\""_s;
        QTest::newRow("id 10") << QByteArray(R"({"idedit": "CAM0000000"})") << u"\"idedit\""_s;
        QTest::newRow("id 7, more than the window takes") << QByteArray(
            R"({"idedit": "CAM0000"})") << u"\"idedit\": text of 7 characters; the window takes at most 6"_s;
        QTest::newRow("index past its list") << QByteArray(
            R"({"rslcmb": 3})") << u"\"rslcmb\": 3 names no item; give 0..2, or -1 or 255 for no selection"_s;
        QTest::newRow("FTP switch 2") << QByteArray(R"({"ComboBox10": 2})")
                                      << u"\"ComboBox10\": 2 names no item; give 0..1, or -1 or 31 for no selection"_s;
        QTest::newRow("operator 45") << textJson(u"ComboBox13"_s, QString(45, u'o')) << u"\"ComboBox13\""_s;
        QTest::newRow("mail port 30") << textJson(u"porttxt"_s, QString(30, u'1')) << u"\"porttxt\""_s;
        QTest::newRow("timer hour 24") << QByteArray(R"({"timerStart": {"hour": 24, "minute": 0, "second": 0}})")
                                       << u"\"timerStart.hour\""_s;
        QTest::newRow("timer second 60") << QByteArray(R"({"timerEnd": {"hour": 0, "minute": 0, "second": 60}})")
                                         << u"\"timerEnd.second\""_s;
        QTest::newRow("timer part missing")
            << QByteArray(R"({"timerEnd": {"hour": 0, "minute": 0}})") << u"\"timerEnd.second\""_s;
        QTest::newRow("timer extra part")
            << QByteArray(R"({"timerEnd": {"hour": 0, "minute": 0, "second": 0, "ms": 1}})") << u"\"timerEnd.ms\""_s;
        QTest::newRow("timer as text") << QByteArray(R"({"timerStart": "06:00:00"})") << u"\"timerStart\""_s;
        QTest::newRow("clock month 13") << QByteArray(
            R"({"clock": {"year": 2026, "month": 13, "day": 1, "hour": 0, "minute": 0, "second": 0}})")
                                        << u"\"clock.month\""_s;
        QTest::newRow("clock 30 February")
            << QByteArray(R"({"clock": {"year": 2026, "month": 2, "day": 30, "hour": 0, "minute": 0, "second": 0}})")
            << u"\"clock\": 2026-02-30"_s;
        QTest::newRow("clock two-digit year")
            << QByteArray(R"({"clock": {"year": 26, "month": 2, "day": 3, "hour": 0, "minute": 0, "second": 0}})")
            << u"\"clock.year\""_s;
        // QJsonDocument takes these; a file built from them would differ from what was given.
        QTest::newRow("text with NUL") << QByteArray(R"({"apn": "a\u0000b"})") << u"\"apn\": \\u0000"_s;
        QTest::newRow("member twice, the first invalid")
            << QByteArray(R"({"rslcmb": "x", "rslcmb": 1})") << u"\"rslcmb\": given twice"_s;
        QTest::newRow("member twice, once escaped")
            << QByteArray(R"({"apn": "a", "\u0061pn": "b"})") << u"\"apn\": given twice"_s;
        QTest::newRow("timer part twice")
            << QByteArray(R"({"timerEnd": {"hour": 1, "hour": 2, "minute": 0, "second": 0}})")
            << u"\"timerEnd.hour\": given twice"_s;
        QTest::newRow("raw newline in a text") << QByteArray("{\"phone1\": \"1\n2\"}") << u"\"phone1\": raw"_s;
        QTest::newRow("raw tab in a name") << QByteArray("{\"ap\tn\": \"x\"}") << u"\"ap\": raw"_s;
        QTest::newRow("unknown escape") << QByteArray(R"({"path": "\x41"})") << u"\"path\": unknown escape"_s;
        QTest::newRow("half a surrogate pair") << QByteArray(R"({"email1": "\ud83d!"})") << u"\"email1\""_s;
        QTest::newRow("number with a bare point") << QByteArray(R"({"rslcmb": 1.})") << u"\"rslcmb\""_s;
        QTest::newRow("unknown member with an escape sequence")
            << QByteArray(R"({"\u001bc": 1})") << u"\"\\u001bc\": unknown member"_s;
        QTest::newRow("malformed") << QByteArray(R"({"rslcmb": 1,})") << u"not valid JSON"_s;
        QTest::newRow("array") << QByteArray(R"([{"rslcmb": 1}])") << u"JSON object"_s;
        QTest::newRow("empty input") << QByteArray() << u"not valid JSON"_s;
        // As deep as QJsonDocument reads, in 1 MiB: the whole path, from names kept once.
        QByteArray deep;
        QString path;
        for (int level = 1000; level < 2021; ++level) {
            deep += '"' + QByteArray(996, 'k') + QByteArray::number(level) + "\": {";
            path += QString(996, u'k') + QString::number(level) + u'.';
        }
        const QByteArray json = '{' + deep + R"("a": [{"b": 1, "b": 2}])" + QByteArray(1022, '}');
        QTest::newRow("member twice, 1024 levels of long names") << json << u'"' + path + u"a.b\": given twice"_s;
    }

    void refusals()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, named);
        const QString out = pathOf(u"out.dat"_s);
        const ToolRun run = runTool({ u"encode"_s, writeJson(json), u"-o"_s, out });
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(named), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QVERIFY(!QFile::exists(out));
    }

    void foreignFile_data()
    {
        QTest::addColumn<QByteArray>("start"); // over zeros; empty: a genuine image
        QTest::addColumn<int>("byte41");
        QTest::addColumn<QString>("kind"); // the warning's end
        QTest::newRow("photo") << QByteArray("\xff\xd8\xff\xe0\x00\x10JFIF\0", 11) << 0 << u" It looks like a JPEG picture."_s;
        QTest::newRow("video") << QByteArray("\0\0\0\x18\x66typmp42\0\0\0\0mp42isom", 24) << 0 << u" It looks like an MP4 video."_s;
        QTest::newRow("zeros") << QByteArray(1, '\0') << 0 << QString();
        QTest::newRow("byte 41 changed") << QByteArray() << 2 << QString();
        QTest::newRow("genuine") << QByteArray() << 1 << QString();
    }

    // decode and show warn, and go on; --strict refuses (fileFailures).
    void foreignFile()
    {
        QFETCH(QByteArray, start);
        QFETCH(int, byte41);
        QFETCH(QString, kind);
        QByteArray image = start.isEmpty() ? BuildParameterData({}) : QByteArray(ParameterDataSize, '\0');
        image.replace(0, start.size(), start)[41] = char(byte41);
        const QString path = pathOf(u"IMG_0001.JPG"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(image) == ParameterDataSize && file.flush());
        const QString warning = u"trailcam-param: warning: "_s + QDir::toNativeSeparators(path)
            + u" does not look like a camera settings file."_s;
        for (const QString &command : { u"decode"_s, u"show"_s }) {
            const ToolRun run = runTool({ command, path });
            QCOMPARE(run.status, 0);
            QCOMPARE(run.err, start.isEmpty() && byte41 == 1 ? QString() : warning + kind + u'\n');
        }
    }

    void inputSizeLimit_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("status");
        QTest::newRow("1 MiB") << (1 << 20) << 0;
        QTest::newRow("1 MiB and a byte") << (1 << 20) + 1 << 2;
    }

    void inputSizeLimit()
    {
        QFETCH(int, size);
        QFETCH(int, status);
        QByteArray json(size, ' ');
        json[0] = '{';
        json[size - 1] = '}';
        const ToolRun run = runTool({ u"encode"_s, writeJson(json), u"-o"_s, pathOf(u"out.dat"_s) });
        QCOMPARE(run.status, status);
        QCOMPARE(run.err.contains(u"more than 1 MiB"_s), status != 0);
        QCOMPARE(QFile::exists(pathOf(u"out.dat"_s)), status == 0);
    }

    void refusalLeavesExistingFile()
    {
        const QString out = pathOf(u"Parameter.dat"_s);
        const QByteArray previous(ParameterDataSize, '\x5a');
        QFile file(out);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(previous);
        file.close();
        const ToolRun run = runTool({ u"encode"_s, writeJson(R"({"passedit": "toolong"})"), u"-o"_s, out });
        QCOMPARE(run.status, 2);
        QCOMPARE(ReadAll(out), previous);
    }

    void show_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("start-up") << QByteArray("{}")
                                  << QStringList { u"Mode: Camera"_s, u"Resolution: 20M"_s, u"Language: English"_s,
                                         u"Video Resolution: 2K"_s, u"Voice: ON"_s, u"ID: CAM000"_s,
                                         u"Start Time: 00:00:00"_s, u"End Time: 23:59:59"_s, u"SMTP Security: NO SSL"_s,
                                         u"FTP Path: /myfolder/"_s };
        QTest::newRow("items") << QByteArray(R"({"langcmb": 2, "rslvcmb": 1, "modecmb": 2, "security": 2})")
                               << QStringList { u"Sprache: Deutsch"_s, u"Video Auflösung: 1080P"_s,
                                      u"Modus: Camera&video"_s, u"SMTP Security: STARTTLS"_s };
        QTest::newRow("TimeLapse, offered once a language is picked") << QByteArray(R"({"modecmb": 3})")
                                                                     << QStringList { u"Mode: TimeLapse"_s };
        QTest::newRow("no selection") << QByteArray(
            R"({"modecmb": -1, "intvcmb": 255, "ComboBox5": -1, "security": 3})")
                                      << QStringList { u"Mode: no selection"_s, u"Interval: no selection"_s,
                                             u"SMTP ON/OFF: no selection"_s, u"SMTP Security: no selection"_s };
        QTest::newRow("network texts") << QByteArray(
            R"({"apn": "mms.a", "smtpapn": "smtp.b", "ComboBox10": 1, "ftpapn": "ftp.c",
                             "ftppass": "p1", "ftppassword": "p2"})")
                                       << QStringList { u"MMS APN: mms.a"_s, u"SMTP APN: ftp.c"_s, u"FTP APN: ftp.c"_s,
                                              u"FTP ON/OFF: ON"_s, u"FTP Account Password: p1"_s, u"FTP Password: p2"_s,
                                              u"Phone 1:"_s };
        // Written as decode writes them, each text on its own line; other characters as they are.
        QTest::newRow("control characters")
            << QByteArray(R"({"apn": "a\u001bcb", "phone1": "1\nMMS Password: x", "email1": "\u007f\u0081",
                             "path": "café ñ € ß"})")
            << QStringList { u"MMS APN: a\\u001bcb"_s, u"Phone 1: 1\\nMMS Password: x"_s,
                   u"Email 1: \\u007f\\u0081"_s, u"FTP Path: café ñ € ß"_s };
    }

    void show()
    {
        QFETCH(QByteArray, json);
        QFETCH(QStringList, lines);
        encode(QJsonDocument::fromJson(json).object());
        const ToolRun run = runTool({ u"show"_s, pathOf(u"out.dat"_s) });
        QCOMPARE(run.status, 0);
        // decode's JSON escapes what Qt leaves raw.
        const QString decoded = runTool({ u"decode"_s, pathOf(u"out.dat"_s) }).out;
        QVERIFY2(!decoded.contains(QRegularExpression(u"[\\x00-\\x09\\x0b-\\x1f\\x7f-\\x9f]"_s)), qPrintable(decoded));
        const QStringList shown = run.out.split(u'\n', Qt::SkipEmptyParts);
        for (const QString &line : lines)
            QVERIFY2(shown.contains(line), qPrintable(line + u" not in:\n"_s + run.out));
    }

    void showClock_data()
    {
        QTest::addColumn<QByteArray>("clock"); // bytes 32 to 37
        QTest::addColumn<QString>("line");
        QTest::newRow("saved") << QByteArray("\x1a\x0c\x08\x06\x18\x12")
                               << u"Clock: 2026-12-08 06:24:18 (the time of saving)"_s;
        QTest::newRow("never set") << QByteArray(6, '\0')
                                   << u"Clock: 2000-00-00 00:00:00 (not a valid date and time)"_s;
        QTest::newRow("30 February") << QByteArray("\x1a\x02\x1e\x06\x18\x12")
                                     << u"Clock: 2026-02-30 06:24:18 (not a valid date and time)"_s;
        QTest::newRow("hour 24") << QByteArray("\x1a\x01\x01\x18\x00\x00", 6)
                                 << u"Clock: 2026-01-01 24:00:00 (not a valid date and time)"_s;
        QTest::newRow("year byte 100") << QByteArray("\x64\x01\x01\x00\x00\x00", 6)
                                       << u"Clock: 2100-01-01 00:00:00 (not a valid date and time)"_s;
    }

    // The clock bytes as they stand, first; decode still leaves the clock out.
    void showClock()
    {
        QFETCH(QByteArray, clock);
        QFETCH(QString, line);
        QByteArray image(ParameterDataSize, '\0');
        image.replace(32, 6, clock);
        const QString path = pathOf(u"clock.dat"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(image) == image.size());
        file.close();
        const ToolRun run = runTool({ u"show"_s, path });
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out.section(u'\n', 0, 0), line);
        QVERIFY(!runTool({ u"decode"_s, path }).out.contains(u"clock"_s));
    }

    // One line per decoded value, each under a label of its own, and the clock.
    void showLabelsEveryValueOnce()
    {
        encode({});
        const ToolRun shown = runTool({ u"show"_s, pathOf(u"out.dat"_s) });
        const ToolRun decoded = runTool({ u"decode"_s, pathOf(u"out.dat"_s) });
        QCOMPARE(shown.status, 0);
        QStringList labels;
        for (const QString &line : shown.out.split(u'\n', Qt::SkipEmptyParts)) {
            const QString label = line.section(u':', 0, 0);
            QVERIFY2(!label.trimmed().isEmpty() && !line.startsWith(u' '), qPrintable(line));
            labels << label;
        }
        QCOMPARE(QSet<QString>(labels.begin(), labels.end()).size(), labels.size());
        QCOMPARE(labels.size(), QJsonDocument::fromJson(decoded.out.toUtf8()).object().size() + 1);
    }

    // The executable itself: standard input, exit status and output through main().
    void executableReadsStandardInput()
    {
#ifndef Q_OS_UNIX
        QSKIP("the cases feed the tool through Unix pipes and /bin/sh");
#endif
        const QString out = pathOf(u"stdin.dat"_s);
        QProcess process;
        process.start(QStringLiteral(TRAILCAM_PARAM_EXE), { u"encode"_s, u"-"_s, u"-o"_s, out });
        process.write(R"({"modecmb": 1, "apn": "internet"})");
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
        const QByteArray image = ReadAll(out);
        QCOMPARE(image.size(), ParameterDataSize);
        QCOMPARE(ReadParameterData(image).modecmb, 1);
        QCOMPARE(ReadParameterData(image).apn, u"internet"_s);

        process.start(QStringLiteral(TRAILCAM_PARAM_EXE), { u"encode"_s, u"-"_s, u"-o"_s, out });
        process.write(R"({"modecmb": 300})");
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(process.readAllStandardError().contains("modecmb"));
        QCOMPARE(ReadAll(out), image);

        // More than a values file could be is refused, not read to its end.
        process.start(u"/bin/sh"_s,
            { u"-c"_s, u"head -c 3000000 /dev/zero | \"$0\" encode - -o \"$1\""_s,
                QStringLiteral(TRAILCAM_PARAM_EXE), out });
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(process.readAllStandardError().contains("standard input: more than 1 MiB"));
        QCOMPARE(ReadAll(out), image);
    }
};

QTEST_GUILESS_MAIN(TestParamTool)
#include "tst_paramtool.moc"
