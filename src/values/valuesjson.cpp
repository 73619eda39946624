#include "values/valuesjson.h"

#include "settings/codepage.h"
#include "settings/parameterfields.h"
#include "values/startupvalues.h"

#include <QDate>
#include <QJsonValue>

#include <algorithm>
#include <cmath>
#include <span>

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
        return readInteger(key, value, -1, 255, &(values->*field->index));
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
