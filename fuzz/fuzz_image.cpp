// Reads any bytes as an image in memory and builds it back, fast enough for a
// long campaign. The values read must build into an image that reads back to
// the same values, texts cut to their room; that image must carry the input's
// bytes for every value, each text alone in its own room, and zero wherever
// no field lies; and building it again must change nothing.
#include "settings/parameterdata.h"
#include "settings/parameterfields.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_image: %s\n", what);
    std::abort();
}

constexpr ClockValue FixedClock { 2026, 12, 7, 13, 5, 9 };
constexpr int ClockOffset = ParameterFields[FieldOf(&ParameterValues::clock)].offset;
constexpr std::uint8_t FixedClockBytes[] = { 26, 12, 7, 13, 5, 9 };

// The image as the camera sees it, scrambled regions undone; bytes past the
// end of a short input are zero, as if never written.
std::array<std::uint8_t, ParameterDataSize> plain(const char *bytes, qsizetype size)
{
    std::array<std::uint8_t, ParameterDataSize> result {};
    const qsizetype available = std::min(size, ParameterDataSize);
    std::memcpy(result.data(), bytes, static_cast<std::size_t>(available));
    for (const ScrambledRegion &region : ScrambledRegions) {
        for (qsizetype i = region.begin; i < std::min<qsizetype>(region.end, available); ++i)
            result[i] = ScrambleByte(result[i]);
    }
    return result;
}

enum class Owner : std::uint8_t { Nobody, Value, Text, Fixed };

const std::array<Owner, ParameterDataSize> &owners()
{
    static const std::array<Owner, ParameterDataSize> map = [] {
        std::array<Owner, ParameterDataSize> m {};
        for (const ParameterField &field : ParameterFields) {
            const Owner owner = field.kind == FieldKind::Text ? Owner::Text
                : field.kind == FieldKind::Clock              ? Owner::Fixed
                                                              : Owner::Value;
            std::fill_n(m.begin() + field.offset, field.room, owner);
        }
        m[15] = Owner::Fixed;
        m[41] = Owner::Fixed;
        return m;
    }();
    return map;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto *bytes = reinterpret_cast<const char *>(data);
    const auto length = static_cast<qsizetype>(size);
    ParameterValues values = ReadParameterData(QByteArray::fromRawData(bytes, length));
    if (values.clock)
        fail("a clock was read");

    ParameterValues expected = values;
    for (const ParameterField &field : TextFields())
        expected.*(field.text) = FitText(field, values.*(field.text));
    values.clock = FixedClock;
    const QByteArray image = BuildParameterData(values);
    if (image.size() != ParameterDataSize)
        fail("the built image is not 2128 bytes");
    ParameterValues again = ReadParameterData(image);
    if (!(again == expected))
        fail("the values read back differ from the values built");
    again.clock = FixedClock;
    if (BuildParameterData(again) != image)
        fail("building the values read back changed the image");

    const auto input = plain(bytes, length);
    const auto built = plain(image.constData(), image.size());
    const auto &owner = owners();
    for (int i = 0; i < ParameterDataSize; ++i) {
        if (owner[i] == Owner::Nobody && built[i] != 0)
            fail("a byte that no field owns was written");
        if (owner[i] == Owner::Value && built[i] != input[i])
            fail("a value byte changed");
    }
    if (std::memcmp(built.data() + ClockOffset, FixedClockBytes, sizeof FixedClockBytes) != 0 || built[15] != 0
        || built[41] != 1)
        fail("a fixed byte is wrong");
    for (const ParameterField &field : TextFields()) {
        const auto kept = static_cast<int>((expected.*(field.text)).size());
        const std::uint8_t *room = built.data() + field.offset;
        if (std::memcmp(room, input.data() + field.offset, static_cast<std::size_t>(kept)) != 0)
            fail("a text's bytes changed");
        if (std::any_of(room + kept, room + field.room, [](std::uint8_t b) { return b != 0; }))
            fail("a text's room holds more than the text");
    }
    return 0;
}
