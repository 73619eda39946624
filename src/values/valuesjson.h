#pragma once

#include "settings/parametervalues.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

// Settings values as one JSON object whose members are named after the
// window's controls, as the rows of ParameterFields name them. Index members
// are item positions (-1 = no selection), texts are strings, the security
// choice is a number; `clock` is {year, month, day, hour, minute, second},
// `timerStart` and `timerEnd` are {hour, minute, second}.

// An input refusal: the member it concerns (empty for the text as a whole) and
// what is wrong with it.
struct JsonValueError
{
    QString member;
    QString problem;
};

// Every member an image carries; the clock, which is never read back from an
// image, is left out.
QJsonObject ValuesToJson(const ParameterValues &values);

// Starts from the values of a freshly started window and takes each member the
// object has. Refuses an unknown member, a wrong type, a value out of range,
// an index that names no item of its list in any language (-1 and what a file
// stores for no selection excepted), a text that does not fit its field and an
// ID or password longer than the window lets the user type; *values is then
// undefined.
std::optional<JsonValueError> ValuesFromJson(const QJsonObject &object, ParameterValues *values);

// A values file as encode reads it: one JSON object, taken as ValuesFromJson
// takes it. Besides malformed JSON, refuses what QJsonDocument lets through
// although it is not JSON or would lose data: a member given twice, a raw
// control character or an unknown escape in a string, half a surrogate pair,
// a number such as "1." or ".5", and "\u0000", at which the file would cut the
// text.
std::optional<JsonValueError> ValuesFromJsonText(const QByteArray &json, ParameterValues *values);
