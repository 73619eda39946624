#include "fixtures.h"
#include "settings/parameterdata.h"
#include "settings/parameterfields.h"
#include "values/valuesjson.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ClockValue)
Q_DECLARE_METATYPE(TimeOfDay)

class TestParameterData : public QObject
{
    Q_OBJECT

private slots:
    void scrambleByte_data();
    void scrambleByte();
    void scrambleByteIsItsOwnInverse();

    void emptyTextsLeaveScrambledRegionsBlank_data();
    void emptyTextsLeaveScrambledRegionsBlank();
    void constantBytes();
    void clockBytes_data();
    void clockBytes();
    void unsetClockTakesTheCurrentTime();
    void timerBytes_data();
    void timerBytes();
    void switchesByte_data();
    void switchesByte();
    void indexBytes_data();
    void indexBytes();
    void sharedSmtpFtpFields_data();
    void sharedSmtpFtpFields();
    void longTextsRunOnAndReadBackCut_data();
    void longTextsRunOnAndReadBackCut();
    void fullPasswordLosesItsTerminator_data();
    void fullPasswordLosesItsTerminator();
    void ftpTextLeavesLongerSmtpTail();
    void mailPortReadsThroughTheBytesAfterIt();
    void shortImageReadsMissingBytesAsEmpty();

    void roundTrip();
    void overlongTextStaysInItsRoom_data();
    void overlongTextStaysInItsRoom();
    void fitText_data();
    void fitText();
    void goldenImage();
};

namespace {

constexpr int ScrambledRanges[][2] = { { 144, 1040 }, { 1104, 2128 } };

// The five fields that hold the SMTP values, or the FTP ones while FTP is on.
constexpr std::pair<const char *, const char *> SharedFields[] = {
    { "ComboBox7", "ComboBox12" },
    { "ComboBox8", "ComboBox13" },
    { "smtpapn", "ftpapn" },
    { "smtpusername", "ftpusername" },
    { "smtppassword", "ftppassword" },
};

bool isScrambled(int offset)
{
    for (const auto &range : ScrambledRanges) {
        if (offset >= range[0] && offset < range[1])
            return true;
    }
    return false;
}

// The transform written out a second way, so the tests do not lean on the codec's.
quint8 swapAndInvert(quint8 b)
{
    const int hi = b >> 4;
    const int lo = b & 15;
    return static_cast<quint8>((15 - lo) * 16 + (15 - hi));
}

// The image as written before scrambling.
QByteArray unscrambled(QByteArray image)
{
    for (int i = 0; i < image.size(); ++i) {
        if (isScrambled(i))
            image[i] = static_cast<char>(swapAndInvert(static_cast<quint8>(image[i])));
    }
    return image;
}

quint8 byteAt(const QByteArray &image, int offset)
{
    return static_cast<quint8>(image.at(offset));
}

ParameterValues valuesWithClock()
{
    ParameterValues values;
    values.clock = ClockValue { 2026, 12, 7, 13, 5, 9 };
    return values;
}

QString &textMember(ParameterValues &values, QStringView name)
{
    const ParameterField *field = FindField(name);
    Q_ASSERT(field);
    return values.*(field->text);
}

QString &textMember(ParameterValues &values, const char *name)
{
    return textMember(values, QString::fromLatin1(name));
}

bool isFtpShared(QStringView name)
{
    return std::any_of(std::begin(SharedFields), std::end(SharedFields),
        [name](const auto &pair) { return name == QLatin1StringView(pair.second); });
}

// Names the first member in which two value sets differ, empty when none does.
QString firstDifference(const ParameterValues &actual, const ParameterValues &expected)
{
    for (const ParameterField &field : IndexFields()) {
        if (actual.*(field.index) != expected.*(field.index)) {
            return u"%1: %2, expected %3"_s.arg(QLatin1StringView(field.name))
                .arg(actual.*(field.index))
                .arg(expected.*(field.index));
        }
    }
    for (const ParameterField &field : TextFields()) {
        if (actual.*(field.text) != expected.*(field.text)) {
            return u"%1: \"%2\", expected \"%3\""_s.arg(
                QLatin1StringView(field.name), actual.*(field.text), expected.*(field.text));
        }
    }
    if (actual.security != expected.security)
        return u"security: %1, expected %2"_s.arg(int(actual.security)).arg(int(expected.security));
    if (actual.timerStart != expected.timerStart)
        return u"timerStart"_s;
    if (actual.timerEnd != expected.timerEnd)
        return u"timerEnd"_s;
    if (actual.clock != expected.clock)
        return u"clock"_s;
    return actual == expected ? QString() : u"a member outside the byte map"_s;
}

} // namespace

void TestParameterData::scrambleByte_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("scrambled");
    QTest::newRow("00") << 0x00 << 0xFF;
    QTest::newRow("FF") << 0xFF << 0x00;
    QTest::newRow("a") << 0x61 << 0xE9;
    QTest::newRow("b") << 0x62 << 0xD9;
    QTest::newRow("c") << 0x63 << 0xC9;
    QTest::newRow("01") << 0x01 << 0xEF;
    QTest::newRow("02") << 0x02 << 0xDF;
    QTest::newRow("F0") << 0xF0 << 0xF0;
}

void TestParameterData::scrambleByte()
{
    QFETCH(int, byte);
    QFETCH(int, scrambled);
    QCOMPARE(int(ScrambleByte(quint8(byte))), scrambled);
}

void TestParameterData::scrambleByteIsItsOwnInverse()
{
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<quint8>(b);
        QCOMPARE(ScrambleByte(byte), swapAndInvert(byte));
        QCOMPARE(ScrambleByte(ScrambleByte(byte)), byte);
    }
}

void TestParameterData::emptyTextsLeaveScrambledRegionsBlank_data()
{
    QTest::addColumn<int>("mailServer");
    QTest::addColumn<int>("security");
    QTest::addColumn<int>("byte1390");
    QTest::addColumn<int>("byte1391");
    QTest::newRow("NO SSL") << 0 << 0 << 0xFF << 0xFF;
    QTest::newRow("SSL") << 0 << 1 << 0xFF << 0xEF;
    QTest::newRow("STARTTLS") << 0 << 2 << 0xFF << 0xDF;
    QTest::newRow("Hotmail") << 2 << 0 << 0xDF << 0xFF;
}

void TestParameterData::emptyTextsLeaveScrambledRegionsBlank()
{
    QFETCH(int, mailServer);
    QFETCH(int, security);
    QFETCH(int, byte1390);
    QFETCH(int, byte1391);

    ParameterValues values = valuesWithClock();
    values.ComboBox9 = mailServer;
    values.security = static_cast<Security>(security);
    const QByteArray image = BuildParameterData(values);
    QCOMPARE(image.size(), ParameterDataSize);

    for (int i = 0; i < ParameterDataSize; ++i) {
        if (!isScrambled(i))
            continue;
        const int expected = i == 1390 ? byte1390 : i == 1391 ? byte1391 : 0xFF;
        QVERIFY2(byteAt(image, i) == expected, qPrintable(u"byte %1"_s.arg(i)));
    }
    // The plain text fields: ID, password, MMS and shared country and operator.
    for (const auto &range : { std::pair { 5, 15 }, { 76, 80 }, { 83, 144 }, { 1043, 1104 } }) {
        for (int i = range.first; i < range.second; ++i)
            QVERIFY2(byteAt(image, i) == 0, qPrintable(u"byte %1"_s.arg(i)));
    }
}

void TestParameterData::constantBytes()
{
    ParameterValues values = valuesWithClock();
    values.idedit = u"ABCDEFGHIJKLMNOP"_s; // cut before it could reach byte 15
    const QByteArray image = BuildParameterData(values);
    QCOMPARE(byteAt(image, 15), 0);
    QCOMPARE(byteAt(image, 41), 1);
    for (int i : { 19, 31, 48, 73, 82, 1042 })
        QCOMPARE(byteAt(image, i), 0);
    for (int i : { 1392, 1423, 1744, 1807 }) // unused, scrambled
        QCOMPARE(byteAt(image, i), 0xFF);
}

void TestParameterData::clockBytes_data()
{
    QTest::addColumn<ClockValue>("clock");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("2026-12-07 13:05:09") << ClockValue { 2026, 12, 7, 13, 5, 9 } << "\x1a\x0c\x07\x0d\x05\x09"_ba;
    QTest::newRow("1999-01-31 23:59:59") << ClockValue { 1999, 1, 31, 23, 59, 59 } << "\x63\x01\x1f\x17\x3b\x3b"_ba;
    QTest::newRow("2100-02-28 00:00:00") << ClockValue { 2100, 2, 28, 0, 0, 0 } << "\x00\x02\x1c\x00\x00\x00"_ba;
}

void TestParameterData::clockBytes()
{
    QFETCH(ClockValue, clock);
    QFETCH(QByteArray, bytes);
    ParameterValues values;
    values.clock = clock;
    QCOMPARE(BuildParameterData(values).mid(32, 6), bytes);
    QVERIFY(!ReadParameterData(BuildParameterData(values)).clock);
}

void TestParameterData::unsetClockTakesTheCurrentTime()
{
    const auto clockBytes = [](const QDateTime &t) {
        const QDate d = t.date();
        const QTime h = t.time();
        const int parts[] = { d.year() % 100, d.month(), d.day(), h.hour(), h.minute(), h.second() };
        QByteArray bytes;
        for (int part : parts)
            bytes.append(static_cast<char>(part));
        return bytes;
    };
    const QDateTime before = QDateTime::currentDateTime();
    const QByteArray written = BuildParameterData(ParameterValues()).mid(32, 6);
    const QDateTime after = QDateTime::currentDateTime();
    QVERIFY2(written == clockBytes(before) || written == clockBytes(after), written.toHex(' ').constData());
}

void TestParameterData::timerBytes_data()
{
    QTest::addColumn<TimeOfDay>("start");
    QTest::addColumn<TimeOfDay>("end");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("whole day") << TimeOfDay { 0, 0, 0 } << TimeOfDay { 23, 59, 59 } << "\x00\x00\x00\x17\x3b\x3b"_ba;
    QTest::newRow("evening") << TimeOfDay { 18, 30, 5 } << TimeOfDay { 6, 0, 45 } << "\x12\x1e\x05\x06\x00\x2d"_ba;
    // Bytes out of range are returned as stored; checking them is Load's business.
    QTest::newRow("out of range") << TimeOfDay { 24, 60, 255 } << TimeOfDay { 99, 0, 61 }
                                  << "\x18\x3c\xff\x63\x00\x3d"_ba;
}

void TestParameterData::timerBytes()
{
    QFETCH(TimeOfDay, start);
    QFETCH(TimeOfDay, end);
    QFETCH(QByteArray, bytes);
    ParameterValues values = valuesWithClock();
    values.timerStart = start;
    values.timerEnd = end;
    const QByteArray image = BuildParameterData(values);
    QCOMPARE(image.mid(42, 6), bytes);
    const ParameterValues read = ReadParameterData(image);
    QCOMPARE(read.timerStart, start);
    QCOMPARE(read.timerEnd, end);
}

void TestParameterData::switchesByte_data()
{
    QTest::addColumn<int>("mms");
    QTest::addColumn<int>("ftp");
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("mmsRead");
    QTest::addColumn<int>("ftpRead");
    QTest::newRow("MMS on") << 1 << 0 << 1 << 1 << 0;
    QTest::newRow("FTP on") << 0 << 1 << 8 << 0 << 1;
    QTest::newRow("both on") << 1 << 1 << 9 << 1 << 1;
    QTest::newRow("both off") << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("FTP unselected") << 0 << -1 << 248 << 0 << 31;
    QTest::newRow("both unselected") << -1 << -1 << 247 << 7 << 30;
    QTest::newRow("largest") << 7 << 31 << 255 << 7 << 31;
}

void TestParameterData::switchesByte()
{
    QFETCH(int, mms);
    QFETCH(int, ftp);
    QFETCH(int, byte);
    QFETCH(int, mmsRead);
    QFETCH(int, ftpRead);
    ParameterValues values = valuesWithClock();
    values.ComboBox1 = mms;
    values.ComboBox10 = ftp;
    const QByteArray image = BuildParameterData(values);
    QCOMPARE(byteAt(image, 81), byte);
    const ParameterValues read = ReadParameterData(image);
    QCOMPARE(read.ComboBox1, mmsRead);
    QCOMPARE(read.ComboBox10, ftpRead);
}

void TestParameterData::indexBytes_data()
{
    QTest::addColumn<QString>("field");
    for (const ParameterField &field : IndexFields()) {
        if (field.kind == FieldKind::Index) // not the switches, which share a byte
            QTest::newRow(field.name) << QString::fromLatin1(field.name);
    }
}

// Each index lands on its byte as its low 8 bits and comes back as 0..255.
void TestParameterData::indexBytes()
{
    QFETCH(QString, field);
    const ParameterField *index = FindField(field);
    QVERIFY(index);
    const int offset = index->offset;

    for (const auto &[value, stored] : { std::pair { -1, 255 }, { 3, 3 }, { 200, 200 }, { 300, 44 } }) {
        ParameterValues values = valuesWithClock();
        values.*(index->index) = value;
        const QByteArray image = BuildParameterData(values);
        const QByteArray plain = unscrambled(image);
        QCOMPARE(byteAt(plain, offset), stored);
        QCOMPARE(ReadParameterData(image).*(index->index), stored);
        // Nothing else moved.
        const QByteArray blank = unscrambled(BuildParameterData(valuesWithClock()));
        for (int i = 0; i < ParameterDataSize; ++i) {
            if (i != offset)
                QVERIFY2(plain.at(i) == blank.at(i), qPrintable(u"byte %1"_s.arg(i)));
        }
    }
}

void TestParameterData::sharedSmtpFtpFields_data()
{
    QTest::addColumn<int>("ftpSwitch");
    QTest::addColumn<bool>("ftpTextsWritten");
    QTest::newRow("FTP on") << 1 << true;
    QTest::newRow("FTP off") << 0 << false;
    QTest::newRow("FTP unselected") << -1 << false;
    QTest::newRow("FTP index 2") << 2 << false;
}

void TestParameterData::sharedSmtpFtpFields()
{
    QFETCH(int, ftpSwitch);
    QFETCH(bool, ftpTextsWritten);

    ParameterValues values = valuesWithClock();
    values.ComboBox10 = ftpSwitch;
    for (const auto &[smtp, ftp] : SharedFields) {
        textMember(values, smtp) = u"smtp-"_s + QLatin1StringView(smtp).left(6);
        textMember(values, ftp) = u"ftp-"_s + QLatin1StringView(ftp).left(6);
    }

    ParameterValues read = ReadParameterData(BuildParameterData(values));
    QStringList leftOut;
    for (const auto &[smtp, ftp] : SharedFields) {
        leftOut << QLatin1StringView(ftpTextsWritten ? smtp : ftp);
        const QString expected = textMember(values, ftpTextsWritten ? ftp : smtp);
        QCOMPARE(textMember(read, smtp), expected);
        QCOMPARE(textMember(read, ftp), expected);
    }
    // The page left out is named where it differs from the texts written, but not a text as it was before.
    ParameterValues before;
    textMember(before, leftOut.first()) = textMember(values, leftOut.first());
    QStringList named;
    for (const ParameterField *field : SharedTextsLeftOut(values, before))
        named << QLatin1StringView(field->name);
    QCOMPARE(named, leftOut.mid(1));
}

void TestParameterData::longTextsRunOnAndReadBackCut_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("ftpSwitch");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("readBack");

    const QString apn50 = u"internet.mobile.example.com.long-access-point.name"_s;
    QTest::newRow("APN of 50") << u"apn"_s << 0 << apn50 << apn50.left(48);
    QTest::newRow("SMTP APN of 50") << u"smtpapn"_s << 0 << apn50 << apn50.left(48);
    QTest::newRow("FTP APN of 50") << u"ftpapn"_s << 1 << apn50 << apn50.left(48);
    const QString operator18 = u"Telefonica Movista"_s;
    QTest::newRow("MMS operator of 18") << u"ComboBox4"_s << 0 << operator18 << operator18.left(16);
    QTest::newRow("SMTP operator of 18") << u"ComboBox8"_s << 0 << operator18 << operator18.left(16);
    QTest::newRow("FTP operator of 18") << u"ComboBox13"_s << 1 << operator18 << operator18.left(16);
    QTest::newRow("operator of 44") << u"ComboBox4"_s << 0 << QString(44, u'o') << QString(16, u'o');
    QTest::newRow("ID of 9") << u"idedit"_s << 0 << u"CAM000123"_s << u"CAM000"_s;
}

// Stored whole in the room, read back to the read width.
void TestParameterData::longTextsRunOnAndReadBackCut()
{
    QFETCH(QString, field);
    QFETCH(int, ftpSwitch);
    QFETCH(QString, text);
    QFETCH(QString, readBack);

    ParameterValues values = valuesWithClock();
    values.ComboBox10 = ftpSwitch;
    textMember(values, field) = text;
    const QByteArray image = BuildParameterData(values);
    const QByteArray plain = unscrambled(image);
    QCOMPARE(plain.mid(FindField(field)->offset, text.size() + 1), text.toLatin1() + '\0');
    ParameterValues read = ReadParameterData(image);
    QCOMPARE(textMember(read, field), readBack);
}

void TestParameterData::fullPasswordLosesItsTerminator_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("mmsMode");
    QTest::addColumn<QByteArray>("bytes76to80");
    QTest::newRow("four characters") << u"1234"_s << 1 << "1234\x01"_ba;
    QTest::newRow("four characters, Manual") << u"9876"_s << 0 << "9876\x00"_ba;
    QTest::newRow("two characters") << u"12"_s << 1 << "12\x00\x00\x01"_ba;
    QTest::newRow("empty") << QString() << 1 << "\x00\x00\x00\x00\x01"_ba;
}

void TestParameterData::fullPasswordLosesItsTerminator()
{
    QFETCH(QString, password);
    QFETCH(int, mmsMode);
    QFETCH(QByteArray, bytes76to80);
    ParameterValues values = valuesWithClock();
    values.passedit = password;
    values.ComboBox2 = mmsMode;
    const QByteArray image = BuildParameterData(values);
    QCOMPARE(image.mid(76, 5), bytes76to80);
    const ParameterValues read = ReadParameterData(image);
    QCOMPARE(read.passedit, password);
    QCOMPARE(read.ComboBox2, mmsMode);
}

void TestParameterData::ftpTextLeavesLongerSmtpTail()
{
    ParameterValues values = valuesWithClock();
    values.ComboBox10 = 1;
    values.smtpapn = u"abcdefg"_s;
    values.ftpapn = u"xyz"_s;
    values.ComboBox7 = u"Austria"_s;
    values.ComboBox12 = u"China"_s;
    const QByteArray image = BuildParameterData(values);
    const QByteArray plain = unscrambled(image);
    QCOMPARE(plain.mid(FindField(u"ftpapn")->offset, 8), "xyz\0efg\0"_ba);
    QCOMPARE(plain.mid(FindField(u"ComboBox12")->offset, 8), "China\0a\0"_ba);

    const ParameterValues read = ReadParameterData(image);
    QCOMPARE(read.smtpapn, u"xyz"_s);
    QCOMPARE(read.ftpapn, u"xyz"_s);
    QCOMPARE(read.ComboBox7, u"China"_s);
}

// The port's 30-byte room is read 48 wide, across the mail-server and security
// bytes; the terminator inside the room stops it.
void TestParameterData::mailPortReadsThroughTheBytesAfterIt()
{
    for (const QString &port : { QString(29, u'9'), u"465"_s, QString() }) {
        ParameterValues values = valuesWithClock();
        values.porttxt = port;
        values.ComboBox9 = 1;
        values.security = Security::StartTls;
        values.usernametxt = u"after"_s;
        const ParameterValues read = ReadParameterData(BuildParameterData(values));
        QCOMPARE(read.porttxt, port);
        QCOMPARE(read.ComboBox9, 1);
        QCOMPARE(read.security, Security::StartTls);
    }
}

void TestParameterData::shortImageReadsMissingBytesAsEmpty()
{
    ParameterValues values = valuesWithClock();
    values.idedit = u"CAM001"_s;
    values.apn = u"mms"_s;
    values.ComboBox6 = 1;
    values.path = u"/cam/"_s;
    const QByteArray full = BuildParameterData(values);

    const ParameterValues read = ReadParameterData(full.left(1040));
    QCOMPARE(read.idedit, u"CAM001"_s);
    QCOMPARE(read.apn, u"mms"_s);
    QCOMPARE(read.ComboBox6, 0);
    QCOMPARE(read.path, QString());
    QCOMPARE(ReadParameterData(QByteArray()).idedit, QString());

    // A longer buffer counts only with its first 2128 bytes.
    QCOMPARE(ReadParameterData(full + QByteArray(100, 'x')), ReadParameterData(full));
}

// Build, then read: every member comes back as the byte map keeps it.
void TestParameterData::roundTrip()
{
    QRandomGenerator rng(20261207);
    // Characters that the code page holds, from all its parts.
    const QString alphabet = u"abcxyzABCXYZ0189 .,:;@-_/+#?!äöüÄÖÜßéÉñçøÅÿ\u00a0€ŒœŠšŽžŸƒ…™‘’“”–—"_s;
    const auto randomText = [&](int maxLength) {
        QString text;
        const int length = static_cast<int>(rng.bounded(maxLength + 1));
        for (int i = 0; i < length; ++i)
            text += alphabet.at(static_cast<qsizetype>(rng.bounded(static_cast<quint32>(alphabet.size()))));
        return text;
    };
    const auto anyByte = [&] { return static_cast<int>(rng.bounded(256)); };

    for (int run = 0; run < 400; ++run) {
        ParameterValues values;
        for (const ParameterField &field : IndexFields())
            values.*(field.index) = rng.bounded(-1, 256);
        // FTP on often enough to cover the shared fields both ways.
        values.ComboBox10 = rng.bounded(-1, 3);
        values.security = static_cast<Security>(anyByte());
        for (const ParameterField &field : TextFields())
            values.*(field.text) = randomText(std::min(TextCapacity(field), field.readWidth));
        values.timerStart = { anyByte(), anyByte(), anyByte() };
        values.timerEnd = { anyByte(), anyByte(), anyByte() };
        values.clock = ClockValue { rng.bounded(2000, 2100), rng.bounded(1, 13), rng.bounded(1, 29), rng.bounded(0, 24),
            rng.bounded(0, 60), rng.bounded(0, 60) };

        ParameterValues expected = values;
        expected.clock.reset();
        for (const ParameterField &field : IndexFields())
            expected.*(field.index) = values.*(field.index) & 0xFF;
        const int switches = (values.ComboBox1 + 8 * values.ComboBox10) & 0xFF;
        expected.ComboBox1 = switches & 7;
        expected.ComboBox10 = switches >> 3;
        const bool ftpOn = values.ComboBox10 == 1;
        for (const auto &[smtp, ftp] : SharedFields) {
            const QString shared = textMember(values, ftpOn ? ftp : smtp);
            textMember(expected, smtp) = shared;
            textMember(expected, ftp) = shared;
        }

        const QByteArray image = BuildParameterData(values);
        QCOMPARE(image.size(), ParameterDataSize);
        const QString difference = firstDifference(ReadParameterData(image), expected);
        QVERIFY2(difference.isEmpty(), qPrintable(u"run %1: %2"_s.arg(run).arg(difference)));
    }
}

void TestParameterData::overlongTextStaysInItsRoom_data()
{
    QTest::addColumn<QString>("field");
    for (const ParameterField &field : TextFields())
        QTest::newRow(field.name) << QString::fromLatin1(field.name);
}

// With every other field full, an over-long text changes only its own room.
void TestParameterData::overlongTextStaysInItsRoom()
{
    QFETCH(QString, field);
    const ParameterField *tested = FindField(field);
    QVERIFY(tested);

    ParameterValues full = valuesWithClock();
    full.ComboBox10 = isFtpShared(field) ? 1 : 0;
    full.ComboBox2 = 1;
    full.ComboBox9 = 2;
    full.security = Security::Ssl;
    char letter = 'a';
    for (const ParameterField &other : TextFields()) {
        full.*(other.text) = QString(TextCapacity(other), QLatin1Char(letter));
        letter = letter == 'y' ? 'a' : static_cast<char>(letter + 1);
    }
    ParameterValues overlong = full;
    const int capacity = TextCapacity(*tested);
    overlong.*(tested->text) = QString(capacity + 20, u'Ž');

    const QByteArray before = unscrambled(BuildParameterData(full));
    const QByteArray image = BuildParameterData(overlong);
    const QByteArray after = unscrambled(image);
    for (int i = 0; i < ParameterDataSize; ++i) {
        if (i >= tested->offset && i < tested->offset + tested->room)
            continue;
        QVERIFY2(before.at(i) == after.at(i), qPrintable(u"byte %1 changed"_s.arg(i)));
    }
    QCOMPARE(after.mid(tested->offset, capacity), QByteArray(capacity, '\x8e'));
    if (tested->terminated)
        QCOMPARE(after.at(tested->offset + capacity), '\0');

    const QString kept = FitText(*tested, overlong.*(tested->text));
    QCOMPARE(kept, QString(capacity, u'Ž'));
    const ParameterValues read = ReadParameterData(image);
    QCOMPARE(read.*(tested->text), kept.left(tested->readWidth));
}

void TestParameterData::fitText_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QByteArray>("stored");

    const QString emoji = u"😀"_s;
    QTest::newRow("fits") << u"idedit"_s << u"CAM000"_s << u"CAM000"_s << "CAM000\0"_ba;
    QTest::newRow("nine of ten") << u"idedit"_s << u"ABCDEFGHIJ"_s << u"ABCDEFGHI"_s << "ABCDEFGHI\0"_ba;
    QTest::newRow("password needs no terminator") << u"passedit"_s << u"123456"_s << u"1234"_s << "1234"_ba;
    QTest::newRow("pairs count once") << u"idedit"_s << emoji.repeated(20) << emoji.repeated(9) << "?????????\0"_ba;
    QTest::newRow("best-fit letters") << u"ComboBox3"_s << u"Łódź Łódź Łódź Łódź"_s << u"Łódź Łódź Łódź "_s
                                      << "L\xf3"
                                         "dz L\xf3"
                                         "dz L\xf3"
                                         "dz \0"_ba;
    QTest::newRow("empty") << u"apn"_s << QString() << QString() << "\0"_ba;
}

void TestParameterData::fitText()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, kept);
    QFETCH(QByteArray, stored);
    const ParameterField *textField = FindField(field);
    QVERIFY(textField);
    QCOMPARE(FitText(*textField, text), kept);

    ParameterValues values = valuesWithClock();
    values.*(textField->text) = text;
    QCOMPARE(unscrambled(BuildParameterData(values)).mid(textField->offset, stored.size()), stored);
}

// Written and read as the stored image and its values have it, each member at its place.
void TestParameterData::goldenImage()
{
    const QByteArray image = fixtures::ReadAll(fixtures::GoldenFile(u"golden.dat"_s));
    ParameterValues values;
    const auto refused = ValuesFromJsonText(fixtures::ReadAll(fixtures::GoldenFile(u"golden.json"_s)), &values);
    QVERIFY2(!refused, qPrintable(refused ? refused->member + u": "_s + refused->problem : QString()));
    QCOMPARE(firstDifference(ReadParameterData(image), values), QString());
    values.clock = valuesWithClock().clock; // which decode leaves out
    QCOMPARE(BuildParameterData(values), image);
}

QTEST_APPLESS_MAIN(TestParameterData)
#include "tst_parameterdata.moc"
