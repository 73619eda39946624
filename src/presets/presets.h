#pragma once

#include "settings/security.h"

#include <span>

// One operator of a preset table. All values are plain ASCII. The SMTP and
// FTP tables use only name, apn, username and password.
struct CarrierPreset
{
    const char *name;
    const char *apn = "";
    const char *username = "";
    const char *password = "";
    const char *mmsc = "";
    const char *proxy = "";
    const char *port = "";
    // False for an operator that is listed but whose pick must leave the fields alone.
    bool hasValues = true;
};

struct CountryPresets
{
    const char *name;
    std::span<const CarrierPreset> operators;
};

struct MailServerPreset
{
    const char *item;
    const char *server;
    const char *port;
    Security security;
};

// Looked up by the selected position of the country and operator boxes.
std::span<const CountryPresets> MmsPresets();
std::span<const CountryPresets> SmtpPresets();
std::span<const CountryPresets> FtpPresets();
std::span<const MailServerPreset> MailServerPresets();

// The SMTP operator box's items at start. They are not the list a pick of "Austria"
// builds: two texts differ, while each position still means the same operator.
std::span<const char *const> SmtpStartupOperators();

// The operator at (country, op), or nullptr when either position is outside the table.
const CarrierPreset *FindCarrier(std::span<const CountryPresets> table, int country, int op);
