#include "settings/parameterdata.h"

#include "settings/codepage.h"
#include "settings/parameterfields.h"

#include <QDateTime>

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

using V = ParameterValues;

enum class Step : quint8 {
    Field, // one row of ParameterFields
    FieldWhileFtpOn, // likewise, but only while FTP is on, over the SMTP text at the same place
    Switches, // the byte at `offset` that the sending switches share
    Constant, // the byte at `offset` takes `value`
    Scramble, // ScrambledRegions[offset]
};

struct WriteStep
{
    Step step;
    std::size_t field = 0;
    int offset = 0;
    int value = 0;
};

consteval WriteStep PutRow(std::size_t field)
{
    if (ParameterFields[field].kind == FieldKind::Switch)
        throw "a sending switch is written with the others, by PutSwitches";
    return { Step::Field, field };
}

// FieldOf's result goes straight on: clang 14, which builds the fuzz targets,
// refuses it in a variable of a consteval template.
template <typename Member> consteval WriteStep Put(Member V::*member)
{
    return PutRow(FieldOf(member));
}

consteval WriteStep PutWhileFtpOn(QString V::*member)
{
    return { Step::FieldWhileFtpOn, FieldOf(member) };
}

consteval WriteStep PutSwitches(int offset)
{
    return { .step = Step::Switches, .offset = offset };
}

consteval WriteStep PutConstant(int offset, int value)
{
    return { .step = Step::Constant, .offset = offset, .value = value };
}

consteval WriteStep Scramble(int region)
{
    return { .step = Step::Scramble, .offset = region };
}

// The order decides the bytes wherever one write lands on another's bytes, so it
// stays as the camera's own tool wrote the image.
// clang-format off
constexpr WriteStep WriteOrder[] = {
    Put(&V::idedit),
    Put(&V::modecmb), Put(&V::rslcmb), Put(&V::intvcmb), Put(&V::mtcmb), Put(&V::isocmb),
    PutConstant(15, 0),
    Put(&V::rslvcmb), Put(&V::vdlcmb), Put(&V::vccmb),
    Put(&V::clock),
    Put(&V::dtfmtcmb), Put(&V::motcmb), Put(&V::langcmb), Put(&V::tvcmb), Put(&V::passcmb),
    // A four-character password's terminator would fall on byte 80, which
    // ComboBox2 takes below, so a full password has none.
    Put(&V::passedit),
    PutConstant(41, 1),
    Put(&V::timerStart), Put(&V::timerEnd),
    Put(&V::ComboBox3), Put(&V::ComboBox4),
    Put(&V::ComboBox2),
    PutSwitches(81),
    Put(&V::apn), Put(&V::username), Put(&V::password), Put(&V::mmsc), Put(&V::proxy), Put(&V::port),
    Put(&V::phone1), Put(&V::phone2), Put(&V::phone3), Put(&V::phone4),
    Put(&V::email1), Put(&V::email2), Put(&V::email3), Put(&V::email4),
    Scramble(0),
    Put(&V::ComboBox7), Put(&V::ComboBox8),
    Put(&V::ComboBox6), Put(&V::ComboBox5),
    Put(&V::smtpapn), Put(&V::smtpusername), Put(&V::smtppassword), Put(&V::servertxt), Put(&V::porttxt),
    Put(&V::ComboBox9),
    Put(&V::security),
    Put(&V::usernametxt), Put(&V::passwordtxt), Put(&V::email1txt), Put(&V::email2txt), Put(&V::email3txt),
    Put(&V::ftpserver), Put(&V::ftpport), Put(&V::ftpaccount), Put(&V::ftppass), Put(&V::path),
    // Only the FTP text and its terminator replace bytes: the tail of a longer
    // SMTP text stays behind them.
    PutWhileFtpOn(&V::ftpapn), PutWhileFtpOn(&V::ftpusername), PutWhileFtpOn(&V::ftppassword),
    PutWhileFtpOn(&V::ComboBox12), PutWhileFtpOn(&V::ComboBox13),
    Scramble(1),
};
// clang-format on

consteval bool writesEveryFieldOnce()
{
    for (std::size_t i = 0; i < ParameterFields.size(); ++i) {
        const ParameterField &field = ParameterFields[i];
        int writes = 0;
        for (const WriteStep &step : WriteOrder) {
            const bool names = (step.step == Step::Field || step.step == Step::FieldWhileFtpOn) && step.field == i;
            const bool packs
                = step.step == Step::Switches && field.kind == FieldKind::Switch && field.offset == step.offset;
            writes += int(names) + int(packs);
        }
        if (writes != 1)
            return false;
    }
    return true;
}
// A row the write order leaves out would never reach the file.
static_assert(writesEveryFieldOnce(), "the write order must write every row of ParameterFields exactly once");

char lowByte(int value)
{
    return static_cast<char>(static_cast<unsigned>(value) & 0xFFu);
}

void putText(char *image, const ParameterField &field, const QString &text)
{
    const QByteArray bytes = EncodeCodePage(text);
    const auto length = static_cast<int>(std::min<qsizetype>(bytes.size(), TextCapacity(field)));
    std::memcpy(image + field.offset, bytes.constData(), static_cast<size_t>(length));
    if (length < field.room)
        image[field.offset + length] = '\0';
}

void putTime(char *image, int offset, const TimeOfDay &time)
{
    image[offset] = lowByte(time.hour);
    image[offset + 1] = lowByte(time.minute);
    image[offset + 2] = lowByte(time.second);
}

ClockValue currentClock()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return { date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second() };
}

void putClock(char *image, int offset, const ClockValue &clock)
{
    const int twoDigitYear = (clock.year % 100 + 100) % 100;
    const int parts[] = { twoDigitYear, clock.month, clock.day, clock.hour, clock.minute, clock.second };
    for (int i = 0; i < 6; ++i)
        image[offset + i] = lowByte(parts[i]);
}

void putField(char *image, const ParameterField &field, const ParameterValues &values)
{
    switch (field.kind) {
    case FieldKind::Index:
        image[field.offset] = lowByte(values.*field.index);
        break;
    case FieldKind::Switch: // written by putSwitches
        break;
    case FieldKind::Text:
        putText(image, field, values.*field.text);
        break;
    case FieldKind::Clock: {
        const std::optional<ClockValue> &clock = values.*field.clock;
        putClock(image, field.offset, clock ? *clock : currentClock());
        break;
    }
    case FieldKind::Time:
        putTime(image, field.offset, values.*field.time);
        break;
    case FieldKind::Security:
        image[field.offset] = static_cast<char>(values.*field.security);
        break;
    }
}

// The indexes go in as they are, -1 too, so each switch's value may carry into the bits above it.
void putSwitches(char *image, int offset, const ParameterValues &values)
{
    unsigned sum = 0;
    for (const ParameterField &field : ParameterFields) {
        if (field.kind == FieldKind::Switch && field.offset == offset)
            sum += static_cast<unsigned>(values.*field.index) << field.shift;
    }
    image[offset] = static_cast<char>(sum & 0xFFu);
}

// The value that reading gives the field, from the unscrambled image.
void takeField(const quint8 *image, const ParameterField &field, ParameterValues &values)
{
    const quint8 *at = image + field.offset;
    switch (field.kind) {
    case FieldKind::Index:
        values.*field.index = at[0];
        break;
    case FieldKind::Switch:
        values.*field.index = (at[0] >> field.shift) & ((1 << field.bits) - 1);
        break;
    case FieldKind::Text: {
        // The SMTP and FTP members of a shared field sit at one offset, so both get its text.
        const auto *start = reinterpret_cast<const char *>(at);
        const auto *end = static_cast<const char *>(std::memchr(start, '\0', static_cast<size_t>(field.readWidth)));
        const qsizetype length = end ? end - start : field.readWidth;
        values.*field.text = DecodeCodePage(QByteArrayView(start, length));
        break;
    }
    case FieldKind::Clock: // the camera keeps its own
        break;
    case FieldKind::Time:
        values.*field.time = { at[0], at[1], at[2] };
        break;
    case FieldKind::Security:
        values.*field.security = static_cast<Security>(at[0]);
        break;
    }
}

void scramble(char *image, const ScrambledRegion &region, int available)
{
    // Eight bytes at a time, as every build and read runs this twice; each
    // byte's halves swap within the byte, whatever the byte order.
    const int end = std::min(region.end, available);
    int i = region.begin;
    for (; i + 8 <= end; i += 8) {
        quint64 word;
        std::memcpy(&word, image + i, sizeof word);
        word = ~(((word << 4) & 0xF0F0F0F0F0F0F0F0u) | ((word >> 4) & 0x0F0F0F0F0F0F0F0Fu));
        std::memcpy(image + i, &word, sizeof word);
    }
    for (; i < end; ++i)
        image[i] = static_cast<char>(ScrambleByte(static_cast<quint8>(image[i])));
}

} // namespace

QByteArray BuildParameterData(const ParameterValues &values)
{
    QByteArray image(ParameterDataSize, '\0');
    char *data = image.data();
    const bool ftpOn = values.ComboBox10 == 1;

    for (const WriteStep &step : WriteOrder) {
        switch (step.step) {
        case Step::FieldWhileFtpOn:
            if (!ftpOn)
                break;
            [[fallthrough]];
        case Step::Field:
            putField(data, ParameterFields[step.field], values);
            break;
        case Step::Switches:
            putSwitches(data, step.offset, values);
            break;
        case Step::Constant:
            data[step.offset] = lowByte(step.value);
            break;
        case Step::Scramble:
            scramble(data, ScrambledRegions[step.offset], static_cast<int>(ParameterDataSize));
            break;
        }
    }
    return image;
}

ParameterValues ReadParameterData(const QByteArray &image)
{
    const auto available = static_cast<int>(std::min(image.size(), ParameterDataSize));
    QByteArray work(ParameterDataSize, '\0');
    std::memcpy(work.data(), image.constData(), static_cast<size_t>(available));
    for (const ScrambledRegion &region : ScrambledRegions)
        scramble(work.data(), region, available);
    const auto *data = reinterpret_cast<const quint8 *>(work.constData());

    ParameterValues values;
    for (const ParameterField &field : ParameterFields)
        takeField(data, field, values);
    return values;
}

ClockValue ReadStoredClock(const QByteArray &image)
{
    constexpr int offset = ParameterFields[FieldOf(&V::clock)].offset;
    static_assert(offset + 6 <= ScrambledRegions[0].begin, "the clock is stored plain");
    const auto byte = [&image](int i) { return offset + i < image.size() ? int(quint8(image.at(offset + i))) : 0; };
    return { 2000 + byte(0), byte(1), byte(2), byte(3), byte(4), byte(5) };
}

bool HasConstantBytes(const QByteArray &image)
{
    for (const WriteStep &step : WriteOrder) {
        if (step.step == Step::Constant
            && (step.offset >= image.size() || image.at(step.offset) != lowByte(step.value)))
            return false;
    }
    return true;
}

bool WritesField(const ParameterField &field, const ParameterValues &values)
{
    const bool ftpOn = values.ComboBox10 == 1;
    for (const WriteStep &step : WriteOrder) {
        if (step.step != Step::FieldWhileFtpOn)
            continue;
        const ParameterField &ftpField = ParameterFields[step.field];
        if (std::strcmp(ftpField.name, field.name) == 0)
            return ftpOn;
        if (ftpOn && ftpField.offset == field.offset)
            return false;
    }
    return true;
}

std::vector<CutText> TextsCutOnReading(const ParameterValues &values)
{
    std::vector<CutText> cut;
    for (const ParameterField &field : ParameterFields) {
        if (field.kind != FieldKind::Text || !WritesField(field, values))
            continue;
        const qsizetype length = EncodeCodePage(values.*field.text).size();
        if (length > ReadBackLength(field))
            cut.push_back({ &field, length });
    }
    return cut;
}

std::vector<const ParameterField *> SharedTextsLeftOut(const ParameterValues &values, const ParameterValues &before)
{
    const auto writtenAt = [&values](int offset) {
        // Not std::ranges: the web build's libc++ (emscripten 3.1.6) lacks its algorithms.
        return std::find_if(
            ParameterFields.begin(), ParameterFields.end(), [&values, offset](const ParameterField &field) {
                return field.kind == FieldKind::Text && field.offset == offset && WritesField(field, values);
            });
    };
    std::vector<const ParameterField *> left;
    for (const ParameterField &field : ParameterFields) {
        if (field.kind != FieldKind::Text || WritesField(field, values) || values.*field.text == before.*field.text)
            continue;
        const auto written = writtenAt(field.offset);
        if (written != ParameterFields.end() && values.*written->text != values.*field.text)
            left.push_back(&field);
    }
    return left;
}
