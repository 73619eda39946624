#include "settings/parameterfile.h"
#include "settings/parameterfile_p.h"

#include "settings/devicenames.h"

#include <QDir>
#include <QFileInfo>

#include <io.h>
#include <windows.h>

using namespace ParameterFilePrivate;

namespace {

// What an open handle is when it is not a file on a disk (a console, a
// printer port, a pipe), in the words used for the path.
QString notDiskReason(const QFileDevice &file)
{
    switch (GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle())))) {
    case FILE_TYPE_DISK:
        return {};
    case FILE_TYPE_PIPE:
        return QLatin1StringView(PipeReason);
    case FILE_TYPE_CHAR:
        return QLatin1StringView(DeviceReason);
    default:
        return QLatin1StringView(OtherReason);
    }
}

} // namespace

namespace ParameterFilePrivate {

bool writeFile(const QString &path, const QByteArray &image, QString *errorString, const SaveSteps &steps)
{
    const QString shown = shownPath(path);
    // A device replaced by a file would break what uses it, and a read-only
    // file is meant to stay as it is.
    if (IsWindowsDeviceName(path))
        return cannotCreate(errorString, shown, QLatin1StringView(DeviceReason));
    const QFileInfo existing(path);
    if (existing.exists() && existing.isFile() && !existing.isWritable())
        return cannotCreate(errorString, shown, qt_error_string(ERROR_ACCESS_DENIED));
    return replaceWithSaveFile(path, image, errorString, steps);
}

// QSaveFile::commit() syncs the new file too, but replaces the old one
// whatever that reports; a card that fails late must keep the old file.
bool syncToStorage(QFileDevice &file)
{
    return file.flush() && FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle())));
}

bool closeCleanly(QFileDevice &)
{
    return true;
}

bool openRegularFile(QFile &file, const QString &path, QString *errorString)
{
    // Opening one may wait for a device that never answers.
    if (IsWindowsDeviceName(path))
        return cannotOpen(errorString, path, QLatin1StringView(DeviceReason));
    if (!openFileByName(file, path, errorString))
        return false;
    if (const QString reason = notDiskReason(file); !reason.isEmpty()) {
        file.close();
        return cannotOpen(errorString, path, reason);
    }
    return true;
}

} // namespace ParameterFilePrivate

bool IsSameFile(const QFile &input, const QString &outputPath)
{
    // Names differ by case, short forms and hard links; the volume and file
    // index do not.
    BY_HANDLE_FILE_INFORMATION in {};
    BY_HANDLE_FILE_INFORMATION out {};
    if (!GetFileInformationByHandle(reinterpret_cast<HANDLE>(_get_osfhandle(input.handle())), &in))
        return false;
    HANDLE target = outputPath.isEmpty()
        ? GetStdHandle(STD_OUTPUT_HANDLE)
        : CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(outputPath).utf16()), 0,
              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (target == INVALID_HANDLE_VALUE || target == nullptr)
        return false;
    const bool known = GetFileInformationByHandle(target, &out);
    if (!outputPath.isEmpty())
        CloseHandle(target);
    return known && in.dwVolumeSerialNumber == out.dwVolumeSerialNumber && in.nFileIndexHigh == out.nFileIndexHigh
        && in.nFileIndexLow == out.nFileIndexLow;
}

// Names are UTF-16 here, as the programs hold them.
bool IsFaithfulArgument(const QString &, int, char *[])
{
    return true;
}

bool IsFaithfulChosenName(const QString &)
{
    return true;
}
