#pragma once

#include "settings/parametervalues.h"

#include <QStringView>

#include <array>
#include <cstddef>
#include <optional>
#include <type_traits>

// The byte map, once: one row for each member of ParameterValues, in the
// window's order. The codec, the window, the JSON mapping and the listing of
// trailcam-param read these rows; the codec's write order names them by their
// members, checked when compiling.

enum class FieldKind : quint8 {
    Index, // a combo box's selected index in one byte; -1 is stored as 255
    Switch, // a sending switch: its index, shifted, is added into one byte with the other switches
    Text, // code-page text and its terminator, in a room of fixed size
    Clock, // year % 100, month, day, hour, minute, second; never read back
    Time, // hour, minute, second
    Security, // the mail security choice in one byte
};

// How the listing of trailcam-param show names a field: the caption of the
// control's label on the window, after the captions of its tab or box where
// the label repeats on the window.
struct ListingCaption
{
    const char *label = nullptr; // none for the security choice, whose buttons have no label
    const char *qualifier = nullptr;
    const char *subQualifier = nullptr;
};

struct ParameterField
{
    const char *name; // the control's name, which is also the JSON key
    FieldKind kind;
    int offset; // first byte in the image
    int room; // bytes the field may occupy, a text's terminator included
    int readWidth; // bytes that reading takes from the field's start; 0 for what is never read
    bool terminated = true; // Text: false only for the 4-byte password, which needs no terminator
    bool typedUpToReadWidth = false; // Text: the window's edit takes no more than readWidth characters
    int shift = 0; // Switch: the index goes in times 2^shift
    int bits = 8; // Index, Switch: how many bits the index has; a switch's start at `shift`

    // The member the row stands for: exactly one, the one its kind names.
    int ParameterValues::*index = nullptr; // Index, Switch
    QString ParameterValues::*text = nullptr; // Text
    TimeOfDay ParameterValues::*time = nullptr; // Time
    std::optional<ClockValue> ParameterValues::*clock = nullptr; // Clock
    Security ParameterValues::*security = nullptr; // Security

    // What a freshly started window holds. The MMS and SMTP countries, operators
    // and connection fields take their first preset's values instead, and a
    // text box that starts without a selection the text the form gives it.
    int startIndex = 0;
    const char *startText = ""; // UTF-8
    TimeOfDay startTime {};

    bool defaultResets = false; // Default puts it back to its start value
    ListingCaption listing {}; // none for the clock, which is never read back

    constexpr ParameterField start(int selected) const
    {
        ParameterField field = *this;
        field.startIndex = selected;
        return field;
    }

    constexpr ParameterField start(const char *utf8) const
    {
        ParameterField field = *this;
        field.startText = utf8;
        return field;
    }

    constexpr ParameterField start(TimeOfDay timeOfDay) const
    {
        ParameterField field = *this;
        field.startTime = timeOfDay;
        return field;
    }

    constexpr ParameterField typingLimited() const
    {
        ParameterField field = *this;
        field.typedUpToReadWidth = true;
        return field;
    }

    constexpr ParameterField resetByDefault() const
    {
        ParameterField field = *this;
        field.defaultResets = true;
        return field;
    }

    constexpr ParameterField listed(
        const char *label, const char *qualifier = nullptr, const char *subQualifier = nullptr) const
    {
        ParameterField field = *this;
        field.listing = { label, qualifier, subQualifier };
        return field;
    }
};

namespace fieldrows {

using V = ParameterValues;

constexpr ParameterField Row(const char *name, FieldKind kind, int offset, int room, int readWidth)
{
    return { .name = name, .kind = kind, .offset = offset, .room = room, .readWidth = readWidth };
}

constexpr ParameterField Index(const char *name, int V::*member, int offset)
{
    ParameterField field = Row(name, FieldKind::Index, offset, 1, 1);
    field.index = member;
    return field;
}

constexpr ParameterField Switch(const char *name, int V::*member, int offset, int shift, int bits)
{
    ParameterField field = Row(name, FieldKind::Switch, offset, 1, 1);
    field.index = member;
    field.shift = shift;
    field.bits = bits;
    return field;
}

// The 64-byte fields keep 48 bytes on reading.
constexpr ParameterField Text(const char *name, QString V::*member, int offset, int room = 64, int readWidth = 48)
{
    ParameterField field = Row(name, FieldKind::Text, offset, room, readWidth);
    field.text = member;
    return field;
}

constexpr ParameterField UnterminatedText(const char *name, QString V::*member, int offset, int room)
{
    ParameterField field = Text(name, member, offset, room, room);
    field.terminated = false;
    return field;
}

constexpr ParameterField Clock(const char *name, std::optional<ClockValue> V::*member, int offset)
{
    ParameterField field = Row(name, FieldKind::Clock, offset, 6, 0);
    field.clock = member;
    return field;
}

constexpr ParameterField Time(const char *name, TimeOfDay V::*member, int offset)
{
    ParameterField field = Row(name, FieldKind::Time, offset, 3, 3);
    field.time = member;
    return field;
}

constexpr ParameterField SecurityChoice(const char *name, Security V::*member, int offset)
{
    ParameterField field = Row(name, FieldKind::Security, offset, 1, 1);
    field.security = member;
    return field;
}

} // namespace fieldrows

// clang-format off
inline constexpr auto ParameterFields = [] {
    using namespace fieldrows;
    return std::array {
        // MENU: camera, video, setup, timer
        Index("modecmb", &V::modecmb, 0).resetByDefault().listed("Label9"),
        Index("rslcmb", &V::rslcmb, 1).resetByDefault().listed("Label1"),
        Index("intvcmb", &V::intvcmb, 2).resetByDefault().listed("Label2"),
        Index("mtcmb", &V::mtcmb, 3).resetByDefault().listed("Label3"),
        Index("isocmb", &V::isocmb, 4).resetByDefault().listed("Label4"),
        Text("idedit", &V::idedit, 5, 10, 6).typingLimited().start("CAM000").resetByDefault().listed("Label5"),
        Index("rslvcmb", &V::rslvcmb, 16).resetByDefault().listed("Label6", "GroupBox2"),
        Index("vdlcmb", &V::vdlcmb, 17).resetByDefault().listed("Label7"),
        Index("vccmb", &V::vccmb, 18).start(1).resetByDefault().listed("Label8"),
        Index("langcmb", &V::langcmb, 40).resetByDefault().listed("Label10"),
        Index("motcmb", &V::motcmb, 39).resetByDefault().listed("Label15"),
        Index("tvcmb", &V::tvcmb, 74).resetByDefault().listed("Label16"),
        Index("dtfmtcmb", &V::dtfmtcmb, 38).resetByDefault().listed("Label18"),
        Index("passcmb", &V::passcmb, 75).resetByDefault().listed("Label19"),
        UnterminatedText("passedit", &V::passedit, 76, 4).typingLimited().start("7351").resetByDefault().listed("Label20"),
        Clock("clock", &V::clock, 32),
        Time("timerStart", &V::timerStart, 42).listed("Label12"),
        Time("timerEnd", &V::timerEnd, 45).start({ 23, 59, 59 }).listed("Label13"),

        // MMS. Its switch has the low three bits of byte 81, FTP's the rest.
        Switch("ComboBox1", &V::ComboBox1, 81, 0, 3).listed("Label21"),
        Index("ComboBox2", &V::ComboBox2, 80).start(1).listed("Label22"),
        Text("ComboBox3", &V::ComboBox3, 83, 16, 16).listed("Label23", "TabSheet2"),
        // The operator names may run on into the spare bytes after their 16.
        Text("ComboBox4", &V::ComboBox4, 99, 45, 16).listed("Label24", "TabSheet2"),
        Text("apn", &V::apn, 144).listed("Label25", "TabSheet2"),
        Text("username", &V::username, 208).listed("Label26", "TabSheet2"),
        Text("password", &V::password, 272).listed("Label27", "TabSheet2"),
        Text("mmsc", &V::mmsc, 336).listed("Label28"),
        Text("proxy", &V::proxy, 400).listed("Label29"),
        Text("port", &V::port, 464).listed("Label30"),
        Text("phone1", &V::phone1, 528).listed("Label31"),
        Text("phone2", &V::phone2, 592).listed("Label32"),
        Text("phone3", &V::phone3, 656).listed("Label33"),
        Text("phone4", &V::phone4, 720).listed("Label34"),
        Text("email1", &V::email1, 784).listed("Label35"),
        Text("email2", &V::email2, 848).listed("Label36"),
        Text("email3", &V::email3, 912).listed("Label37"),
        Text("email4", &V::email4, 976).listed("Label38"),

        // SMTP
        Index("ComboBox5", &V::ComboBox5, 1041).start(-1).listed("Label39"),
        Index("ComboBox6", &V::ComboBox6, 1040).start(-1).listed("Label40"),
        Text("ComboBox7", &V::ComboBox7, 1043, 16, 16).listed("Label41", "TabSheet3"),
        Text("ComboBox8", &V::ComboBox8, 1059, 45, 16).listed("Label42", "TabSheet3"),
        Text("smtpapn", &V::smtpapn, 1104).listed("Label43", "TabSheet3"),
        Text("smtpusername", &V::smtpusername, 1168).listed("Label44", "TabSheet3"),
        Text("smtppassword", &V::smtppassword, 1232).listed("Label45", "TabSheet3"),
        Index("ComboBox9", &V::ComboBox9, 1390).listed("Label46"),
        Text("servertxt", &V::servertxt, 1296).listed("Label47", "TabSheet3"),
        Text("usernametxt", &V::usernametxt, 1424).listed("Label48", "TabSheet3", "Label47"),
        Text("passwordtxt", &V::passwordtxt, 1488).listed("Label49", "TabSheet3", "Label47"),
        // Read on through the two bytes after the room up to the terminator,
        // which for a text that fits lies inside the room.
        Text("porttxt", &V::porttxt, 1360, 30, 48).listed("Label50", "TabSheet3", "Label47"),
        SecurityChoice("security", &V::security, 1391).listed(nullptr, "TabSheet3"),
        Text("email1txt", &V::email1txt, 1552).listed("Label51", "TabSheet3"),
        Text("email2txt", &V::email2txt, 1616).listed("Label52", "TabSheet3"),
        Text("email3txt", &V::email3txt, 1680).listed("Label53", "TabSheet3"),

        // FTP
        Switch("ComboBox10", &V::ComboBox10, 81, 3, 5).start(-1).listed("Label54"),
        Text("ftpserver", &V::ftpserver, 1808).listed("Label62", "TabSheet4"),
        Text("ftpport", &V::ftpport, 1872).start("21").listed("Label61", "TabSheet4"),
        Text("path", &V::path, 2064).start("/myfolder/").listed("Label55", "TabSheet4"),
        Text("ftpaccount", &V::ftpaccount, 1936).listed("Label65", "TabSheet4"),
        Text("ftppass", &V::ftppass, 2000).listed("Label64", "TabSheet4", "Label65"),
        // Country, operator, APN, user name and password share their bytes
        // with SMTP's, which hold the FTP texts only while FTP is on.
        Text("ComboBox12", &V::ComboBox12, 1043, 16, 16).listed("Label56", "TabSheet4"),
        Text("ComboBox13", &V::ComboBox13, 1059, 45, 16).listed("Label57", "TabSheet4"),
        Text("ftpapn", &V::ftpapn, 1104).start("cmwap").listed("Label58", "TabSheet4"),
        Text("ftpusername", &V::ftpusername, 1168).listed("Label59", "TabSheet4"),
        Text("ftppassword", &V::ftppassword, 1232).listed("Label60", "TabSheet4"),
    };
}();
// clang-format on

// Stored through ScrambleByte, as half-open byte ranges.
struct ScrambledRegion
{
    int begin;
    int end;
};
inline constexpr ScrambledRegion ScrambledRegions[] = { { 144, 1040 }, { 1104, 2128 } };

// The row that stands for `member`. Meant for constant expressions, where a
// member without a row stops the build.
template <typename Member> constexpr std::size_t FieldOf(Member ParameterValues::*member)
{
    for (std::size_t i = 0; i < ParameterFields.size(); ++i) {
        const ParameterField &field = ParameterFields[i];
        if constexpr (std::is_same_v<Member, int>) {
            if (field.index == member)
                return i;
        } else if constexpr (std::is_same_v<Member, QString>) {
            if (field.text == member)
                return i;
        } else if constexpr (std::is_same_v<Member, TimeOfDay>) {
            if (field.time == member)
                return i;
        } else if constexpr (std::is_same_v<Member, std::optional<ClockValue>>) {
            if (field.clock == member)
                return i;
        } else if constexpr (std::is_same_v<Member, Security>) {
            if (field.security == member)
                return i;
        }
    }
    throw "no row of ParameterFields stands for this member";
}

namespace fieldrows {

template <auto Member> consteval std::size_t CountWith()
{
    std::size_t count = 0;
    for (const ParameterField &field : ParameterFields)
        count += field.*Member != nullptr ? 1 : 0;
    return count;
}

// The rows whose `Member` is set, in table order.
template <auto Member> consteval auto RowsWith()
{
    std::array<ParameterField, CountWith<Member>()> rows {};
    std::size_t next = 0;
    for (const ParameterField &field : ParameterFields) {
        if (field.*Member != nullptr)
            rows[next++] = field;
    }
    return rows;
}

} // namespace fieldrows

// The combo boxes read by their selected index, sending switches included.
inline const auto &IndexFields()
{
    static constexpr auto rows = fieldrows::RowsWith<&ParameterField::index>();
    return rows;
}

// The edits, and the combo boxes read by their text.
inline const auto &TextFields()
{
    static constexpr auto rows = fieldrows::RowsWith<&ParameterField::text>();
    return rows;
}

// The row named `name`, or nullptr.
const ParameterField *FindField(QStringView name);

// Highest index the field keeps in its bits; -1, no selection, is taken too.
int HighestIndex(const ParameterField &field);

// Longest encoded text the field holds.
int TextCapacity(const ParameterField &field);

// Longest text that a Load gives back whole: the read width, or less where
// the room ends first.
int ReadBackLength(const ParameterField &field);

// The part of `text` that the field keeps: every character becomes one byte in
// the file, so this is the text cut to TextCapacity() characters (a surrogate
// pair counts as one).
QString FitText(const ParameterField &field, const QString &text);
