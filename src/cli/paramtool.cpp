#include "paramtool.h"

#include "presetscommand.h"

#include "i18n/captiontable.h"
#include "i18n/formtexts.h"
#include "settings/filekind.h"
#include "settings/parameterdata.h"
#include "settings/parameterfields.h"
#include "settings/parameterfile.h"
#include "values/listing.h"
#include "values/valuesjson.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

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

struct Command
{
    const char *name;
    const char *synopsis;
    const char *description;
    int (*run)(QCommandLineParser &parser, const Streams &io);
    bool takesOutput;
    bool takesLanguage = false;
    bool takesStrict = false;
};

const QCommandLineOption &outputOption()
{
    static const QCommandLineOption option({ QStringLiteral("o"), QStringLiteral("output") },
        QStringLiteral("The settings file to write."), QStringLiteral("OUT.dat"));
    return option;
}

const QCommandLineOption &strictOption()
{
    static const QCommandLineOption option(QStringLiteral("strict"),
        QStringLiteral("Refuse a file that does not look like a camera settings file, instead of warning."));
    return option;
}

// A file without the format's constant bytes is most likely a photo from the
// same card: a warning, so that scripts over genuine files go on; --strict
// refuses it.
std::optional<QByteArray> readImage(const QCommandLineParser &parser, const Streams &io)
{
    const QString path = parser.positionalArguments().constFirst();
    QString error;
    std::optional<QByteArray> image = ReadParameterFile(path, &error);
    if (!image) {
        io.fail(ExitIoFailure, error);
    } else if (!HasConstantBytes(*image)) {
        const QString warning = ForeignFileWarning(path, *image);
        if (parser.isSet(strictOption())) {
            io.fail(ExitIoFailure, warning);
            return std::nullopt;
        }
        io.err << io.program << QStringLiteral(": warning: ") << warning << Qt::endl;
    }
    return image;
}

int runDecode(QCommandLineParser &parser, const Streams &io)
{
    const std::optional<QByteArray> image = readImage(parser, io);
    if (!image)
        return ExitIoFailure;
    const QJsonObject object = ValuesToJson(ReadParameterData(*image));
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
    const std::optional<QByteArray> image = readImage(parser, io);
    if (!image)
        return ExitIoFailure;
    ParameterValues values = ReadParameterData(*image);
    values.clock = ReadStoredClock(*image);
    io.out << ParameterListing(values, language.value_or(values.langcmb));
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

    ParameterValues values;
    if (const std::optional<JsonValueError> error = ValuesFromJsonText(json, &values)) {
        if (error->member.isEmpty())
            return io.fail(ExitBadInput, QStringLiteral("%1: %2").arg(inputName, error->problem));
        // The name comes from the input, escapes and all.
        return io.fail(ExitBadInput,
            QStringLiteral("%1: \"%2\": %3").arg(inputName, EscapeControls(error->member), error->problem));
    }

    // Written all the same, as the window's Save anyway does; a Load gives back only the beginning.
    for (const CutText &cut : TextsCutOnReading(values)) {
        io.err << io.program
               << QStringLiteral(": warning: %1: \"%2\": text of %3 characters; a Load reads back only the first %4\n")
                      .arg(inputName, QLatin1StringView(cut.field->name))
                      .arg(cut.length)
                      .arg(ReadBackLength(*cut.field));
    }
    io.err.flush();

    QString writeError;
    if (!WriteParameterFile(outputPath, BuildParameterData(values), &writeError))
        return io.fail(ExitIoFailure, writeError);
    return ExitOk;
}

// clang-format off
constexpr Command Commands[] = {
    {"decode", "decode [--strict] FILE", "Print the values of settings file FILE as JSON. A file that does not "
                                         "look like a settings file is warned about, or refused with --strict.",
        runDecode, false, false, true},
    {"encode", "encode IN.json -o OUT.dat", "Build settings file OUT.dat from the JSON values in IN.json "
                                            "(- reads standard input).", runEncode, true},
    {"show", "show [--strict] [--language LANGUAGE] FILE", "List the values of settings file FILE under the "
                                                "window's captions, in the language the file stores or in LANGUAGE "
                                                "(0 to 14 or a name such as Deutsch); --strict as for decode.",
        runShow, false, true, true},
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
    if (command.takesStrict)
        parser.addOption(strictOption());
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
