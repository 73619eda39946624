#include "settings/parameterfields.h"

#include <QLatin1StringView>

#include <algorithm>

namespace {

using V = ParameterValues;

// clang-format off
constexpr IndexField Indexes[] = {
    {"modecmb", &V::modecmb, 0},
    {"rslcmb", &V::rslcmb, 1},
    {"intvcmb", &V::intvcmb, 2},
    {"mtcmb", &V::mtcmb, 3},
    {"isocmb", &V::isocmb, 4},
    {"rslvcmb", &V::rslvcmb, 16},
    {"vdlcmb", &V::vdlcmb, 17},
    {"vccmb", &V::vccmb, 18},
    {"dtfmtcmb", &V::dtfmtcmb, 38},
    {"motcmb", &V::motcmb, 39},
    {"langcmb", &V::langcmb, 40},
    {"tvcmb", &V::tvcmb, 74},
    {"passcmb", &V::passcmb, 75},
    {"ComboBox2", &V::ComboBox2, 80},
    {"ComboBox1", &V::ComboBox1, -1},
    {"ComboBox10", &V::ComboBox10, -1},
    {"ComboBox6", &V::ComboBox6, 1040},
    {"ComboBox5", &V::ComboBox5, 1041},
    {"ComboBox9", &V::ComboBox9, 1390},
};

// The 64-byte fields keep 48 bytes on reading; the operator names may run on
// into the spare bytes after their 16.
constexpr TextField Texts[] = {
    {"idedit", &V::idedit, 5, 10, 6, true},
    {"passedit", &V::passedit, 76, 4, 4, false},
    {"ComboBox3", &V::ComboBox3, 83, 16, 16, true},
    {"ComboBox4", &V::ComboBox4, 99, 45, 16, true},
    {"apn", &V::apn, 144, 64, 48, true},
    {"username", &V::username, 208, 64, 48, true},
    {"password", &V::password, 272, 64, 48, true},
    {"mmsc", &V::mmsc, 336, 64, 48, true},
    {"proxy", &V::proxy, 400, 64, 48, true},
    {"port", &V::port, 464, 64, 48, true},
    {"phone1", &V::phone1, 528, 64, 48, true},
    {"phone2", &V::phone2, 592, 64, 48, true},
    {"phone3", &V::phone3, 656, 64, 48, true},
    {"phone4", &V::phone4, 720, 64, 48, true},
    {"email1", &V::email1, 784, 64, 48, true},
    {"email2", &V::email2, 848, 64, 48, true},
    {"email3", &V::email3, 912, 64, 48, true},
    {"email4", &V::email4, 976, 64, 48, true},
    {"ComboBox7", &V::ComboBox7, 1043, 16, 16, true},
    {"ComboBox8", &V::ComboBox8, 1059, 45, 16, true},
    {"smtpapn", &V::smtpapn, 1104, 64, 48, true},
    {"smtpusername", &V::smtpusername, 1168, 64, 48, true},
    {"smtppassword", &V::smtppassword, 1232, 64, 48, true},
    {"servertxt", &V::servertxt, 1296, 64, 48, true},
    // Read on through the two bytes after the room up to the terminator,
    // which for a text that fits lies inside the room.
    {"porttxt", &V::porttxt, 1360, 30, 48, true},
    {"usernametxt", &V::usernametxt, 1424, 64, 48, true},
    {"passwordtxt", &V::passwordtxt, 1488, 64, 48, true},
    {"email1txt", &V::email1txt, 1552, 64, 48, true},
    {"email2txt", &V::email2txt, 1616, 64, 48, true},
    {"email3txt", &V::email3txt, 1680, 64, 48, true},
    {"ftpserver", &V::ftpserver, 1808, 64, 48, true},
    {"ftpport", &V::ftpport, 1872, 64, 48, true},
    {"ftpaccount", &V::ftpaccount, 1936, 64, 48, true},
    {"ftppass", &V::ftppass, 2000, 64, 48, true},
    {"path", &V::path, 2064, 64, 48, true},
    {"ComboBox12", &V::ComboBox12, 1043, 16, 16, true},
    {"ComboBox13", &V::ComboBox13, 1059, 45, 16, true},
    {"ftpapn", &V::ftpapn, 1104, 64, 48, true},
    {"ftpusername", &V::ftpusername, 1168, 64, 48, true},
    {"ftppassword", &V::ftppassword, 1232, 64, 48, true},
};
// clang-format on

template <typename Field> const Field *findField(std::span<const Field> fields, QStringView name)
{
    const auto found = std::find_if(
        fields.begin(), fields.end(), [name](const Field &field) { return name == QLatin1StringView(field.name); });
    return found == fields.end() ? nullptr : &*found;
}

} // namespace

std::span<const IndexField> IndexFields()
{
    return Indexes;
}

std::span<const TextField> TextFields()
{
    return Texts;
}

const IndexField *FindIndexField(QStringView name)
{
    return findField(IndexFields(), name);
}

const TextField *FindTextField(QStringView name)
{
    return findField(TextFields(), name);
}

int TextCapacity(const TextField &field)
{
    return field.terminated ? field.room - 1 : field.room;
}

QString FitText(const TextField &field, const QString &text)
{
    const int capacity = TextCapacity(field);
    qsizetype end = 0;
    for (int kept = 0; kept < capacity && end < text.size(); ++kept) {
        const bool pair = end + 1 < text.size() && text.at(end).isHighSurrogate() && text.at(end + 1).isLowSurrogate();
        end += pair ? 2 : 1;
    }
    return text.left(end);
}
