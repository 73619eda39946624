#pragma once

// A few operators as the public Android APN list (kept by LineageOS) gives them, each covering a value we once had
// wrong. Written as the window shows them: a proxy zero-padded where its row pads, an MMS centre without scheme
// where its row has none. nullptr marks a value the row fixes itself, which the list does not decide.
struct ListedCarrier
{
    const char *tab; // "MMS", "SMTP" or "FTP"
    const char *country;
    const char *op;
    const char *values[6]; // apn, username, password, mmsc, proxy, port
};

// clang-format off
inline constexpr ListedCarrier ListedCarriers[] = {
    // Proxy was Tele2 Croatia's.
    {"MMS", "Latvia", "Tele2", {"mms.tele2.lv", "wap", "wap", "http://mmsc.tele2.lv/", "193.012.040.038", "8080"}},
    // The MMS centre of the POST entry; user and password stay as the row has them.
    {"MMS", "Luxembourg", "Lux GSM", {"mms.pt.lu", nullptr, nullptr, "http://mmsc.pt.lu", "194.154.192.88", "8080"}},
    // Proxies one digit off.
    {"MMS", "Austria", "T-mobile", {"gprsmms", nullptr, "tm", "mmsc.t-mobile.at/servlets/mms", "10.12.0.20", "80"}},
    {"MMS", "Italy", "WIND", {"mms.wind", "", "", "http://mms.wind.it", "212.245.244.11", "8080"}},
    // No entry of its own: Vodafone Australia's, whose network it uses, instead of an APN no carrier has.
    {"MMS", "Australia", "Lebara",
        {"live.vodafone.com", "", "", "http://pxt.vodafone.net.au/pxtsend", "10.202.2.60", "8080"}},
    // BT's own entry from its Vodafone days, whole, instead of a mix of two networks.
    {"MMS", "UnitedKingdom", "BT Mobile",
        {"btmobile.bt.com", "bt", "bt", "http://mms.bt.com/servlets/mms", "212.183.137.012", "8799"}},
    // Outdated values replaced: O2's old proxy, T-Mobile's VoiceStream and EPC access points, an Omnitel one.
    {"MMS", "UnitedKingdom", "O2",
        {"wap.o2.co.uk", nullptr, nullptr, "http://mmsc.mms.o2.co.uk:8002/", "193.113.200.195", "8080"}},
    {"MMS", "UnitedStates", "T-Mobile",
        {"fast.t-mobile.com", "", "", "http://mms.msg.eng.t-mobile.com/mms/wapenc", nullptr, nullptr}},
    {"FTP", "United States", "T-Mobile", {"fast.t-mobile.com", "", ""}},
    {"SMTP", "Italy", "Vodafone", {"mobile.vodafone.it", "", ""}},
};
// clang-format on
