#pragma once

#include "settings/parametervalues.h"

#include <QJsonObject>
#include <QString>

#include <optional>

// Settings values as one JSON object whose members are named after the
// window's controls, as the rows of ParameterFields name them. Index members
// are item positions (-1 = no selection), texts are strings, the security
// choice is a number; `clock` is {year, month, day, hour, minute, second},
// `timerStart` and `timerEnd` are {hour, minute, second}.

// An input refusal: the member it concerns and what is wrong with it.
struct JsonValueError
{
    QString member;
    QString problem;
};

// Every member an image carries; the clock, which is never read back from an
// image, is left out.
QJsonObject ValuesToJson(const ParameterValues &values);

// Starts from the values of a freshly started window and takes each member the
// object has. Refuses an unknown member, a wrong type, a value out of range or
// a text that does not fit its field; *values is then undefined.
std::optional<JsonValueError> ValuesFromJson(const QJsonObject &object, ParameterValues *values);
