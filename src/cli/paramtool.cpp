#include "paramtool.h"

#include "console.h"
#include "presetscommand.h"

#include "i18n/captiontable.h"
#include "i18n/formtexts.h"
#include "settings/parameterdata.h"
#include "settings/parameterfields.h"
#include "settings/parameterfile.h"
#include "values/editsession.h"
#include "values/listing.h"
#include "values/valuesjson.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <new>
#include <optional>


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

    // Paths and member names in a message come from the user or from a
    // stranger's file: none of their controls may reach the terminal.
    int fail(int status, const QString &message) const
    {
        err << program << QStringLiteral(": ") << EscapeControls(message) << Qt::endl;
        return status;
    }
    void warn(const QString &message) const
    {
        err << program << QStringLiteral(": warning: ") << EscapeControls(message) << Qt::endl;
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

const QString StandardInput = QStringLiteral("standard input");

bool isStandardStream(const QString &path)
{
    return path == QLatin1StringView("-");
}

// `path`, or standard input for "-", opened for reading.
bool openInput(QFile &input, const QString &path, const Streams &io)
{
    if (isStandardStream(path)) {
        if (OpenStandardInput(input))
            return true;
        io.fail(ExitIoFailure, QStringLiteral("Cannot read standard input. %1").arg(input.errorString()));
        return false;
    }
    QString error;
    if (OpenRegularFile(input, path, &error))
        return true;
    io.fail(ExitIoFailure, error);
    return false;
}

// `path`, or standard input for "-", read whole.
std::optional<QByteArray> readBytes(const QString &path, const Streams &io)
{
    QString error;
    std::optional<QByteArray> image;
    if (isStandardStream(path)) {
        QFile input;
        if (!openInput(input, path, io))
            return std::nullopt;
        image = ReadParameterImage(input, StandardInput, StandardInput, &error);
    } else {
        image = EditSession::Read(path, &error);
    }
    if (!image)
        io.fail(ExitIoFailure, error);
    return image;
}

// A file without the format's constant bytes is most likely a photo from the
// same card: a warning, so that scripts over genuine files go on; --strict
// refuses it.
std::optional<QByteArray> readImage(const QCommandLineParser &parser, const Streams &io)
{
    const QString path = parser.positionalArguments().constFirst();
    std::optional<QByteArray> image = readBytes(path, io);
    const QString name = isStandardStream(path) ? StandardInput : QDir::toNativeSeparators(path);
    if (const QString warning = image ? EditSession::ForeignWarning(*image, name) : QString(); !warning.isEmpty()) {
        if (parser.isSet(strictOption())) {
            io.fail(ExitIoFailure, warning);
            return std::nullopt;
        }
        io.warn(warning);
    }
    return image;
}

int runDecode(QCommandLineParser &parser, const Streams &io)
{
    const std::optional<QByteArray> image = readImage(parser, io);
    if (!image)
        return ExitIoFailure;
    const QJsonObject object = ValuesToJson(ReadParameterData(*image));
    io.out << EscapeJsonControls(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
    return ExitOk;
}

const QCommandLineOption &languageOption()
{
    static const QCommandLineOption option({ QStringLiteral("l"), QStringLiteral("language") },
        QStringLiteral("List in this language instead of the one the file stores: 0 to %1 or its name "
                       "(English, Deutsch, ...).")
            .arg(LanguageCount - 1),
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
    const bool toStdout = isStandardStream(outputPath);
    const QString inputName = isStandardStream(inputPath) ? StandardInput : inputPath;

    QFile input;
    if (!openInput(input, inputPath, io))
        return ExitIoFailure;
    if (toStdout && IsTerminal(stdout))
        return io.fail(ExitBadInput, QStringLiteral("a settings file is not written to a terminal; redirect -o -"));
    // One slip (-o naming the input, or a link to it) would replace the
    // values with the image.
    if (IsSameFile(input, toStdout ? QString() : outputPath)) {
        return io.fail(ExitBadInput,
            QStringLiteral("%1 and %2 are the same file; encode would replace its values")
                .arg(inputName, toStdout ? QStringLiteral("standard output") : outputPath));
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
        return io.fail(ExitBadInput, QStringLiteral("%1: \"%2\": %3").arg(inputName, error->member, error->problem));
    }

    // Written all the same, as the window's Save anyway does; a Load gives back only the beginning.
    for (const CutText &cut : TextsCutOnReading(values)) {
        io.warn(QStringLiteral("%1: \"%2\": text of %3 characters; a Load reads back only the first %4")
                    .arg(inputName, QLatin1StringView(cut.field->name))
                    .arg(cut.length)
                    .arg(ReadBackLength(*cut.field)));
    }

    EditSession session;
    const QByteArray &image = session.Build(values);
    if (toStdout) {
        QFile output;
        if (!output.open(stdout, QIODevice::WriteOnly) || output.write(image) != image.size() || !output.flush())
            return io.fail(ExitIoFailure, StandardOutputFailure(output.errorString()));
        return ExitOk;
    }
    QString writeError;
    if (!session.Write(outputPath, &writeError))
        return io.fail(ExitIoFailure, writeError);
    return ExitOk;
}

// clang-format off
constexpr Command Commands[] = {
    {"decode", "decode [--strict] FILE", "Print the values of settings file FILE as JSON. A file that does not "
                                         "look like a settings file is warned about, or refused with --strict.",
        runDecode, false, false, true},
    {"encode", "encode IN.json -o OUT.dat", "Build settings file OUT.dat from the JSON values in IN.json.",
        runEncode, true},
    {"show", "show [--strict] [--language LANGUAGE] FILE", "List the values of settings file FILE under the "
                                                "window's captions, in the language the file stores or in LANGUAGE "
                                                "(0 to %1 or a name such as Deutsch); --strict as for decode.",
        runShow, false, true, true},
    {"presets", "presets mms|smtp|ftp|mail", "Print one preset table as JSON: what each country, operator or "
                                             "mail-server pick fills in.",
        [](QCommandLineParser &parser, const Streams &io) {
            return RunPresetsCommand(io.program, parser.positionalArguments(), io.out, io.err);
        }, false},
};
// clang-format on

// The range of language numbers in a description comes from the caption table.
QString description(const Command &command)
{
    const QString text = QLatin1StringView(command.description);
    return command.takesLanguage ? text.arg(LanguageCount - 1) : text;
}

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
        text += QStringLiteral("  %1\n      %2\n").arg(QLatin1StringView(command.synopsis), description(command));
    }
    text += QStringLiteral("\nJSON members are named after the window's controls (rslcmb, apn, ...); encode takes a\n"
                           "missing member from a freshly started window and a missing clock from the current\n"
                           "local time.\n\n"
                           "- as FILE or IN.json reads standard input, -o - writes standard output.\n"
                           "An output that is the input itself is refused; a symbolic link as output is followed\n"
                           "only when it is the user's own or root's.\n\n"
                           "Exit status: 0 done, 1 a file could not be read or written, 2 bad usage or input.\n");
    return text;
}

int usageError(const Streams &io, const QString &message)
{
    io.err << io.program << QStringLiteral(": ") << EscapeControls(message) << QLatin1Char('\n')
           << usageText(io.program);
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
                      .arg(io.program, QLatin1StringView(command.synopsis), description(command));
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

int dispatch(const QStringList &arguments, const Streams &io)
{
    const QString &program = io.program;
    QTextStream &out = io.out;

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

} // namespace

QString ProgramName(const QStringList &arguments)
{
    // Whoever starts the tool picks argv[0], controls and all.
    return arguments.isEmpty() ? QStringLiteral("trailcam-param")
                               : EscapeControls(QFileInfo(arguments.constFirst()).fileName());
}

QString StandardOutputFailure(const QString &reason)
{
    return QStringLiteral("Cannot write standard output. %1").arg(reason);
}

int RunParamTool(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const Streams io { ProgramName(arguments), out, err };
    int status = ExitOk;
    try {
        status = dispatch(arguments, io);
    } catch (const std::bad_alloc &) {
        // Unwinding has given the memory back, enough for the message.
        return io.fail(ExitBadInput, QStringLiteral("out of memory"));
    }
    // A full disk or a closed descriptor shows only once the text is flushed;
    // a script must not take an empty backup for a good one.
    out.flush();
    if (out.status() != QTextStream::Ok) {
        io.fail(ExitIoFailure, StandardOutputFailure(out.device() ? out.device()->errorString() : QString()));
        return status == ExitOk ? ExitIoFailure : status;
    }
    return status;
}
