#include "values/editsession.h"

#include "settings/filekind.h"
#include "settings/parameterfile.h"

#include <QTime>

namespace {

QByteArray ImageBesideClock(ParameterValues values)
{
    values.clock = ClockValue { 2000, 1, 1, 0, 0, 0 };
    return BuildParameterData(values);
}

bool IsTimeOfDay(const TimeOfDay &time)
{
    return QTime::isValid(time.hour, time.minute, time.second);
}

} // namespace

std::optional<QByteArray> EditSession::Read(const QString &path, QString *error)
{
    return ReadParameterFile(path, error);
}

std::optional<QByteArray> EditSession::ReadContent(const QByteArray &content, const QString &name, QString *error)
{
    return ParameterImageOf(content, u'"' + name + u'"', error);
}

QString EditSession::ForeignWarning(const QByteArray &image, const QString &name, const QString &question)
{
    return HasConstantBytes(image) ? QString() : ForeignFileWarning(name, image, question);
}

std::optional<ParameterValues> EditSession::Decode(const QByteArray &image, QString *error)
{
    const ParameterValues values = ReadParameterData(image);
    if (IsTimeOfDay(values.timerStart) && IsTimeOfDay(values.timerEnd))
        return values;
    *error = QStringLiteral("Invalid argument to time encode");
    return std::nullopt;
}

void EditSession::Start(const ParameterValues &shown)
{
    m_valuesFound = shown;
    m_startImage = ImageBesideClock(shown);
}

void EditSession::Loaded(const ParameterValues &shown)
{
    m_valuesFound = shown;
    m_loadedImage = ImageBesideClock(shown);
}

EditSession::SaveWarnings EditSession::Warnings(const ParameterValues &values) const
{
    return { TextsCutOnReading(values), SharedTextsLeftOut(values, m_valuesFound) };
}

const QByteArray &EditSession::Build(const ParameterValues &values)
{
    m_built = values;
    m_image = BuildParameterData(values);
    return m_image;
}

bool EditSession::Write(const QString &path, QString *error)
{
    if (!WriteParameterFile(path, m_image, error))
        return false;
    Delivered();
    return true;
}

void EditSession::Delivered()
{
    m_savedImage = ImageBesideClock(m_built);
}

bool EditSession::IsModified(const ParameterValues &shown) const
{
    const QByteArray image = ImageBesideClock(shown);
    return image != m_startImage && image != m_loadedImage && image != m_savedImage && image != m_discardedImage;
}

void EditSession::Discard(const ParameterValues &shown)
{
    m_discardedImage = ImageBesideClock(shown);
}
