#include "presets/presets.h"

#include <iterator>
#include <cstddef>

namespace {

constexpr CarrierPreset Mms(const char *name, const char *apn, const char *username, const char *password,
    const char *mmsc, const char *proxy, const char *port)
{
    return { name, apn, username, password, mmsc, proxy, port, true };
}

// The SMTP and FTP tabs set up only the camera's data connection.
constexpr CarrierPreset Data(const char *name, const char *apn, const char *username = "", const char *password = "")
{
    return { name, apn, username, password, "", "", "", true };
}

// Listed so the camera can store the operator's name, but we know no settings for it.
constexpr CarrierPreset WithoutValues(const char *name)
{
    return { name, "", "", "", "", "", "", false };
}

// A brand that rides on another operator's network and so uses its settings.
constexpr CarrierPreset Rebranded(CarrierPreset preset, const char *name)
{
    preset.name = name;
    return preset;
}

// clang-format off

// Carrier values follow the public Android APN list as kept by LineageOS, one entry per operator. Where an entry
// clashes with a fixed value of the row (a user name, a port) or a value of it has the wrong form, ours stays.

// ---- MMS ----

constexpr CarrierPreset MmsArgentina[] = {
    // Host name only, no scheme.
    Mms("Movistar", "mms.gprs.unifon.com.ar", "mms", "mms", "mms.movistar.com.ar", "200.68.32.239", "8080"),
};
constexpr CarrierPreset MmsAustraliaVodafone =
    Mms("vodafone", "live.vodafone.com", "", "", "http://pxt.vodafone.net.au/pxtsend", "10.202.2.60", "8080");
constexpr CarrierPreset MmsAustralia[] = {
    Mms("Telstra", "telstra.mms", "", "", "http://mmsc.telstra.com:8002", "10.1.1.180", "80"),
    Mms("Optus", "mms", "", "", "http://mmsc.optus.com.au:8002/", "61.88.190.10", "8070"),
    MmsAustraliaVodafone,
    // The list has no entry of its own.
    Rebranded(MmsAustraliaVodafone, "Lebara"),
};
constexpr CarrierPreset MmsAustria[] = {
    Mms("Drei", "drei.at", "", "", "http://mmsc", "213.94.78.133", "8799"),
    Mms("A1", "a1.net", "", "", "http://mmsc.a1.net", "194.48.124.71", "8001"),
    // Its MMS centre stays without "http://", as Argentina's does: the camera stores it as written.
    Mms("T-mobile", "gprsmms", "mms", "tm", "mmsc.t-mobile.at/servlets/mms", "10.12.0.20", "80"),
    Mms("Orange", "orange.mms", "mms", "orange", "http://mms.orange.at", "194.24.128.118", "8080"),
    Mms("Telering", "mms", "mms@telering.at", "mms", "http://mmsc.telering.at", "212.95.31.50", "8080"),
};
constexpr CarrierPreset MmsBrazil[] = {
    Mms("Brazil Telecom", "mms.brt.br", "mms", "brt", "http://mms.brt.br", "200.96.0.10", "8080"),
};
constexpr CarrierPreset MmsCroatia[] = {
    Mms("VIPNet", "mms.vipnet.hr", "", "", "http://mms.vipnet.hr/servlets/mms", "212.91.99.91", "8080"),
};
constexpr CarrierPreset MmsCzechTMobile =
    Mms("T-Mobile", "mms.t-mobile.cz", "mms", "mms", "http://mms", "010.000.000.010", "80");
constexpr CarrierPreset MmsCzechRepublic[] = {
    Mms("Vodafone", "mms", "", "", "http://mms", "10.11.10.111", "80"),
    Mms("O2", "mms", "", "", "http://mms.o2active.cz:8002", "160.218.160.218", "8080"),
    MmsCzechTMobile,
    Rebranded(MmsCzechTMobile, "GoMobil"),
};
constexpr CarrierPreset MmsDenmark[] = {
    Mms("Sonofon", "sonofon", "", "", "http://mms.telenor.dk", "212.88.64.8", "8080"),
    Mms("TDC", "mms", "", "", "http://mmsc.tdc.dk:8002", "194.182.251.15", "8080"),
};
constexpr CarrierPreset MmsEstonia[] = {
    Mms("Tele 2", "mms.tele2.ee", "", "", "http://mmsc.tele2.ee", "193.12.40.6", "8080"),
};
constexpr CarrierPreset MmsFinland[] = {
    Mms("Sonera", "wap.sonera.net", "", "", "http://mms.sonera.fi:8002", "195.156.25.33", "8080"),
};
constexpr CarrierPreset MmsFrance[] = {
    Mms("Bouygues", "mmsbouygtel.com", "", "", "http://mms.bouyguestelecom.fr/mms/wapenc", "62.201.129.226", "8080"),
    Mms("Orange", "orange.acte", "orange", "orange", "http://mms.orange.fr", "192.168.10.200", "8080"),
    Mms("Free MMS", "mmsfree", "", "", "http://mms.free.fr", "212.27.40.225", "9201"),
    Mms("SFR", "mmssfr", "", "", "http://mms1", "10.151.0.1", "8080"),
};
constexpr CarrierPreset MmsGermany[] = {
    Mms("E-Plus", "mms.eplus.de", "mms", "eplus", "http://10.81.0.7:8002", "82.113.100.5", "8080"),
    Mms("O2", "internet", "", "", "http://10.81.0.7:8002", "82.113.100.5", "8080"),
    Mms("T-Mobile", "mms.t-d1.de", "t-mobil", "mms", "http://mms.t-mobile.de/servlets/mms", "172.28.23.131", "8080"),
    Mms("Vodafone", "event.vodafone.de", "", "", "http://139.7.24.1/servlets/mms", "139.007.029.017", "80"),
};
constexpr CarrierPreset MmsGreece[] = {
    Mms("Vodafone", "mms.vodafone.net", "", "", "http://mms.vodafone.gr", "213.249.19.49", "5080"),
    Mms("COSMOTE", "mms", "", "", "http://mmsc.cosmote.gr:8002", "10.10.10.20", "8080"),
};
constexpr CarrierPreset MmsHungary[] = {
    Mms("T-mobile", "mms.westel900.net", "mms", "mms",
        "http://mms.t-mobile.hu/servlets/mms", "212.51.126.10", "8080"),
    WithoutValues("Telenor"),
    WithoutValues("Vodafone"),
};
constexpr CarrierPreset MmsIndia[] = {
    Mms("BPL", "mizone", "", "", "http://mms.bplmobile.com:8080", "10.0.0.10", "8080"),
};
constexpr CarrierPreset MmsIndonesia[] = {
    Mms("IM3", "mms.indosat-m3.net", "mms", "im3", "http://mmsc.indosat.com", "10.19.19.19", "8080"),
};
constexpr CarrierPreset MmsIreland[] = {
    Mms("Meteor", "mms.mymeteor.ie", "my", "meteor", "http://mms.mymeteor.ie", "10.85.85.85", "8799"),
};
constexpr CarrierPreset MmsIsrael[] = {
    Mms("Orange", "uwap.orange.co.il", "", "", "http://192.168.220.15/servlets/mms", "192.118.11.55", "8080"),
};
constexpr CarrierPreset MmsItaly[] = {
    Mms("Vodafone", "mms.vodafone.it", "", "", "http://mms.vodafone.it/servlets/mms", "10.128.224.10", "8080"),
    Mms("TIM", "unico.tim.it", "", "", "http://mms.tim.it/servlets/mms", "213.230.130.89", "80"),
    Mms("WIND", "mms.wind", "", "", "http://mms.wind.it", "212.245.244.11", "8080"),
};
constexpr CarrierPreset MmsKazakhstan[] = {
    Mms("K Mobile", "mms.kmobile.kz", "@mms.k-mobile", "k-mobile",
        "http://mms.kmobile.kz/mms/wapenc", "172.27.6.93", "8080"),
    Mms("Kcell", "mms", "", "", "http://mms.kcell.kz/post", "195.47.255.7", "8080"),
};
constexpr CarrierPreset MmsLatvia[] = {
    Mms("Tele2", "mms.tele2.lv", "wap", "wap", "http://mmsc.tele2.lv/", "193.012.040.038", "8080"),
    Mms("LMT", "internet.lmt.lv", "", "", "http://mmsc.lmt.lv/mmsc", "212.93.97.201", "8080"),
};
constexpr CarrierPreset MmsLuxembourg[] = {
    Mms("Lux GSM", "mms.pt.lu", "mmsgprs", "mmsgprs2003", "http://mmsc.pt.lu", "194.154.192.88", "8080"),
};
constexpr CarrierPreset MmsMexico[] = {
    Mms("Telcel", "mms.itelcel.com", "mmsgprs", "mmsgprs2003",
        "http://mms.itelcel.com/servlets/mms", "148.233.151.240", "8080"),
};
constexpr CarrierPreset MmsNetherlands[] = {
    Mms("T-Mobile", "mms", "tmobilemms", "tmobilemms", "http://t-mobilemms", "10.10.10.11", "8080"),
};
constexpr CarrierPreset MmsNorway[] = {
    Mms("Telenor", "mms", "", "", "http://mmsc", "10.10.10.11", "8080"),
};
constexpr CarrierPreset MmsPoland[] = {
    Mms("Orange", "mms", "mms", "mms", "http://mms.orange.pl", "192.168.6.104", "8080"),
    Mms("T-mobile", "mms", "mms", "mms", "http://mms/servlets/mms", "213.158.194.226", "8080"),
    // Play's newer entry names no proxy; this one, on the same network, does.
    Mms("PLAY", "mms", "", "", "http://10.10.28.164/mms/wapenc", "10.10.25.5", "8080"),
    Mms("PLUS", "mms", "", "", "http://mms.plusgsm.pl:8002", "212.2.96.16", "8080"),
};
constexpr CarrierPreset MmsPortugal[] = {
    Mms("Vodafone", "vas.vodafone.pt", "vas", "vas", "http://mms/servlets/mms", "213.30.27.63", "8799"),
};
constexpr CarrierPreset MmsRomania[] = {
    Mms("Orange", "mms", "", "", "http://wap.mms.orange.ro:8002", "62.217.247.252", "8080"),
};
constexpr CarrierPreset MmsSlovakia[] = {
    Mms("T-Mobile/T-COMM", "mms", "mms", "mms", "http://mms", "192.168.001.001", "8080"),
    Mms("O2 TELEFONIC", "o2mms", "", "", "http://mms.o2world.sk:8002", "10.97.1.11", "8080"),
    Mms("Orange", "mms", "wap", "wap", "http://imms.orange.sk", "213.151.208.145", "8799"),
};
constexpr CarrierPreset MmsSlovenia[] = {
    Mms("Si Mobil", "mms.simobil.si", "simobil", "internet", "http://mmc", "80.95.224.46", "8080"),
    Mms("Mobitel", "mms.mobitel.si", "mobitel", "internet",
        "http://mms.mobitel.si/servlets/mms", "213.229.249.40", "8080"),
};
constexpr CarrierPreset MmsSpain[] = {
    Mms("Orange", "Orangemms", "Orange", "Orange", "http://mms.orange.es", "172.22.188.25", "8080"),
    Mms("Telstra", "internet", "MMS", "MMS", "http://mms.movistar.com", "010.138.255.005", "8080"),
    Mms("Vodafone", "mms.vodafone.net", "MMS", "MMS", "http://mmsc.vodafone.es/servlets/mms", "212.73.32.10", "80"),
};
constexpr CarrierPreset MmsSweden[] = {
    Mms("Telenor", "services.telenor.se", "", "", "http://mmsc", "172.030.253.241", "8799"),
    Mms("Telia", "mms.telia.se", "mms", "telia", "http://mmss", "193.209.134.132", "8080"),
};
constexpr CarrierPreset MmsUnitedKingdom[] = {
    Mms("3", "three.co.uk", "", "", "http://mms.um.three.co.uk:10021/mmsc", "217.171.129.2", "8799"),
    Mms("ASDA Mobile", "asdamobiles.co.uk", "wap", "wap",
        "http://mms.asdamobiles.co.uk/servlets/mms", "212.183.137.12", "9201"),
    // BT's entry from its time on Vodafone's network: the one whose gateway listens on 8799.
    Mms("BT Mobile", "btmobile.bt.com", "bt", "bt", "http://mms.bt.com/servlets/mms", "212.183.137.012", "8799"),
    Mms("O2", "wap.o2.co.uk", "", "", "http://mmsc.mms.o2.co.uk:8002/", "193.113.200.195", "8080"),
    Mms("O2payandgo", "payandgo.o2.co.uk", "payandgo", "password",
        "http://mmsc.mms.o2.co.uk:8002/", "193.113.200.195", "8080"),
    Mms("Orange", "orangemms", "Orange", "Multimedia", "http://mms.orange.co.uk/", "192.168.224.010", "8080"),
    Mms("Virgin", "goto.virginmobile.uk", "", "", "http://mms.virginmobile.co.uk:8002", "193.030.166.002", "8080"),
    Mms("Vodafone", "wap.vodafone.co.uk", "", "", "http://mms.vodafone.co.uk/servlets/mms", "212.183.137.012", "9201"),
    Mms("Vodafone Prep", "pp.vodafone.co.uk", "wap@vodafone.co.uk", "wap",
        "http://mms.vodafone.co.uk/servlets/mms", "212.183.137.012", "8799"),
};
constexpr CarrierPreset MmsUnitedStates[] = {
    Mms("AT&T", "wap.cingular", "WAP@CINGULARGPRS.COM", "CINGULAR1",
        "http://mmsc.cingular.com", "066.209.011.061", "80"),
    Mms("T-Mobile", "fast.t-mobile.com", "", "",
        "http://mms.msg.eng.t-mobile.com/mms/wapenc", "216.155.165.50", "8080"),
    Mms("Verizon", "Verizon", "", "", "http://mms.vtext.com/servlets/mms", "69.78.143.64", "80"),
};

constexpr CountryPresets MmsCountries[] = {
    {"Argentina", MmsArgentina},
    {"Australia", MmsAustralia},
    {"Austria", MmsAustria},
    {"Brazil", MmsBrazil},
    {"Croatia", MmsCroatia},
    {"Czech Republic", MmsCzechRepublic},
    {"Denmark", MmsDenmark},
    {"Estonia", MmsEstonia},
    {"Finland", MmsFinland},
    {"France", MmsFrance},
    {"Germany", MmsGermany},
    {"Greece", MmsGreece},
    {"Hungary", MmsHungary},
    {"India", MmsIndia},
    {"Indonesia", MmsIndonesia},
    {"Ireland", MmsIreland},
    {"Israel", MmsIsrael},
    {"Italy", MmsItaly},
    {"Kazakhstan", MmsKazakhstan},
    {"Latvia", MmsLatvia},
    {"Luxembourg", MmsLuxembourg},
    {"Mexico", MmsMexico},
    {"Netherlands", MmsNetherlands},
    {"Norway", MmsNorway},
    {"Poland", MmsPoland},
    {"Portugal", MmsPortugal},
    {"Romania", MmsRomania},
    {"Slovakia", MmsSlovakia},
    {"Slovenia", MmsSlovenia},
    {"Spain", MmsSpain},
    {"Sweden", MmsSweden},
    {"UnitedKingdom", MmsUnitedKingdom},
    {"UnitedStates", MmsUnitedStates},
};

// ---- Data connection, shared by the SMTP and FTP tabs ----

constexpr CarrierPreset Austria[] = {
    Data("A1", "a1.net", "ppp@a1plus.at", "ppp"),
    Data("T-mobile", "gprsinternet", "t-mobile", "tm"),
    Data("Telering", "web", "web@telering.at", "web"),
    Data("Bob", "bob.at", "data@bob.at", "ppp"),
    Data("Drei", "drei.at"),
};
constexpr CarrierPreset Canada[] = {
    Data("Telus", "sp.telus.com"),
};
constexpr CarrierPreset China[] = {
    Data("China Mobile", "cmnet"),
    Data("China Unicom", "uninet", "", "unicom1"),
};
constexpr CarrierPreset Croatia[] = {
    Data("T-Mobile", "web.htgprs"),
};
constexpr CarrierPreset CzechTMobile = Data("T-Mobile", "internet.t-mobile.cz");
constexpr CarrierPreset CzechRepublic[] = {
    Data("O2", "internet"),
    CzechTMobile,
    Data("Vodafone", "internet"),
    Rebranded(CzechTMobile, "GoMobil"),
};
constexpr CarrierPreset France[] = {
    Data("Bouygues", "ebouygtel.com"),
    Data("Orange", "orange.fr", "orange", "orange1"),
};
constexpr CarrierPreset Germany[] = {
    Data("O2", "internet"),
    Data("E-Plus", "internet.eplus.de", "eplus", "gprs"),
    Data("Blau", "internet.eplus.de", "blau", "blau"),
    Data("T-Mobile", "internet.t-mobile", "t-mobile", "tm"),
    Data("Vodafone", "web.vodafone.de"),
};
constexpr CarrierPreset Greece[] = {
    Data("Vodafone GR", "internet.vodafone.gr"),
};
constexpr CarrierPreset Hungary[] = {
    Data("T-mobile", "internet.telekom"),
    Data("Telenor", "online"),
    Data("Vodafone", "internet.vodafone.net"),
};
constexpr CarrierPreset Italy[] = {
    Data("TIM", "ibox.tim.it"),
    Data("Vodafone", "mobile.vodafone.it"),
    Data("WIND", "internet.wind"),
};
constexpr CarrierPreset Kazakhstan[] = {
    Data("K Mobile", "internet.kmobile.kz", "internet.kmobile", "kmobile"),
};
constexpr CarrierPreset Latvia[] = {
    Data("Tele2", "internet.tele2.lv", "wap", "wap"),
    Data("LMT", "internet.lmt.lv"),
};
constexpr CarrierPreset Poland[] = {
    Data("ORANGE", "internet", "internet", "internet"),
    Data("T-mobile", "internet"),
    Data("PLAY", "internet"),
    Data("PLUS", "plus"),
};
constexpr CarrierPreset Romania[] = {
    Data("Vodafone Live!", "live"),
    Data("Vodafone", "internet.vodafone.ro", "internet.vodafone.ro", "vodafone"),
    Data("Orange", "net"),
    Data("Digi Mobil", "internet"),
    Data("Digi Mobil Prepaid", "Prepaid"),
};
constexpr CarrierPreset Russia[] = {
    Data("MTS", "internet.mts.ru", "mts"),
    Data("Beeline", "internet.beeline.ru", "beeline", "beeline1"),
};
// The FTP tab does not list "4", so Slovakia's entries are shared one by one.
constexpr CarrierPreset SlovakiaO2 = Data("O2", "o2internet");
constexpr CarrierPreset Slovakia4 = Data("4", "internet");
constexpr CarrierPreset SlovakiaTMobile = Data("T-Mobile", "internet");
constexpr CarrierPreset SlovakiaOrange = Data("Orange", "internet");
constexpr CarrierPreset SlovakiaSmtp[] = {SlovakiaO2, Slovakia4, SlovakiaTMobile, SlovakiaOrange};
constexpr CarrierPreset SlovakiaFtp[] = {SlovakiaO2, SlovakiaTMobile, SlovakiaOrange};
constexpr CarrierPreset Slovenia[] = {
    Data("A1", "internet"),
    Data("Telekom", "internet", "mobitel", "internet"),
    Data("Telemach", "internet"),
};
constexpr CarrierPreset Spain[] = {
    Data("Amena", "internet", "CLIENTE"),
    Data("Telefonica", "movistar.es", "movistar", "movistar"),
    Data("Vodafone", "airtelnet.es", "vodafone", "vodafone"),
    Data("Orange", "internet", "orange", "orange"),
};
constexpr CarrierPreset Sweden[] = {
    Data("Telenor", "internet.telenor.se"),
    Data("Telia", "online.telia.se"),
};
constexpr CarrierPreset UnitedKingdom[] = {
    Data("3", "three.co.uk"),
    Data("ASDA Mobile", "asdamobiles.co.uk", "web"),
    Data("O2", "mobile.o2.co.uk", "", "o2web"),
    Data("Orange", "orangeinternet"),
    Data("Tesco Mobile", "prepay.tesco-mobile.com", "tescowap"),
    Data("T-Mobile", "general.t-mobile.uk", "user", "wap"),
    Data("Virgin", "goto.virginmobile.uk", "user"),
    Data("Vodafone", "internet", "web"),
};
constexpr CarrierPreset UnitedStates[] = {
    Data("AT&T", "wap.cingular", "wap@cingulargprs.com", "cingular1"),
    Data("T-Mobile", "fast.t-mobile.com"),
};

constexpr CountryPresets SmtpCountries[] = {
    {"Austria", Austria},
    {"Croatina", Croatia},
    {"Czech Republic", CzechRepublic},
    {"France", France},
    {"Germany", Germany},
    {"Greece", Greece},
    {"Hungary", Hungary},
    {"Italy", Italy},
    {"Kazakhstan", Kazakhstan},
    {"Latvia", Latvia},
    {"Romania", Romania},
    {"Slovakia", SlovakiaSmtp},
    {"Slovenia", Slovenia},
    {"Spain", Spain},
    {"Sweden", Sweden},
    {"United Kingdom", UnitedKingdom},
    {"United States", UnitedStates},
    {"Poland", Poland},
};

constexpr CountryPresets FtpCountries[] = {
    {"Austria", Austria},
    {"Canada", Canada},
    {"China", China},
    {"Croatina", Croatia},
    {"Czech Republic", CzechRepublic},
    {"France", France},
    {"Germany", Germany},
    {"Greece", Greece},
    {"Hungary", Hungary},
    {"Italy", Italy},
    {"Kazakhstan", Kazakhstan},
    {"Latvia", Latvia},
    {"Russia", Russia},
    {"Slovakia", SlovakiaFtp},
    {"Spain", Spain},
    {"Sweden", Sweden},
    {"United Kingdom", UnitedKingdom},
    {"United States", UnitedStates},
    // A network we have no settings for: the user types them.
    {"Other", {}},
};

constexpr MailServerPreset MailServers[] = {
    {"Other", "", "", Security::NoSsl},
    {"G-mail", "smtp.gmail.com", "465", Security::Ssl},
    {"Hotmail", "smtp-mail.outlook.com", "25", Security::StartTls},
};

// The form's own items, position for position the same operators as the Austria list.
constexpr const char *SmtpStartupOperatorNames[] = {"A1", "T-Mobile", "Telering", "Bob", "drei.at"};

// clang-format on

static_assert(std::size(MmsCountries) == 33);
static_assert(std::size(SmtpCountries) == 18);
static_assert(std::size(FtpCountries) == 19);
static_assert(std::size(SmtpStartupOperatorNames) == std::size(Austria));

} // namespace

std::span<const CountryPresets> MmsPresets()
{
    return MmsCountries;
}

std::span<const CountryPresets> SmtpPresets()
{
    return SmtpCountries;
}

std::span<const CountryPresets> FtpPresets()
{
    return FtpCountries;
}

std::span<const MailServerPreset> MailServerPresets()
{
    return MailServers;
}

std::span<const char *const> SmtpStartupOperators()
{
    return SmtpStartupOperatorNames;
}

const CarrierPreset *FindCarrier(std::span<const CountryPresets> table, int country, int op)
{
    if (country < 0 || static_cast<std::size_t>(country) >= table.size())
        return nullptr;
    const std::span<const CarrierPreset> operators = table[static_cast<std::size_t>(country)].operators;
    if (op < 0 || static_cast<std::size_t>(op) >= operators.size())
        return nullptr;
    return &operators[static_cast<std::size_t>(op)];
}
