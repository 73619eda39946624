#include "settings/codepage.h"

#include <QChar>

#include <algorithm>
#include <iterator>

namespace {

// Bytes 0x80-0x9F; the rest of the code page is Latin-1. Windows decodes the
// five undefined bytes to the C1 controls of the same number and encodes those
// controls back to them, so they travel through unchanged.
// clang-format off
constexpr char16_t HighBlock[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
// clang-format on

struct BestFit
{
    char16_t from;
    quint8 to;
};

// Windows' best-fit choices for characters that have no canonical decomposition
// to a character of the code page: letters with strokes and bars, look-alike
// letters, spacing accents, typographic and mathematical signs. Letters that do
// decompose ("ć", "ő", "Ṧ") are found through their decomposition instead.
// Sorted by `from`.
// clang-format off
constexpr BestFit BestFits[] = {
    {0x0110, 0xD0}, // Đ looks like Ð, which the code page has
    {0x0111, 'd'}, {0x0126, 'H'}, {0x0127, 'h'}, {0x0131, 'i'}, {0x013F, 'L'}, {0x0140, 'l'},
    {0x0141, 'L'}, {0x0142, 'l'}, {0x0166, 'T'}, {0x0167, 't'}, {0x0180, 'b'}, {0x0189, 0xD0},
    {0x0191, 0x83}, {0x0197, 'I'}, {0x019A, 'l'}, {0x019F, 'O'}, {0x01AB, 't'}, {0x01AE, 'T'},
    {0x01B6, 'z'}, {0x01C0, '|'}, {0x01C3, '!'}, {0x01E4, 'G'}, {0x01E5, 'g'}, {0x0261, 'g'},
    {0x02B9, '\''}, {0x02BA, '"'}, {0x02BC, '\''}, {0x02C4, '^'}, {0x02C8, '\''}, {0x02C9, 0xAF},
    {0x02CA, 0xB4}, {0x02CB, '`'}, {0x02CD, '_'}, {0x02DA, 0xB0},
    {0x0300, '`'}, {0x0301, 0xB4}, {0x0302, '^'}, {0x0303, 0x98}, {0x0304, 0xAF}, {0x0305, 0xAF},
    {0x0308, 0xA8}, {0x030A, 0xB0}, {0x030E, '"'}, {0x0327, 0xB8}, {0x0331, '_'}, {0x0332, '_'},
    {0x037E, ';'}, {0x0393, 'G'}, {0x0398, 'T'}, {0x03A3, 'S'}, {0x03A6, 'F'}, {0x03A9, 'O'},
    {0x03B1, 'a'}, {0x03B2, 0xDF}, {0x03B4, 'd'}, {0x03B5, 'e'}, {0x03BC, 0xB5}, {0x03C0, 'p'},
    {0x03C3, 's'}, {0x03C4, 't'}, {0x03C6, 'f'},
    {0x2010, '-'}, {0x2011, '-'}, {0x2017, '='}, {0x2032, '\''}, {0x2035, '`'}, {0x203C, '!'},
    {0x2044, '/'}, {0x2074, '4'}, {0x207F, 'n'}, {0x20A1, 0xA2}, {0x20A4, 0xA3}, {0x20A7, 'P'},
    {0x2102, 'C'}, {0x2107, 'E'}, {0x210A, 'g'}, {0x210B, 'H'}, {0x210C, 'H'}, {0x210D, 'H'},
    {0x210E, 'h'}, {0x2110, 'I'}, {0x2111, 'I'}, {0x2112, 'L'}, {0x2113, 'l'}, {0x2115, 'N'},
    {0x2118, 'P'}, {0x2119, 'P'}, {0x211A, 'Q'}, {0x211B, 'R'}, {0x211C, 'R'}, {0x211D, 'R'},
    {0x2124, 'Z'}, {0x2128, 'Z'}, {0x212A, 'K'}, {0x212B, 0xC5}, {0x212C, 'B'}, {0x212D, 'C'},
    {0x212E, 'e'}, {0x212F, 'e'}, {0x2130, 'E'}, {0x2131, 'F'}, {0x2133, 'M'}, {0x2134, 'o'},
    {0x2205, 0xD8}, {0x2212, '-'}, {0x2213, 0xB1}, {0x2215, '/'}, {0x2216, '\\'}, {0x2217, '*'},
    {0x2218, 0xB0}, {0x2219, 0xB7}, {0x221A, 'v'}, {0x221E, '8'}, {0x2223, '|'}, {0x2229, 'n'},
    {0x2236, ':'}, {0x223C, '~'}, {0x2248, 0x98}, {0x2261, '='}, {0x2264, '='}, {0x2265, '='},
    {0x226A, 0xAB}, {0x226B, 0xBB}, {0x22C5, 0xB7}, {0x2302, 0xA6}, {0x2303, '^'}, {0x2310, 0xAC},
    {0x2329, '<'}, {0x232A, '>'},
    {0x3000, ' '}, {0x3008, '<'}, {0x3009, '>'}, {0x300A, 0xAB}, {0x300B, 0xBB}, {0x301A, '['},
    {0x301B, ']'}, {0x30FB, 0xB7},
};
// clang-format on
static_assert(std::is_sorted(
    std::begin(BestFits), std::end(BestFits), [](const BestFit &a, const BestFit &b) { return a.from < b.from; }));

constexpr char Unmapped = '?';

// The byte of a character the code page has as it is, or 0 when it has none
// (U+0000 is handled by the caller).
constexpr quint8 directByte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<quint8>(c);
    const auto found = std::find(std::begin(HighBlock), std::end(HighBlock), c);
    return found == std::end(HighBlock) ? 0 : static_cast<quint8>(0x80 + (found - std::begin(HighBlock)));
}

// A Latin letter with diacritics becomes the letter it is built on, stripping
// marks until a letter of the code page remains ("ế" -> "ê", "Ṧ" -> "Š").
quint8 baseLetterByte(char32_t c)
{
    if (QChar::script(c) != QChar::Script_Latin || !QChar::isLetter(c))
        return 0;
    while (QChar::decompositionTag(c) == QChar::Canonical) {
        c = QChar::decomposition(c).at(0).unicode();
        if (const quint8 byte = directByte(c))
            return byte;
    }
    return 0;
}

char encodeCodePoint(char32_t c)
{
    if (c == 0)
        return 0;
    if (const quint8 byte = directByte(c))
        return static_cast<char>(byte);
    if (c > 0xFFFF)
        return Unmapped;
    const auto fit = std::lower_bound(std::begin(BestFits), std::end(BestFits), c,
        [](const BestFit &entry, char32_t key) { return entry.from < key; });
    if (fit != std::end(BestFits) && fit->from == c)
        return static_cast<char>(fit->to);
    if (c >= 0xFF01 && c <= 0xFF5E) // fullwidth ASCII
        return static_cast<char>(c - 0xFEE0);
    if (c >= 0x2000 && c <= 0x2006) // typographic spaces
        return ' ';
    if (c >= 0x2080 && c <= 0x2089) // subscript digits
        return static_cast<char>('0' + (c - 0x2080));
    if (const quint8 byte = baseLetterByte(c))
        return static_cast<char>(byte);
    return Unmapped;
}

} // namespace

QByteArray EncodeCodePage(const QString &text)
{
    const qsizetype size = text.size();
    QByteArray bytes(size, Qt::Uninitialized);
    char *out = bytes.data();
    for (qsizetype i = 0; i < size; ++i) {
        char32_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < size && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        *out++ = encodeCodePoint(c);
    }
    bytes.truncate(out - bytes.constData());
    return bytes;
}

QString DecodeCodePage(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<quint8>(c);
        *out++ = (byte >= 0x80 && byte < 0xA0) ? QChar(HighBlock[byte - 0x80]) : QLatin1Char(c);
    }
    return text;
}
