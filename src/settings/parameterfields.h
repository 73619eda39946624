#pragma once

#include "settings/parametervalues.h"

#include <span>

// The byte map, once, for the codec, the command-line tool and the window.

struct IndexField
{
    const char *name;             // control name, also the JSON key
    int ParameterValues::*member;
    int offset;                   // -1 for the packed switches of byte 81
};

struct TextField
{
    const char *name;
    QString ParameterValues::*member;
    int offset;
    int room;         // bytes the field may occupy, terminator included
    int readWidth;    // bytes that reading takes from the field's start
    bool terminated;  // false only for the 4-byte password, which needs none
};

std::span<const IndexField> IndexFields();
std::span<const TextField> TextFields();
const TextField *FindTextField(QStringView name);

// Longest encoded text the field holds.
int TextCapacity(const TextField &field);
