#pragma once

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
    bool hasValues = true;
};

struct CountryPresets
{
    const char *name;
    std::span<const CarrierPreset> operators;
};

enum class Security { NoSsl = 0, Ssl = 1, StartTls = 2 };

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

// The operator at (country, op), or nullptr when either position is outside the table.
const CarrierPreset *FindCarrier(std::span<const CountryPresets> table, int country, int op);
