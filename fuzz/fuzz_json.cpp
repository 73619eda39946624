// Feeds any bytes to encode's reading of a values file. They must be refused
// with a reason, or give values that build into an image in which every value
// reads back from where the camera reads it, and no byte outside the fields is
// written: a value that spilled out of its room would show in one or the other.
#include "settings/codepage.h"
#include "settings/parameterdata.h"
#include "settings/parameterfields.h"
#include "values/valuesjson.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

using V = ParameterValues;

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_json: %s\n", what);
    std::abort();
}

// SMTP and FTP share these rooms; the FTP text is stored there while FTP is on.
constexpr std::pair<QString V::*, QString V::*> SharedRooms[] = {
    { &V::ComboBox7, &V::ComboBox12 },
    { &V::ComboBox8, &V::ComboBox13 },
    { &V::smtpapn, &V::ftpapn },
    { &V::smtpusername, &V::ftpusername },
    { &V::smtppassword, &V::ftppassword },
};

QString V::*storedText(const ParameterValues &values, QString V::*member)
{
    for (const auto &[smtp, ftp] : SharedRooms) {
        if (member == smtp || member == ftp)
            return values.ComboBox10 == 1 ? ftp : smtp;
    }
    return member;
}

// Bytes that lie in some field's room.
const std::array<bool, ParameterDataSize> &owned()
{
    static const std::array<bool, ParameterDataSize> map = [] {
        std::array<bool, ParameterDataSize> m {};
        for (const ParameterField &field : ParameterFields)
            std::fill_n(m.begin() + field.offset, field.room, true);
        return m;
    }();
    return map;
}

// A switch below this one in its byte that has no selection (-1) borrows from
// its bits, as the window's own files do.
bool borrowedFrom(const ParameterField &field, const ParameterValues &values)
{
    return std::any_of(ParameterFields.begin(), ParameterFields.end(), [&](const ParameterField &other) {
        return other.kind == FieldKind::Switch && other.offset == field.offset && other.shift < field.shift
            && values.*other.index < 0;
    });
}

void checkReadBack(const ParameterValues &values, const QByteArray &image)
{
    const ParameterValues read = ReadParameterData(image);
    for (const ParameterField &field : ParameterFields) {
        switch (field.kind) {
        case FieldKind::Index:
            if (read.*field.index != (values.*field.index & 0xFF))
                fail("an index does not read back");
            break;
        case FieldKind::Switch:
            if (!borrowedFrom(field, values) && read.*field.index != (values.*field.index & HighestIndex(field)))
                fail("a switch does not read back");
            break;
        case FieldKind::Text: {
            const QByteArray bytes = EncodeCodePage(values.*storedText(values, field.text));
            if (read.*field.text != DecodeCodePage(QByteArrayView(bytes).first(std::min<qsizetype>(bytes.size(), field.readWidth))))
                fail("a text does not read back");
            break;
        }
        case FieldKind::Clock:
            if (ReadStoredClock(image) != *(values.*field.clock))
                fail("the clock does not read back");
            break;
        case FieldKind::Time:
            if (read.*field.time != values.*field.time)
                fail("a time does not read back");
            break;
        case FieldKind::Security:
            if (read.*field.security != values.*field.security)
                fail("the security choice does not read back");
            break;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray json = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    ParameterValues values;
    if (const std::optional<JsonValueError> error = ValuesFromJsonText(json, &values)) {
        if (error->problem.isEmpty())
            fail("a refusal without a reason");
        return 0;
    }
    // The current time would make each run differ.
    if (!values.clock)
        values.clock = ClockValue { 2026, 12, 7, 13, 5, 9 };
    const QByteArray image = BuildParameterData(values);
    if (image.size() != ParameterDataSize)
        fail("the image is not 2128 bytes");

    // Byte 41 is always 1; every other byte outside the fields stays 0.
    const auto &inField = owned();
    for (int i = 0; i < ParameterDataSize; ++i) {
        const bool scrambled = std::any_of(std::begin(ScrambledRegions), std::end(ScrambledRegions),
            [i](const ScrambledRegion &region) { return i >= region.begin && i < region.end; });
        const auto byte = static_cast<quint8>(image.at(i));
        if (!inField[i] && (scrambled ? ScrambleByte(byte) : byte) != (i == 41 ? 1 : 0))
            fail("a byte outside every field was written");
    }
    checkReadBack(values, image);
    return 0;
}
