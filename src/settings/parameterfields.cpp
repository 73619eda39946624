#include "settings/parameterfields.h"

#include "settings/parameterdata.h"

#include <QLatin1StringView>

#include <algorithm>
#include <string_view>

namespace {

constexpr int memberCount(const ParameterField &field)
{
    return int(field.index != nullptr) + int(field.text != nullptr) + int(field.time != nullptr)
        + int(field.clock != nullptr) + int(field.security != nullptr);
}

constexpr bool holdsItsKindsMember(const ParameterField &field)
{
    if (memberCount(field) != 1)
        return false;
    switch (field.kind) {
    case FieldKind::Index:
    case FieldKind::Switch:
        return field.index != nullptr;
    case FieldKind::Text:
        return field.text != nullptr;
    case FieldKind::Clock:
        return field.clock != nullptr;
    case FieldKind::Time:
        return field.time != nullptr;
    case FieldKind::Security:
        return field.security != nullptr;
    }
    return false;
}

constexpr bool sameMember(const ParameterField &a, const ParameterField &b)
{
    return (a.index && a.index == b.index) || (a.text && a.text == b.text) || (a.time && a.time == b.time)
        || (a.clock && a.clock == b.clock) || (a.security && a.security == b.security);
}

constexpr bool isWellFormed()
{
    for (std::size_t i = 0; i < ParameterFields.size(); ++i) {
        const ParameterField &field = ParameterFields[i];
        if (!holdsItsKindsMember(field) || field.offset < 0 || field.offset + field.room > ParameterDataSize)
            return false;
        for (std::size_t j = 0; j < i; ++j) {
            if (std::string_view(field.name) == ParameterFields[j].name || sameMember(field, ParameterFields[j]))
                return false;
        }
    }
    return true;
}

} // namespace

// Each row holds the member its kind names and lies inside the image; no name
// and no member has two rows.
static_assert(isWellFormed());

const ParameterField *FindField(QStringView name)
{
    const auto found = std::find_if(ParameterFields.begin(), ParameterFields.end(),
        [name](const ParameterField &field) { return name == QLatin1StringView(field.name); });
    return found == ParameterFields.end() ? nullptr : &*found;
}

int HighestIndex(const ParameterField &field)
{
    return (1 << field.bits) - 1;
}

int TextCapacity(const ParameterField &field)
{
    return field.terminated ? field.room - 1 : field.room;
}

int ReadBackLength(const ParameterField &field)
{
    return std::min(field.readWidth, TextCapacity(field));
}

QString FitText(const ParameterField &field, const QString &text)
{
    const int capacity = TextCapacity(field);
    qsizetype end = 0;
    for (int kept = 0; kept < capacity && end < text.size(); ++kept) {
        const bool pair = end + 1 < text.size() && text.at(end).isHighSurrogate() && text.at(end + 1).isLowSurrogate();
        end += pair ? 2 : 1;
    }
    return text.left(end);
}
