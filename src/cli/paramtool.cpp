#include "paramtool.h"

#include "presetscommand.h"

#include "i18n/captiontable.h"
#include "i18n/formtexts.h"
#include "settings/codepage.h"
#include "settings/parameterdata.h"
#include "settings/parameterfields.h"
#include "settings/parameterfile.h"
#include "values/startupvalues.h"

#include <QCommandLineParser>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QTime>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <span>

#ifndef TRAILCAM_VERSION
#define TRAILCAM_VERSION "0"
#endif

namespace {

enum ExitStatus {
    ExitOk = 0,
    ExitIoFailure = 1,
    ExitBadInput = 2,
};

struct Streams
{
    QString program;
    QTextStream &out;
    QTextStream &err;

    int fail(int status, const QString &message) const
    {
        err << program << QStringLiteral(": ") << message << Qt::endl;
        return status;
    }
};

// ---------------------------------------------------------------- values <-> JSON

const QLatin1StringView SecurityKey("security");
const QLatin1StringView ClockKey("clock");
const QLatin1StringView TimerStartKey("timerStart");
const QLatin1StringView TimerEndKey("timerEnd");

QString jsonTypeName(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Bool:
        return QStringLiteral("a boolean");
    case QJsonValue::Double:
        return QStringLiteral("a number");
    case QJsonValue::String:
        return QStringLiteral("a string");
    case QJsonValue::Array:
        return QStringLiteral("an array");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    case QJsonValue::Undefined:
        break;
    }
    return QStringLiteral("nothing");
}

// An input refusal: the member it concerns and what is wrong with it.
struct InputError
{
    QString member;
    QString problem;
};

std::optional<InputError> readInteger(const QString &member, const QJsonValue &value, int low, int high, int *target)
{
    if (!value.isDouble())
        return InputError { member, QStringLiteral("expected a whole number, got %1").arg(jsonTypeName(value)) };
    const double number = value.toDouble();
    if (number != std::floor(number))
        return InputError { member, QStringLiteral("%1 is not a whole number").arg(number) };
    if (number < low || number > high)
        return InputError { member, QStringLiteral("%1 is outside %2..%3").arg(number).arg(low).arg(high) };
    *target = static_cast<int>(number);
    return std::nullopt;
}

struct Component
{
    const char *key;
    int low;
    int high;
    int *target;
};

// A nested object such as the clock: every component present, nothing else.
std::optional<InputError> readComponents(
    const QString &member, const QJsonValue &value, std::span<const Component> components)
{
    if (!value.isObject())
        return InputError { member, QStringLiteral("expected an object, got %1").arg(jsonTypeName(value)) };
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const bool known = std::any_of(components.begin(), components.end(),
            [&](const Component &c) { return it.key() == QLatin1StringView(c.key); });
        if (!known)
            return InputError { member + QLatin1Char('.') + it.key(), QStringLiteral("unknown member") };
    }
    for (const Component &component : components) {
        const QString name = member + QLatin1Char('.') + QLatin1StringView(component.key);
        const QJsonValue part = object.value(QLatin1StringView(component.key));
        if (part.isUndefined())
            return InputError { name, QStringLiteral("missing") };
        if (auto error = readInteger(name, part, component.low, component.high, component.target))
            return error;
    }
    return std::nullopt;
}

std::optional<InputError> readTimeOfDay(const QString &member, const QJsonValue &value, TimeOfDay *time)
{
    const Component components[] = {
        { "hour", 0, 23, &time->hour },
        { "minute", 0, 59, &time->minute },
        { "second", 0, 59, &time->second },
    };
    return readComponents(member, value, components);
}

std::optional<InputError> readClock(const QString &member, const QJsonValue &value, ClockValue *clock)
{
    // The image keeps two digits of the year, which the camera takes as 20xx.
    const Component components[] = {
        { "year", 2000, 2099, &clock->year },
        { "month", 1, 12, &clock->month },
        { "day", 1, 31, &clock->day },
        { "hour", 0, 23, &clock->hour },
        { "minute", 0, 59, &clock->minute },
        { "second", 0, 59, &clock->second },
    };
    if (auto error = readComponents(member, value, components))
        return error;
    if (!QDate::isValid(clock->year, clock->month, clock->day)) {
        return InputError { member,
            QStringLiteral("%1-%2-%3 is not a valid date")
                .arg(clock->year)
                .arg(clock->month, 2, 10, QLatin1Char('0'))
                .arg(clock->day, 2, 10, QLatin1Char('0')) };
    }
    return std::nullopt;
}

std::optional<InputError> readMember(const QString &key, const QJsonValue &value, ParameterValues *values)
{
    if (key == SecurityKey) {
        int choice = 0;
        if (auto error = readInteger(key, value, 0, 255, &choice))
            return error;
        values->security = static_cast<Security>(choice);
        return std::nullopt;
    }
    const ParameterField *field = FindField(key);
    if (field && field->index)
        return readInteger(key, value, -1, 255, &(values->*(field->index)));
    if (field && field->text) {
        if (!value.isString())
            return InputError { key, QStringLiteral("expected a string, got %1").arg(jsonTypeName(value)) };
        const QString text = value.toString();
        const qsizetype bytes = EncodeCodePage(text).size();
        const int capacity = TextCapacity(*field);
        if (bytes > capacity) {
            return InputError { key,
                QStringLiteral("text of %1 bytes in Windows-1252 does not fit; the field holds %2")
                    .arg(bytes)
                    .arg(capacity) };
        }
        values->*(field->text) = text;
        return std::nullopt;
    }
    if (key == ClockKey) {
        ClockValue clock;
        if (auto error = readClock(key, value, &clock))
            return error;
        values->clock = clock;
        return std::nullopt;
    }
    if (key == TimerStartKey)
        return readTimeOfDay(key, value, &values->timerStart);
    if (key == TimerEndKey)
        return readTimeOfDay(key, value, &values->timerEnd);
    return InputError { key, QStringLiteral("unknown member") };
}

std::optional<InputError> valuesFromJson(const QJsonObject &object, ParameterValues *values)
{
    *values = StartupParameterValues();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (auto error = readMember(it.key(), it.value(), values))
            return error;
    }
    // An unset clock is built as the current local time.
    return std::nullopt;
}

QJsonObject timeToJson(const TimeOfDay &time)
{
    return { { QStringLiteral("hour"), time.hour }, { QStringLiteral("minute"), time.minute },
        { QStringLiteral("second"), time.second } };
}

// The clock is not read back from an image, so it never appears here.
QJsonObject valuesToJson(const ParameterValues &values)
{
    QJsonObject object;
    for (const ParameterField &field : IndexFields())
        object.insert(QLatin1StringView(field.name), values.*(field.index));
    object.insert(SecurityKey, static_cast<int>(values.security));
    for (const ParameterField &field : TextFields())
        object.insert(QLatin1StringView(field.name), values.*(field.text));
    object.insert(TimerStartKey, timeToJson(values.timerStart));
    object.insert(TimerEndKey, timeToJson(values.timerEnd));
    return object;
}

// ---------------------------------------------------------------- the listing of show

// Captions and items of the window in one language: what the language switch
// retitles or rebuilds comes from the caption table, the rest from the
// window's start-up texts. A file whose language names none of the 15 lists
// in the start-up texts alone, as a window shows them before any switch.
class ListingTexts
{
public:
    explicit ListingTexts(int language)
        : m_entry(language >= 0 && language < LanguageCount ? &CaptionTable(language) : nullptr)
    {
    }

    QString caption(const char *control) const
    {
        if (const int row = rowOf(CaptionControls, control); m_entry && row >= 0)
            return m_entry->captions.at(static_cast<std::size_t>(row));
        return StartupCaption(QLatin1StringView(control)).trimmed();
    }

    // The item that `index` names, or "no selection".
    QString item(const char *control, int index) const
    {
        QStringList items;
        if (const int row = rowOf(ItemListControls, control); m_entry && row >= 0)
            items = m_entry->items.at(static_cast<std::size_t>(row));
        else if (const ComboItems *box = FindStartupComboItems(QLatin1StringView(control)))
            items = box->items;
        return index >= 0 && index < items.size() ? items.at(index) : noSelection();
    }

    QString noSelection() const { return QStringLiteral("no selection"); }

private:
    template <std::size_t N> static int rowOf(const std::array<const char *, N> &controls, const char *control)
    {
        const auto found = std::find_if(
            controls.begin(), controls.end(), [control](const char *name) { return std::strcmp(name, control) == 0; });
        return found == controls.end() ? -1 : static_cast<int>(found - controls.begin());
    }

    const CaptionEntry *m_entry;
};

// One line of the listing. The label is the caption of the control's label on
// the window; labels that repeat on the window get the captions of their tab
// or box in front.
struct ListingEntry
{
    const char *member;
    const char *label;
    const char *qualifier = nullptr;
    const char *subQualifier = nullptr;
};

// clang-format off
constexpr ListingEntry ListingEntries[] = {
    // MENU: camera, video, setup, timer
    {"modecmb", "Label9"},
    {"rslcmb", "Label1"},
    {"intvcmb", "Label2"},
    {"mtcmb", "Label3"},
    {"isocmb", "Label4"},
    {"idedit", "Label5"},
    {"rslvcmb", "Label6", "GroupBox2"},
    {"vdlcmb", "Label7"},
    {"vccmb", "Label8"},
    {"langcmb", "Label10"},
    {"motcmb", "Label15"},
    {"tvcmb", "Label16"},
    {"dtfmtcmb", "Label18"},
    {"passcmb", "Label19"},
    {"passedit", "Label20"},
    {"timerStart", "Label12"},
    {"timerEnd", "Label13"},
    // MMS
    {"ComboBox1", "Label21"},
    {"ComboBox2", "Label22"},
    {"ComboBox3", "Label23", "TabSheet2"},
    {"ComboBox4", "Label24", "TabSheet2"},
    {"apn", "Label25", "TabSheet2"},
    {"username", "Label26", "TabSheet2"},
    {"password", "Label27", "TabSheet2"},
    {"mmsc", "Label28"},
    {"proxy", "Label29"},
    {"port", "Label30"},
    {"phone1", "Label31"},
    {"phone2", "Label32"},
    {"phone3", "Label33"},
    {"phone4", "Label34"},
    {"email1", "Label35"},
    {"email2", "Label36"},
    {"email3", "Label37"},
    {"email4", "Label38"},
    // SMTP
    {"ComboBox5", "Label39"},
    {"ComboBox6", "Label40"},
    {"ComboBox7", "Label41", "TabSheet3"},
    {"ComboBox8", "Label42", "TabSheet3"},
    {"smtpapn", "Label43", "TabSheet3"},
    {"smtpusername", "Label44", "TabSheet3"},
    {"smtppassword", "Label45", "TabSheet3"},
    {"ComboBox9", "Label46"},
    {"servertxt", "Label47", "TabSheet3"},
    {"usernametxt", "Label48", "TabSheet3", "Label47"},
    {"passwordtxt", "Label49", "TabSheet3", "Label47"},
    {"porttxt", "Label50", "TabSheet3", "Label47"},
    {"security", nullptr, "TabSheet3"},
    {"email1txt", "Label51", "TabSheet3"},
    {"email2txt", "Label52", "TabSheet3"},
    {"email3txt", "Label53", "TabSheet3"},
    // FTP
    {"ComboBox10", "Label54"},
    {"ftpserver", "Label62", "TabSheet4"},
    {"ftpport", "Label61", "TabSheet4"},
    {"path", "Label55", "TabSheet4"},
    {"ftpaccount", "Label65", "TabSheet4"},
    {"ftppass", "Label64", "TabSheet4", "Label65"},
    {"ComboBox12", "Label56", "TabSheet4"},
    {"ComboBox13", "Label57", "TabSheet4"},
    {"ftpapn", "Label58", "TabSheet4"},
    {"ftpusername", "Label59", "TabSheet4"},
    {"ftppassword", "Label60", "TabSheet4"},
};
// clang-format on

// The window shows the security choice as three radio buttons without a label.
constexpr const char *SecurityChoices[] = { "RadioButton1", "RadioButton2", "RadioButton3" };

QString timeText(const TimeOfDay &time)
{
    const auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    QString text = two(time.hour) + QLatin1Char(':') + two(time.minute) + QLatin1Char(':') + two(time.second);
    if (!QTime::isValid(time.hour, time.minute, time.second))
        text += QStringLiteral(" (not a valid time)");
    return text;
}

QString listingLabel(const ListingEntry &entry, const ListingTexts &texts)
{
    QStringList words;
    for (const char *control : { entry.qualifier, entry.subQualifier }) {
        if (control)
            words << texts.caption(control);
    }
    words << (entry.label ? texts.caption(entry.label) : QStringLiteral("Security"));
    return words.join(QLatin1Char(' '));
}

QString listingValue(const ListingEntry &entry, const ParameterValues &values, const ListingTexts &texts)
{
    const QString member = QString::fromLatin1(entry.member);
    if (member == SecurityKey) {
        const int choice = static_cast<int>(values.security);
        return choice >= 0 && choice < int(std::size(SecurityChoices)) ? texts.caption(SecurityChoices[choice])
                                                                       : texts.noSelection();
    }
    if (member == TimerStartKey)
        return timeText(values.timerStart);
    if (member == TimerEndKey)
        return timeText(values.timerEnd);
    const ParameterField *field = FindField(member);
    if (field && field->index)
        return texts.item(entry.member, values.*(field->index));
    if (field && field->text)
        return values.*(field->text);
    return {};
}

QString listing(const ParameterValues &values, const ListingTexts &texts)
{
    QString text;
    for (const ListingEntry &entry : ListingEntries) {
        const QString value = listingValue(entry, values, texts);
        text += listingLabel(entry, texts) + QLatin1Char(':');
        if (!value.isEmpty())
            text += QLatin1Char(' ') + value;
        text += QLatin1Char('\n');
    }
    return text;
}

// ---------------------------------------------------------------- commands

struct Command
{
    const char *name;
    const char *synopsis;
    const char *description;
    int (*run)(QCommandLineParser &parser, const Streams &io);
    bool takesOutput;
    bool takesLanguage = false;
};

const QCommandLineOption &outputOption()
{
    static const QCommandLineOption option({ QStringLiteral("o"), QStringLiteral("output") },
        QStringLiteral("The settings file to write."), QStringLiteral("OUT.dat"));
    return option;
}

std::optional<QByteArray> readImage(const QString &path, const Streams &io)
{
    QString error;
    std::optional<QByteArray> image = ReadParameterFile(path, &error);
    if (!image)
        io.fail(ExitIoFailure, error);
    return image;
}

int runDecode(QCommandLineParser &parser, const Streams &io)
{
    const std::optional<QByteArray> image = readImage(parser.positionalArguments().constFirst(), io);
    if (!image)
        return ExitIoFailure;
    const QJsonObject object = valuesToJson(ReadParameterData(*image));
    io.out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    return ExitOk;
}

const QCommandLineOption &languageOption()
{
    static const QCommandLineOption option({ QStringLiteral("l"), QStringLiteral("language") },
        QStringLiteral("List in this language instead of the one the file stores: 0 to 14 or its name "
                       "(English, Deutsch, ...)."),
        QStringLiteral("LANGUAGE"));
    return option;
}

// A language box position or the name the box shows for it; names in any case, since a shell user types them.
std::optional<int> parseLanguage(const QString &given)
{
    bool isNumber = false;
    const int number = given.toInt(&isNumber);
    if (isNumber)
        return number >= 0 && number < LanguageCount ? std::optional<int>(number) : std::nullopt;
    const QStringList names = LanguageNames();
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i).compare(given.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    }
    return std::nullopt;
}

int runShow(QCommandLineParser &parser, const Streams &io)
{
    std::optional<int> language;
    if (parser.isSet(languageOption())) {
        const QString given = parser.value(languageOption());
        language = parseLanguage(given);
        if (!language) {
            return io.fail(ExitBadInput,
                QStringLiteral("unknown language \"%1\"; give 0 to %2 or one of: %3")
                    .arg(given)
                    .arg(LanguageCount - 1)
                    .arg(LanguageNames().join(QStringLiteral(", "))));
        }
    }
    const std::optional<QByteArray> image = readImage(parser.positionalArguments().constFirst(), io);
    if (!image)
        return ExitIoFailure;
    const ParameterValues values = ReadParameterData(*image);
    io.out << listing(values, ListingTexts(language.value_or(values.langcmb)));
    return ExitOk;
}

int runEncode(QCommandLineParser &parser, const Streams &io)
{
    const QString inputPath = parser.positionalArguments().constFirst();
    const QString outputPath = parser.value(outputOption());
    const bool fromStdin = inputPath == QLatin1StringView("-");
    const QString inputName = fromStdin ? QStringLiteral("standard input") : inputPath;

    QFile input;
    if (fromStdin) {
        if (!input.open(stdin, QIODevice::ReadOnly))
            return io.fail(ExitIoFailure, QStringLiteral("Cannot read standard input. %1").arg(input.errorString()));
    } else {
        QString error;
        if (!OpenRegularFile(input, inputPath, &error))
            return io.fail(ExitIoFailure, error);
    }
    // A values file is a few kilobytes: endless input stops at the limit
    // instead of filling the memory.
    // A pipe hands its bytes over in pieces.
    constexpr qint64 MaxInputSize = 1024 * 1024;
    QByteArray json;
    while (json.size() <= MaxInputSize) {
        const QByteArray piece = input.read(MaxInputSize + 1 - json.size());
        if (input.error() != QFileDevice::NoError)
            return io.fail(ExitIoFailure, QStringLiteral("Cannot read %1. %2").arg(inputName, input.errorString()));
        if (piece.isEmpty())
            break;
        json += piece;
    }
    if (json.size() > MaxInputSize)
        return io.fail(ExitBadInput, QStringLiteral("%1: more than 1 MiB; a values file is a few kilobytes").arg(inputName));

    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return io.fail(ExitBadInput,
            QStringLiteral("%1: not valid JSON: %2 at offset %3")
                .arg(inputName, parseError.errorString())
                .arg(parseError.offset));
    }
    if (!document.isObject())
        return io.fail(ExitBadInput, QStringLiteral("%1: expected one JSON object of values").arg(inputName));

    ParameterValues values;
    if (const std::optional<InputError> error = valuesFromJson(document.object(), &values))
        return io.fail(ExitBadInput, QStringLiteral("%1: \"%2\": %3").arg(inputName, error->member, error->problem));

    QString writeError;
    if (!WriteParameterFile(outputPath, BuildParameterData(values), &writeError))
        return io.fail(ExitIoFailure, writeError);
    return ExitOk;
}

// clang-format off
constexpr Command Commands[] = {
    {"decode", "decode FILE", "Print the values of settings file FILE as JSON.", runDecode, false},
    {"encode", "encode IN.json -o OUT.dat", "Build settings file OUT.dat from the JSON values in IN.json "
                                            "(- reads standard input).", runEncode, true},
    {"show", "show [--language LANGUAGE] FILE", "List the values of settings file FILE under the window's "
                                                "captions, in the language the file stores or in LANGUAGE (0 to 14 "
                                                "or a name such as Deutsch).", runShow, false, true},
    {"presets", "presets mms|smtp|ftp|mail", "Print one preset table as JSON: what each country, operator or "
                                             "mail-server pick fills in.",
        [](QCommandLineParser &parser, const Streams &io) {
            return RunPresetsCommand(io.program, parser.positionalArguments(), io.out, io.err);
        }, false},
};
// clang-format on

QString usageText(const QString &program)
{
    QString text = QStringLiteral("Usage:\n");
    for (const Command &command : Commands)
        text += QStringLiteral("  %1 %2\n").arg(program, QLatin1StringView(command.synopsis));
    text += QStringLiteral("  %1 --help | --version\n").arg(program);
    return text;
}

QString helpText(const QString &program)
{
    QString text = QStringLiteral("Reads and writes the settings files (Parameter.dat) of 4G trail cameras.\n\n");
    text += usageText(program);
    text += QStringLiteral("\nCommands:\n");
    for (const Command &command : Commands) {
        text += QStringLiteral("  %1\n      %2\n")
                    .arg(QLatin1StringView(command.synopsis), QLatin1StringView(command.description));
    }
    text += QStringLiteral("\nJSON members are named after the window's controls (rslcmb, apn, ...); encode takes a\n"
                           "missing member from a freshly started window and a missing clock from the current\n"
                           "local time.\n\n"
                           "Exit status: 0 done, 1 a file could not be read or written, 2 bad usage or input.\n");
    return text;
}

int usageError(const Streams &io, const QString &message)
{
    io.err << io.program << QStringLiteral(": ") << message << QLatin1Char('\n') << usageText(io.program);
    io.err.flush();
    return ExitBadInput;
}

int runCommand(const Command &command, const QStringList &arguments, const Streams &io)
{
    QCommandLineParser parser;
    const QCommandLineOption help({ QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("Show this help."));
    parser.addOption(help);
    if (command.takesOutput)
        parser.addOption(outputOption());
    if (command.takesLanguage)
        parser.addOption(languageOption());
    if (!parser.parse(arguments))
        return usageError(io, parser.errorText());
    if (parser.isSet(help)) {
        io.out << QStringLiteral("Usage: %1 %2\n%3\n")
                      .arg(io.program, QLatin1StringView(command.synopsis), QLatin1StringView(command.description));
        return ExitOk;
    }
    const QString name = QLatin1StringView(command.name);
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return usageError(io,
            QStringLiteral("%1: an argument is missing (%2 %3)")
                .arg(name, io.program, QLatin1StringView(command.synopsis)));
    if (positional.size() > 1)
        return usageError(io, QStringLiteral("%1: unexpected argument \"%2\"").arg(name, positional.at(1)));
    if (command.takesOutput && parser.value(outputOption()).isEmpty())
        return usageError(io, QStringLiteral("%1: the output file is missing (-o OUT.dat)").arg(name));
    return command.run(parser, io);
}

} // namespace

int RunParamTool(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const QString program
        = arguments.isEmpty() ? QStringLiteral("trailcam-param") : QFileInfo(arguments.constFirst()).fileName();
    const Streams io { program, out, err };

    // The first positional argument names the command; everything after it is the command's own.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help({ QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("Show this help."));
    const QCommandLineOption version(
        { QStringLiteral("v"), QStringLiteral("version") }, QStringLiteral("Show the version."));
    parser.addOption(help);
    parser.addOption(version);
    if (!parser.parse(arguments.isEmpty() ? QStringList { program } : arguments))
        return usageError(io, parser.errorText());
    if (parser.isSet(help)) {
        out << helpText(program);
        return ExitOk;
    }
    if (parser.isSet(version)) {
        out << program << QLatin1Char(' ') << QLatin1StringView(TRAILCAM_VERSION) << QLatin1Char('\n');
        return ExitOk;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return usageError(io, QStringLiteral("a command is missing"));
    for (const Command &command : Commands) {
        if (positional.constFirst() == QLatin1StringView(command.name))
            return runCommand(command, QStringList { program } + positional.mid(1), io);
    }
    return usageError(io, QStringLiteral("unknown command \"%1\"").arg(positional.constFirst()));
}
