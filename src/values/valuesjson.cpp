#include "values/valuesjson.h"

#include "i18n/captiontable.h"
#include "settings/codepage.h"
#include "settings/parameterfields.h"
#include "values/startupvalues.h"

#include <QDate>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <QSet>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <span>
#include <vector>

namespace {

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

std::optional<JsonValueError> readInteger(
    const QString &member, const QJsonValue &value, int low, int high, int *target)
{
    if (!value.isDouble())
        return JsonValueError { member, QStringLiteral("expected a whole number, got %1").arg(jsonTypeName(value)) };
    const double number = value.toDouble();
    if (number != std::floor(number))
        return JsonValueError { member, QStringLiteral("%1 is not a whole number").arg(number) };
    if (number < low || number > high)
        return JsonValueError { member, QStringLiteral("%1 is outside %2..%3").arg(number).arg(low).arg(high) };
    *target = static_cast<int>(number);
    return std::nullopt;
}

std::optional<JsonValueError> readText(
    const QString &member, const QJsonValue &value, const ParameterField &field, QString *target)
{
    if (!value.isString())
        return JsonValueError { member, QStringLiteral("expected a string, got %1").arg(jsonTypeName(value)) };
    const QString text = value.toString();
    const qsizetype bytes = EncodeCodePage(text).size();
    // More than the window lets the user type: a Load would show its start and the next Save keep only that.
    if (field.typedUpToReadWidth && bytes > field.readWidth) {
        return JsonValueError { member,
            QStringLiteral("text of %1 characters; the window takes at most %2").arg(bytes).arg(field.readWidth) };
    }
    const int capacity = TextCapacity(field);
    if (bytes > capacity) {
        return JsonValueError {
            member,
            QStringLiteral("text of %1 bytes in Windows-1252 does not fit; the field holds %2").arg(bytes).arg(capacity)
        };
    }
    *target = text;
    return std::nullopt;
}

// An item of the box's list in some language, or no selection: -1, or what a
// file stores for it (255; a switch, all of its bits).
std::optional<JsonValueError> readIndex(
    const QString &member, const QJsonValue &value, const ParameterField &field, int *target)
{
    const int none = field.kind == FieldKind::Switch ? HighestIndex(field) : 255;
    const int items = MostItems(QLatin1StringView(field.name));
    const double number = value.toDouble();
    if (value.isDouble() && number == std::floor(number) && number != -1 && number != none
        && (number < 0 || number >= items)) {
        return JsonValueError { member,
            QStringLiteral("%1 names no item; give 0..%2, or -1 or %3 for no selection")
                .arg(number)
                .arg(items - 1)
                .arg(none) };
    }
    return readInteger(member, value, -1, none, target);
}

struct Component
{
    const char *key;
    int low;
    int high;
    int *target;
};

// A nested object such as the clock: every component present, nothing else.
std::optional<JsonValueError> readComponents(
    const QString &member, const QJsonValue &value, std::span<const Component> components)
{
    if (!value.isObject())
        return JsonValueError { member, QStringLiteral("expected an object, got %1").arg(jsonTypeName(value)) };
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const bool known = std::any_of(components.begin(), components.end(),
            [&](const Component &c) { return it.key() == QLatin1StringView(c.key); });
        if (!known)
            return JsonValueError { member + QLatin1Char('.') + it.key(), QStringLiteral("unknown member") };
    }
    for (const Component &component : components) {
        const QString name = member + QLatin1Char('.') + QLatin1StringView(component.key);
        const QJsonValue part = object.value(QLatin1StringView(component.key));
        if (part.isUndefined())
            return JsonValueError { name, QStringLiteral("missing") };
        if (auto error = readInteger(name, part, component.low, component.high, component.target))
            return error;
    }
    return std::nullopt;
}

std::optional<JsonValueError> readTimeOfDay(const QString &member, const QJsonValue &value, TimeOfDay *time)
{
    const Component components[] = {
        { "hour", 0, 23, &time->hour },
        { "minute", 0, 59, &time->minute },
        { "second", 0, 59, &time->second },
    };
    return readComponents(member, value, components);
}

std::optional<JsonValueError> readClock(const QString &member, const QJsonValue &value, ClockValue *clock)
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
        return JsonValueError { member,
            QStringLiteral("%1-%2-%3 is not a valid date")
                .arg(clock->year)
                .arg(clock->month, 2, 10, QLatin1Char('0'))
                .arg(clock->day, 2, 10, QLatin1Char('0')) };
    }
    return std::nullopt;
}

std::optional<JsonValueError> readMember(const QString &key, const QJsonValue &value, ParameterValues *values)
{
    const ParameterField *field = FindField(key);
    if (!field)
        return JsonValueError { key, QStringLiteral("unknown member") };
    switch (field->kind) {
    case FieldKind::Index:
    case FieldKind::Switch:
        // Beyond its bits a switch would spill into the other switch of its byte.
        return readIndex(key, value, *field, &(values->*field->index));
    case FieldKind::Text:
        return readText(key, value, *field, &(values->*field->text));
    case FieldKind::Clock: {
        ClockValue clock;
        if (auto error = readClock(key, value, &clock))
            return error;
        values->*field->clock = clock;
        return std::nullopt;
    }
    case FieldKind::Time:
        return readTimeOfDay(key, value, &(values->*field->time));
    case FieldKind::Security: {
        int choice = 0;
        if (auto error = readInteger(key, value, 0, 255, &choice))
            return error;
        values->*field->security = static_cast<Security>(choice);
        return std::nullopt;
    }
    }
    return std::nullopt;
}

// QJsonDocument takes a member given twice (the last one wins), raw control
// characters and unknown escapes in strings ("\x41" reads as "x41"), half a
// surrogate pair and numbers such as "1." or ".5"; and "\u0000", which is
// JSON, would end a text in the file. This walks the raw text once more and
// stops at the first of these, naming the member it lies in.
class StrictJsonCheck
{
public:
    explicit StrictJsonCheck(const QByteArray &json)
        : m_json(json)
    {
    }

    std::optional<JsonValueError> run()
    {
        // QJsonDocument skips a byte order mark at the start.
        if (m_json.startsWith("\xEF\xBB\xBF"))
            m_pos = 3;
        bool wantValue = true;
        for (;;) {
            skipSpace();
            if (wantValue) {
                if (atEnd())
                    return syntax("a value is missing");
                const char c = m_json.at(m_pos);
                if (c == '{' || c == '[') {
                    ++m_pos;
                    m_levels.push_back({ c == '{', {}, {} });
                    skipSpace();
                    if (!atEnd() && m_json.at(m_pos) == (c == '{' ? '}' : ']')) {
                        ++m_pos;
                        m_levels.pop_back();
                        wantValue = false;
                    } else if (c == '{') {
                        if (auto error = memberName())
                            return error;
                    }
                    continue;
                }
                std::optional<JsonValueError> error;
                if (c == '"')
                    error = string(nullptr);
                else if (c == '-' || c == '.' || (c >= '0' && c <= '9'))
                    error = number();
                else
                    error = literal();
                if (error)
                    return error;
                wantValue = false;
                continue;
            }
            if (m_levels.empty()) {
                if (!atEnd())
                    return syntax("garbage at the end of the document");
                return std::nullopt;
            }
            if (atEnd())
                return syntax("unterminated object or array");
            Level &level = m_levels.back();
            const char c = m_json.at(m_pos++);
            if (c == ',') {
                wantValue = true;
                if (level.object) {
                    skipSpace();
                    if (auto error = memberName())
                        return error;
                }
            } else if (c == (level.object ? '}' : ']')) {
                m_levels.pop_back();
            } else {
                --m_pos;
                return syntax("a separator is missing");
            }
        }
    }

private:
    // A level keeps its own key only: a dotted path kept at every level would
    // grow with the square of the depth, a gigabyte for a megabyte of input.
    struct Level
    {
        bool object;
        QString key; // the member being read
        QSet<QString> keys; // the members read so far
    };

    static QString joined(const QString &path, const QString &key)
    {
        return path.isEmpty() ? key : path + QLatin1Char('.') + key;
    }

    // The member whose value the first `depth` levels are reading; an array's
    // elements share its name. Built only for a message.
    QString pathTo(size_t depth) const
    {
        QString path;
        for (size_t i = 0; i < depth; ++i) {
            if (!m_levels[i].object)
                continue;
            if (!path.isEmpty())
                path += QLatin1Char('.');
            path += m_levels[i].key;
        }
        return path;
    }

    QString path() const { return pathTo(m_levels.size()); }

    bool atEnd() const { return m_pos >= m_json.size(); }

    void skipSpace()
    {
        while (!atEnd()) {
            const char c = m_json.at(m_pos);
            if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
                return;
            ++m_pos;
        }
    }

    JsonValueError syntax(const char *what) const
    {
        return { path(), QStringLiteral("not valid JSON: %1 at offset %2").arg(QLatin1StringView(what)).arg(m_pos) };
    }

    // A name, its separator and any space after it; the name must be new in its object.
    std::optional<JsonValueError> memberName()
    {
        if (atEnd() || m_json.at(m_pos) != '"')
            return syntax("a member name is missing");
        QString key;
        if (auto error = string(&key))
            return error;
        Level &level = m_levels.back();
        if (level.keys.contains(key))
            return JsonValueError { joined(pathTo(m_levels.size() - 1), key), QStringLiteral("given twice") };
        level.keys.insert(key);
        level.key = key;
        skipSpace();
        if (atEnd() || m_json.at(m_pos) != ':')
            return syntax("missing name separator");
        ++m_pos;
        return std::nullopt;
    }

    // The four hex digits of a \u escape from `at`, or -1.
    int hexUnit(qsizetype at) const
    {
        if (at + 4 > m_json.size())
            return -1;
        const QByteArrayView digits = QByteArrayView(m_json).sliced(at, 4);
        const auto isHex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
        return std::all_of(digits.begin(), digits.end(), isHex) ? digits.toInt(nullptr, 16) : -1;
    }

    // From the opening quote past the closing one. A member name is decoded
    // into *name, so that "\u0061" and "a" are found to be one name.
    std::optional<JsonValueError> string(QString *name)
    {
        QByteArray utf8;
        const auto fault = [&](const QString &problem) {
            const QString member = name ? joined(pathTo(m_levels.size() - 1), QString::fromUtf8(utf8)) : path();
            return JsonValueError { member, problem };
        };
        ++m_pos;
        while (!atEnd()) {
            const auto c = static_cast<unsigned char>(m_json.at(m_pos));
            if (c == '"') {
                ++m_pos;
                if (name)
                    *name = QString::fromUtf8(utf8);
                return std::nullopt;
            }
            if (c < 0x20) {
                return fault(QStringLiteral("raw control character U+%1 in a string; JSON writes it as an escape "
                                            "such as \\n or \\u001b")
                                 .arg(QString::number(c, 16).toUpper().rightJustified(4, QLatin1Char('0'))));
            }
            if (c != '\\') {
                if (name)
                    utf8 += char(c);
                ++m_pos;
                continue;
            }
            if (m_pos + 1 >= m_json.size())
                break;
            const char escaped = m_json.at(m_pos + 1);
            static constexpr char Simple[] = "\"\\/bfnrt";
            static constexpr char Meaning[] = "\"\\/\b\f\n\r\t";
            if (const char *at = escaped ? std::strchr(Simple, escaped) : nullptr) {
                if (name)
                    utf8 += Meaning[at - Simple];
                m_pos += 2;
                continue;
            }
            if (escaped != 'u') {
                if (escaped > ' ' && escaped < 0x7f)
                    return fault(QStringLiteral("unknown escape \\%1 in a string").arg(QLatin1Char(escaped)));
                return fault(QStringLiteral("a backslash before a character JSON does not escape"));
            }
            const int unit = hexUnit(m_pos + 2);
            if (unit < 0)
                return syntax("invalid escape sequence");
            const auto hex = [](int u) { return QStringLiteral("\\u%1").arg(u, 4, 16, QLatin1Char('0')); };
            if (unit == 0)
                return fault(QStringLiteral("\\u0000 (NUL) in a string; the file would end the text there"));
            m_pos += 6;
            QString character { QChar(char16_t(unit)) };
            if (QChar::isLowSurrogate(char32_t(unit)))
                return fault(QStringLiteral("%1 is half of a surrogate pair").arg(hex(unit)));
            if (QChar::isHighSurrogate(char32_t(unit))) {
                const bool pairEscape
                    = m_pos + 1 < m_json.size() && m_json.at(m_pos) == '\\' && m_json.at(m_pos + 1) == 'u';
                const int low = pairEscape ? hexUnit(m_pos + 2) : -1;
                if (low < 0 || !QChar::isLowSurrogate(char32_t(low)))
                    return fault(QStringLiteral("%1 is half of a surrogate pair").arg(hex(unit)));
                character += QChar(char16_t(low));
                m_pos += 6;
            }
            if (name)
                utf8 += character.toUtf8();
        }
        return syntax("unterminated string");
    }

    std::optional<JsonValueError> number()
    {
        skip('-');
        // No leading zeros, and digits on both sides of a point.
        if (!skip('0') && !skipDigits())
            return syntax("illegal number");
        if (skip('.') && !skipDigits())
            return syntax("illegal number");
        if (skip('e') || skip('E')) {
            if (!skip('+'))
                skip('-');
            if (!skipDigits())
                return syntax("illegal number");
        }
        return std::nullopt;
    }

    bool skip(char c)
    {
        if (atEnd() || m_json.at(m_pos) != c)
            return false;
        ++m_pos;
        return true;
    }

    // Plain member functions: clang 14 at -O3 compiled this loop, written as
    // lambdas that captured `this`, into one that reread the first digit forever.
    bool skipDigits()
    {
        const qsizetype start = m_pos;
        while (!atEnd() && m_json.at(m_pos) >= '0' && m_json.at(m_pos) <= '9')
            ++m_pos;
        return m_pos > start;
    }

    std::optional<JsonValueError> literal()
    {
        for (const char *word : { "true", "false", "null" }) {
            if (QByteArrayView(m_json).sliced(m_pos).startsWith(word)) {
                m_pos += qsizetype(std::strlen(word));
                return std::nullopt;
            }
        }
        return syntax("illegal value");
    }

    const QByteArray &m_json;
    qsizetype m_pos = 0;
    std::vector<Level> m_levels;
};

QJsonObject timeToJson(const TimeOfDay &time)
{
    return { { QStringLiteral("hour"), time.hour }, { QStringLiteral("minute"), time.minute },
        { QStringLiteral("second"), time.second } };
}

} // namespace

QJsonObject ValuesToJson(const ParameterValues &values)
{
    QJsonObject object;
    for (const ParameterField &field : ParameterFields) {
        const QLatin1StringView key(field.name);
        switch (field.kind) {
        case FieldKind::Index:
        case FieldKind::Switch:
            object.insert(key, values.*field.index);
            break;
        case FieldKind::Text:
            object.insert(key, values.*field.text);
            break;
        case FieldKind::Clock:
            break;
        case FieldKind::Time:
            object.insert(key, timeToJson(values.*field.time));
            break;
        case FieldKind::Security:
            object.insert(key, static_cast<int>(values.*field.security));
            break;
        }
    }
    return object;
}

std::optional<JsonValueError> ValuesFromJson(const QJsonObject &object, ParameterValues *values)
{
    *values = StartupParameterValues();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (auto error = readMember(it.key(), it.value(), values))
            return error;
    }
    // An unset clock is built as the current local time.
    return std::nullopt;
}

std::optional<JsonValueError> ValuesFromJsonText(const QByteArray &json, ParameterValues *values)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return JsonValueError { {},
            QStringLiteral("not valid JSON: %1 at offset %2").arg(parseError.errorString()).arg(parseError.offset) };
    }
    if (!document.isObject())
        return JsonValueError { {}, QStringLiteral("expected one JSON object of values") };
    if (auto error = StrictJsonCheck(json).run())
        return error;
    return ValuesFromJson(document.object(), values);
}
