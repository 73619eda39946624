#include "settings/parameterdata.h"

#include "settings/codepage.h"
#include "settings/parameterfields.h"

#include <QDateTime>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

enum class Step {
    Text,
    FtpText, // written only while FTP is on, over the SMTP text at the same place
    Index,
    Switches,
    Constant,
    Clock,
    Timers,
    Security,
    Scramble,
};

struct WriteStep
{
    Step kind;
    const char *field = nullptr;
    int offset = 0; // Constant: where; Scramble: which region
    int value = 0; // Constant: what
};

// The order decides the bytes wherever one write lands on another's bytes, so it
// stays as the camera's own tool wrote the image.
// clang-format off
constexpr WriteStep WriteOrder[] = {
    {Step::Text, "idedit"},
    {Step::Index, "modecmb"}, {Step::Index, "rslcmb"}, {Step::Index, "intvcmb"}, {Step::Index, "mtcmb"},
    {Step::Index, "isocmb"},
    {Step::Constant, nullptr, 15, 0},
    {Step::Index, "rslvcmb"}, {Step::Index, "vdlcmb"}, {Step::Index, "vccmb"},
    {Step::Clock},
    {Step::Index, "dtfmtcmb"}, {Step::Index, "motcmb"}, {Step::Index, "langcmb"}, {Step::Index, "tvcmb"},
    {Step::Index, "passcmb"},
    // A four-character password's terminator would fall on byte 80, which
    // ComboBox2 takes below, so a full password has none.
    {Step::Text, "passedit"},
    {Step::Constant, nullptr, 41, 1},
    {Step::Timers},
    {Step::Text, "ComboBox3"}, {Step::Text, "ComboBox4"},
    {Step::Index, "ComboBox2"},
    {Step::Switches},
    {Step::Text, "apn"}, {Step::Text, "username"}, {Step::Text, "password"}, {Step::Text, "mmsc"},
    {Step::Text, "proxy"}, {Step::Text, "port"}, {Step::Text, "phone1"}, {Step::Text, "phone2"},
    {Step::Text, "phone3"}, {Step::Text, "phone4"}, {Step::Text, "email1"}, {Step::Text, "email2"},
    {Step::Text, "email3"}, {Step::Text, "email4"},
    {Step::Scramble, nullptr, 0},
    {Step::Text, "ComboBox7"}, {Step::Text, "ComboBox8"},
    {Step::Index, "ComboBox6"}, {Step::Index, "ComboBox5"},
    {Step::Text, "smtpapn"}, {Step::Text, "smtpusername"}, {Step::Text, "smtppassword"}, {Step::Text, "servertxt"},
    {Step::Text, "porttxt"},
    {Step::Index, "ComboBox9"},
    {Step::Security},
    {Step::Text, "usernametxt"}, {Step::Text, "passwordtxt"}, {Step::Text, "email1txt"}, {Step::Text, "email2txt"},
    {Step::Text, "email3txt"}, {Step::Text, "ftpserver"}, {Step::Text, "ftpport"}, {Step::Text, "ftpaccount"},
    {Step::Text, "ftppass"}, {Step::Text, "path"},
    // Only the FTP text and its terminator replace bytes: the tail of a longer
    // SMTP text stays behind them.
    {Step::FtpText, "ftpapn"}, {Step::FtpText, "ftpusername"}, {Step::FtpText, "ftppassword"},
    {Step::FtpText, "ComboBox12"}, {Step::FtpText, "ComboBox13"},
    {Step::Scramble, nullptr, 1},
};
// clang-format on

struct ResolvedStep
{
    WriteStep step;
    const TextField *text = nullptr;
    const IndexField *index = nullptr;
};

const std::vector<ResolvedStep> &writePlan()
{
    static const std::vector<ResolvedStep> plan = [] {
        std::vector<ResolvedStep> steps;
        steps.reserve(std::size(WriteOrder));
        for (const WriteStep &step : WriteOrder) {
            ResolvedStep resolved { step };
            if (step.kind == Step::Text || step.kind == Step::FtpText) {
                resolved.text = FindTextField(QString::fromLatin1(step.field));
                if (!resolved.text)
                    qFatal("Write order names unknown text field %s", step.field);
            } else if (step.kind == Step::Index) {
                resolved.index = FindIndexField(QString::fromLatin1(step.field));
                if (!resolved.index || resolved.index->offset < 0)
                    qFatal("Write order names unknown index field %s", step.field);
            }
            steps.push_back(resolved);
        }
        return steps;
    }();
    return plan;
}

char lowByte(int value)
{
    return static_cast<char>(static_cast<unsigned>(value) & 0xFFu);
}

void putText(char *image, const TextField &field, const QString &text)
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

void putClock(char *image, const ClockValue &clock)
{
    const int twoDigitYear = (clock.year % 100 + 100) % 100;
    const int parts[] = { twoDigitYear, clock.month, clock.day, clock.hour, clock.minute, clock.second };
    for (int i = 0; i < 6; ++i)
        image[ClockOffset + i] = lowByte(parts[i]);
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

    for (const ResolvedStep &resolved : writePlan()) {
        const WriteStep &step = resolved.step;
        switch (step.kind) {
        case Step::FtpText:
            if (!ftpOn)
                break;
            [[fallthrough]];
        case Step::Text:
            putText(data, *resolved.text, values.*(resolved.text->member));
            break;
        case Step::Index:
            data[resolved.index->offset] = lowByte(values.*(resolved.index->member));
            break;
        case Step::Switches:
            data[SwitchesOffset] = lowByte(static_cast<int>(
                static_cast<unsigned>(values.ComboBox1) + 8u * static_cast<unsigned>(values.ComboBox10)));
            break;
        case Step::Constant:
            data[step.offset] = lowByte(step.value);
            break;
        case Step::Clock:
            putClock(data, values.clock ? *values.clock : currentClock());
            break;
        case Step::Timers:
            putTime(data, TimerStartOffset, values.timerStart);
            putTime(data, TimerEndOffset, values.timerEnd);
            break;
        case Step::Security:
            data[SecurityOffset] = static_cast<char>(values.security);
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
    for (const IndexField &field : IndexFields()) {
        if (field.offset >= 0)
            values.*(field.member) = data[field.offset];
    }
    values.ComboBox1 = data[SwitchesOffset] & 7;
    values.ComboBox10 = data[SwitchesOffset] >> 3;
    values.security = static_cast<Security>(data[SecurityOffset]);
    values.timerStart = { data[TimerStartOffset], data[TimerStartOffset + 1], data[TimerStartOffset + 2] };
    values.timerEnd = { data[TimerEndOffset], data[TimerEndOffset + 1], data[TimerEndOffset + 2] };

    // The SMTP and FTP members of a shared field sit at one offset, so both get its text.
    for (const TextField &field : TextFields()) {
        const char *start = work.constData() + field.offset;
        const auto *end = static_cast<const char *>(std::memchr(start, '\0', static_cast<size_t>(field.readWidth)));
        const qsizetype length = end ? end - start : field.readWidth;
        values.*(field.member) = DecodeCodePage(QByteArrayView(start, length));
    }
    return values;
}
