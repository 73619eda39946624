#pragma once

#include "settings/parametervalues.h"

#include <QStringView>

#include <array>
#include <cstddef>
#include <optional>
#include <ranges>
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

struct ParameterField
{
    const char *name; // the control's name, which is also the JSON key
    FieldKind kind;
    int offset; // first byte in the image
    int room; // bytes the field may occupy, a text's terminator included
    int readWidth; // bytes that reading takes from the field's start; 0 for what is never read
    bool terminated = true; // Text: false only for the 4-byte password, which needs no terminator
    int shift = 0; // Switch: the index goes in times 2^shift
    int bits = 8; // Switch: how many bits from there reading takes

    // The member the row stands for: exactly one, the one its kind names.
    int ParameterValues::*index = nullptr; // Index, Switch
    QString ParameterValues::*text = nullptr; // Text
    TimeOfDay ParameterValues::*time = nullptr; // Time
    std::optional<ClockValue> ParameterValues::*clock = nullptr; // Clock
    Security ParameterValues::*security = nullptr; // Security
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
        Index("modecmb", &V::modecmb, 0),
        Index("rslcmb", &V::rslcmb, 1),
        Index("intvcmb", &V::intvcmb, 2),
        Index("mtcmb", &V::mtcmb, 3),
        Index("isocmb", &V::isocmb, 4),
        Text("idedit", &V::idedit, 5, 10, 6),
        Index("rslvcmb", &V::rslvcmb, 16),
        Index("vdlcmb", &V::vdlcmb, 17),
        Index("vccmb", &V::vccmb, 18),
        Index("langcmb", &V::langcmb, 40),
        Index("motcmb", &V::motcmb, 39),
        Index("tvcmb", &V::tvcmb, 74),
        Index("dtfmtcmb", &V::dtfmtcmb, 38),
        Index("passcmb", &V::passcmb, 75),
        UnterminatedText("passedit", &V::passedit, 76, 4),
        Clock("clock", &V::clock, 32),
        Time("timerStart", &V::timerStart, 42),
        Time("timerEnd", &V::timerEnd, 45),

        // MMS. Its switch has the low three bits of byte 81, FTP's the rest.
        Switch("ComboBox1", &V::ComboBox1, 81, 0, 3),
        Index("ComboBox2", &V::ComboBox2, 80),
        Text("ComboBox3", &V::ComboBox3, 83, 16, 16),
        // The operator names may run on into the spare bytes after their 16.
        Text("ComboBox4", &V::ComboBox4, 99, 45, 16),
        Text("apn", &V::apn, 144),
        Text("username", &V::username, 208),
        Text("password", &V::password, 272),
        Text("mmsc", &V::mmsc, 336),
        Text("proxy", &V::proxy, 400),
        Text("port", &V::port, 464),
        Text("phone1", &V::phone1, 528),
        Text("phone2", &V::phone2, 592),
        Text("phone3", &V::phone3, 656),
        Text("phone4", &V::phone4, 720),
        Text("email1", &V::email1, 784),
        Text("email2", &V::email2, 848),
        Text("email3", &V::email3, 912),
        Text("email4", &V::email4, 976),

        // SMTP
        Index("ComboBox5", &V::ComboBox5, 1041),
        Index("ComboBox6", &V::ComboBox6, 1040),
        Text("ComboBox7", &V::ComboBox7, 1043, 16, 16),
        Text("ComboBox8", &V::ComboBox8, 1059, 45, 16),
        Text("smtpapn", &V::smtpapn, 1104),
        Text("smtpusername", &V::smtpusername, 1168),
        Text("smtppassword", &V::smtppassword, 1232),
        Index("ComboBox9", &V::ComboBox9, 1390),
        Text("servertxt", &V::servertxt, 1296),
        Text("usernametxt", &V::usernametxt, 1424),
        Text("passwordtxt", &V::passwordtxt, 1488),
        // Read on through the two bytes after the room up to the terminator,
        // which for a text that fits lies inside the room.
        Text("porttxt", &V::porttxt, 1360, 30, 48),
        SecurityChoice("security", &V::security, 1391),
        Text("email1txt", &V::email1txt, 1552),
        Text("email2txt", &V::email2txt, 1616),
        Text("email3txt", &V::email3txt, 1680),

        // FTP
        Switch("ComboBox10", &V::ComboBox10, 81, 3, 5),
        Text("ftpserver", &V::ftpserver, 1808),
        Text("ftpport", &V::ftpport, 1872),
        Text("path", &V::path, 2064),
        Text("ftpaccount", &V::ftpaccount, 1936),
        Text("ftppass", &V::ftppass, 2000),
        // Country, operator, APN, user name and password share their bytes
        // with SMTP's, which hold the FTP texts only while FTP is on.
        Text("ComboBox12", &V::ComboBox12, 1043, 16, 16),
        Text("ComboBox13", &V::ComboBox13, 1059, 45, 16),
        Text("ftpapn", &V::ftpapn, 1104),
        Text("ftpusername", &V::ftpusername, 1168),
        Text("ftppassword", &V::ftppassword, 1232),
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

// The row that stands for `member`; a member without a row does not compile.
template <typename Member> consteval std::size_t FieldOf(Member ParameterValues::*member)
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

// The combo boxes read by their selected index, sending switches included.
inline auto IndexFields()
{
    return ParameterFields | std::views::filter([](const ParameterField &field) { return field.index != nullptr; });
}

// The edits, and the combo boxes read by their text.
inline auto TextFields()
{
    return ParameterFields | std::views::filter([](const ParameterField &field) { return field.text != nullptr; });
}

// The row named `name`, or nullptr.
const ParameterField *FindField(QStringView name);

// Longest encoded text the field holds.
int TextCapacity(const ParameterField &field);

// The part of `text` that the field keeps: every character becomes one byte in
// the file, so this is the text cut to TextCapacity() characters (a surrogate
// pair counts as one).
QString FitText(const ParameterField &field, const QString &text);
