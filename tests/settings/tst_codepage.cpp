#include "settings/codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

using namespace Qt::StringLiterals;

class TestCodePage : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void decodeAgreesWithIcu();
    void everyByteSurvivesARoundTrip();
    void encode_data();
    void encode();
    void encodeAgreesWithIcuWhereItMaps();
};

static QString fromCodePoint(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

void TestCodePage::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("ascii") << "Aa0 ~"_ba << u"Aa0 ~"_s;
    QTest::newRow("euro") << "\x80"_ba << u"€"_s;
    QTest::newRow("quotes and dashes") << "\x91\x92\x93\x94\x96\x97"_ba << u"‘’“”–—"_s;
    QTest::newRow("letters of the 0x80 block") << "\x83\x8a\x8c\x8e\x9a\x9c\x9e\x9f"_ba << u"ƒŠŒŽšœžŸ"_s;
    QTest::newRow("ellipsis, trade mark, per mille") << "\x85\x99\x89"_ba << u"…™‰"_s;
    QTest::newRow("undefined 0x81") << "\x81"_ba << fromCodePoint(0x81);
    QTest::newRow("undefined 0x8D") << "\x8d"_ba << fromCodePoint(0x8D);
    QTest::newRow("undefined 0x8F") << "\x8f"_ba << fromCodePoint(0x8F);
    QTest::newRow("undefined 0x90") << "\x90"_ba << fromCodePoint(0x90);
    QTest::newRow("undefined 0x9D") << "\x9d"_ba << fromCodePoint(0x9D);
    QTest::newRow("latin-1 half") << "\xa0\xc4\xd0\xd8\xdf\xe9\xff"_ba << u"\u00a0ÄÐØßéÿ"_s;
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestCodePage::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DecodeCodePage(bytes), text);
}

// Windows' own table is what the camera's files were written with; ICU carries it.
void TestCodePage::decodeAgreesWithIcu()
{
    QStringDecoder icu("windows-1252");
    if (!icu.isValid())
        QSKIP("Qt was built without ICU");
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        const QString expected = icu.decode(QByteArrayView(&byte, 1));
        QVERIFY2(DecodeCodePage(QByteArrayView(&byte, 1)) == expected, qPrintable(u"byte 0x%1"_s.arg(b, 2, 16)));
    }
}

void TestCodePage::everyByteSurvivesARoundTrip()
{
    QByteArray all(256, '\0');
    for (int b = 0; b < 256; ++b)
        all[b] = static_cast<char>(b);
    const QString text = DecodeCodePage(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(EncodeCodePage(text), all);
}

void TestCodePage::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("ascii") << u"CAM000 /myfolder/"_s << "CAM000 /myfolder/"_ba;
    QTest::newRow("latin-1 kept") << u"Kraków Ørsted Straße"_s
                                  << "Krak\xf3w \xd8rsted Stra\xdf"
                                     "e"_ba;
    QTest::newRow("0x80 block kept") << u"€ŒœŠšŽžŸƒ…"_s << "\x80\x8c\x9c\x8a\x9a\x8e\x9e\x9f\x83\x85"_ba;
    QTest::newRow("undefined bytes' controls kept") << fromCodePoint(0x81) + fromCodePoint(0x9D) << "\x81\x9d"_ba;
    QTest::newRow("other C1 control") << fromCodePoint(0x80) << "?"_ba;

    // Letters with diacritics lose them, down to a letter the code page has.
    QTest::newRow("c acute") << u"ć"_s << "c"_ba;
    QTest::newRow("o double acute") << u"ő"_s << "o"_ba;
    QTest::newRow("C caron") << u"Č"_s << "C"_ba;
    QTest::newRow("e ogonek") << u"ę"_s << "e"_ba;
    QTest::newRow("Polish city") << u"Łódź"_s
                                 << "L\xf3"
                                    "dz"_ba;
    QTest::newRow("language names") << u"Česky Hrvatski"_s << "Cesky Hrvatski"_ba;
    QTest::newRow("A diaeresis macron to Ä") << u"Ǟ"_s << "\xc4"_ba;
    QTest::newRow("e circumflex acute to ê") << u"ế"_s << "\xea"_ba;
    QTest::newRow("S caron dot to Š") << u"Ṧ"_s << "\x8a"_ba;
    QTest::newRow("combining accent stays an accent") << u"e\u0301"_s << "e\xb4"_ba;

    // Letters without a decomposition that Windows still fits.
    QTest::newRow("L stroke") << u"Łł"_s << "Ll"_ba;
    QTest::newRow("D stroke") << u"Đđ"_s
                              << "\xd0"
                                 "d"_ba;
    QTest::newRow("H stroke") << u"Ħħ"_s << "Hh"_ba;
    QTest::newRow("dotless i") << u"ı"_s << "i"_ba;
    QTest::newRow("L middle dot") << u"Ŀŀ"_s << "Ll"_ba;
    QTest::newRow("T stroke") << u"Ŧŧ"_s << "Tt"_ba;
    QTest::newRow("F hook") << u"Ƒ"_s << "\x83"_ba;

    // Signs.
    QTest::newRow("prime") << u"5′"_s << "5'"_ba;
    QTest::newRow("minus sign") << u"−1"_s << "-1"_ba;
    QTest::newRow("fullwidth ascii") << u"ＡＢｃ！～"_s << "ABc!~"_ba;
    QTest::newRow("ideographic space") << u"\u3000"_s << " "_ba;
    QTest::newRow("greek mu") << u"μ"_s << "\xb5"_ba;
    QTest::newRow("en quad") << u"\u2000"_s << " "_ba;
    QTest::newRow("subscript digits") << u"H₂O"_s << "H2O"_ba;

    // Nothing close: the default character, one per character.
    QTest::newRow("cyrillic") << u"Русский"_s << "???????"_ba;
    QTest::newRow("cjk") << u"宋体"_s << "??"_ba;
    QTest::newRow("emoji is one character") << u"a😀b"_s << "a?b"_ba;
    QTest::newRow("lone high surrogate") << QString(QChar(0xD83D)) + u"x"_s << "?x"_ba;
    QTest::newRow("lone low surrogate") << QString(QChar(0xDE00)) << "?"_ba;
    QTest::newRow("private use") << fromCodePoint(0xE000) << "?"_ba;
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestCodePage::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(EncodeCodePage(text), bytes);
}

// ICU maps only what the code page has exactly (0x1A for the rest); there our
// table must give the same byte for every character of the BMP.
void TestCodePage::encodeAgreesWithIcuWhereItMaps()
{
    QStringEncoder icu("windows-1252");
    if (!icu.isValid())
        QSKIP("Qt was built without ICU");
    int compared = 0;
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        const QString text = fromCodePoint(c);
        const QByteArray expected = icu.encode(text);
        if (expected.size() != 1 || (expected == "\x1a"_ba && c != 0x1A))
            continue;
        ++compared;
        QVERIFY2(EncodeCodePage(text) == expected, qPrintable(u"U+%1"_s.arg(uint(c), 4, 16, QLatin1Char('0'))));
    }
    QCOMPARE(compared, 255); // every byte but 0x00
}

QTEST_APPLESS_MAIN(TestCodePage)
#include "tst_codepage.moc"
