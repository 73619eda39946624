#pragma once

#include "settings/parametervalues.h"

#include <QStringView>

#include <span>

// The byte map, once, for the codec, the command-line tool and the window.

struct IndexField
{
    const char *name; // control name, also the JSON key
    int ParameterValues::*member;
    int offset; // -1 for the packed switches of byte 81
};

struct TextField
{
    const char *name;
    QString ParameterValues::*member;
    int offset;
    int room; // bytes the field may occupy, terminator included
    int readWidth; // bytes that reading takes from the field's start
    bool terminated; // false only for the 4-byte password, which needs none
};

// MMS on/off in the low three bits, FTP on/off from bit 3 upward.
inline constexpr int SwitchesOffset = 81;
inline constexpr int SecurityOffset = 1391;
inline constexpr int ClockOffset = 32; // year % 100, month, day, hour, minute, second
inline constexpr int TimerStartOffset = 42; // hour, minute, second
inline constexpr int TimerEndOffset = 45;

// Stored through ScrambleByte, as half-open byte ranges.
struct ScrambledRegion
{
    int begin;
    int end;
};
inline constexpr ScrambledRegion ScrambledRegions[] = { { 144, 1040 }, { 1104, 2128 } };

// Index members in control order: the 19 combo boxes read by their selected index.
std::span<const IndexField> IndexFields();
// Text members in byte-map order. The FTP country, operator, APN, user name and
// password share their offsets with the SMTP ones.
std::span<const TextField> TextFields();
const IndexField *FindIndexField(QStringView name);
const TextField *FindTextField(QStringView name);

// Longest encoded text the field holds.
int TextCapacity(const TextField &field);

// The part of `text` that the field keeps: every character becomes one byte in
// the file, so this is the text cut to TextCapacity() characters (a surrogate
// pair counts as one).
QString FitText(const TextField &field, const QString &text);
