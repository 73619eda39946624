#include "settings/parameterfile.h"

#include "settings/parameterdata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

bool fail(QString *errorString, const QString &message)
{
    if (errorString)
        *errorString = message;
    return false;
}

const char *const CannotOpen = "Cannot open file \"%1\". %2";

#ifdef Q_OS_UNIX
// What a path names when it is not a regular file, in words a user knows.
QString notRegularReason(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("It is a folder, not a regular file.");
    if (S_ISFIFO(mode))
        return QStringLiteral("It is a pipe, not a regular file.");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("It is a device, not a regular file.");
    if (S_ISSOCK(mode))
        return QStringLiteral("It is a socket, not a regular file.");
    return QStringLiteral("It is not a regular file.");
}

// The new file takes the old one's owner, group and mode, setgid and sticky
// bits included: a save as root must not take a user's file from them, nor
// make a private file readable. Returns the system's reason when it cannot.
QString keepOwnerAndMode(int fd, const struct stat &old)
{
    struct stat made {};
    if (::fstat(fd, &made) != 0)
        return qt_error_string(errno);
    if ((made.st_uid != old.st_uid || made.st_gid != old.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Only root gives a file away; a file of the saver's own may have to
        // take the saver's group.
        if (made.st_uid != old.st_uid)
            return qt_error_string(errno);
    }
    const mode_t mode = old.st_mode & 07777;
    if ((made.st_mode & 07777) != mode && ::fchmod(fd, mode) != 0)
        return qt_error_string(errno);
    return {};
}
#else
QString notRegularReason(const QFileInfo &info)
{
    return info.isDir() ? QStringLiteral("It is a folder, not a regular file.")
                        : QStringLiteral("It is not a regular file.");
}
#endif

bool writeAll(QFileDevice &file, const QByteArray &image)
{
    // The bytes sit in a buffer until they are flushed, and commit() does not
    // notice when that fails (a full disk would leave an empty file behind).
    return file.write(image) == image.size() && file.flush();
}

// QSaveFile::commit() syncs and closes the new file too, but replaces the old
// one whatever they report; a card that fails late must keep the old file.
bool syncToStorage(QFileDevice &file)
{
#ifdef Q_OS_UNIX
    int result = 0;
    do
        result = ::fsync(file.handle());
    while (result != 0 && errno == EINTR);
    return result == 0;
#else
    return file.flush();
#endif
}

bool closeCleanly(QFileDevice &file)
{
#ifdef Q_OS_UNIX
    // Every close, a duplicate's too, runs the filesystem's own check (NFS
    // writes back there); after an interruption the descriptor is gone anyway.
    const int copy = ::dup(file.handle());
    return copy >= 0 && (::close(copy) == 0 || errno == EINTR);
#else
    Q_UNUSED(file);
    return true;
#endif
}

} // namespace

const SaveSteps &SystemSaveSteps()
{
    static const SaveSteps steps { writeAll, syncToStorage, closeCleanly };
    return steps;
}

bool WriteParameterFile(const QString &path, const QByteArray &image, QString *errorString)
{
    return WriteParameterFile(path, image, errorString, SystemSaveSteps());
}

bool WriteParameterFile(const QString &path, const QByteArray &image, QString *errorString, const SaveSteps &steps)
{
    if (image.size() != ParameterDataSize) {
        return fail(errorString,
            QStringLiteral("Cannot write \"%1\": the settings image holds %2 bytes, not %3.")
                .arg(shownPath(path))
                .arg(image.size())
                .arg(ParameterDataSize));
    }
    const auto cannotCreate = [&](const QString &reason) {
        return fail(errorString, QStringLiteral("Cannot create file \"%1\". %2").arg(shownPath(path), reason));
    };
    // A pipe or a device replaced by a file would break what uses it (as root,
    // even /dev/null), and a read-only file is meant to stay as it is: refused
    // with the system's own reason, or with what the path names instead.
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    struct stat existing {};
    const bool exists = ::stat(name.constData(), &existing) == 0;
    if (!exists && errno != ENOENT)
        return cannotCreate(qt_error_string(errno));
    if (exists && !S_ISREG(existing.st_mode))
        return cannotCreate(notRegularReason(existing.st_mode));
    if (exists && ::access(name.constData(), W_OK) != 0)
        return cannotCreate(qt_error_string(errno));
#else
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile())
        return cannotCreate(notRegularReason(existing));
    if (existing.exists() && !existing.isWritable())
        return cannotCreate(qt_error_string(EACCES));
#endif
    QSaveFile file(path);
    // Writing in place could leave a half-written file where a good one was.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return cannotCreate(file.errorString());
#ifdef Q_OS_UNIX
    if (const QString reason = exists ? keepOwnerAndMode(file.handle(), existing) : QString(); !reason.isEmpty()) {
        file.cancelWriting();
        return cannotCreate(reason);
    }
#endif
    if (!steps.write(file, image) || !steps.sync(file) || !steps.close(file)) {
        file.cancelWriting();
        return fail(errorString, QStringLiteral("Stream write error"));
    }
    if (!file.commit())
        return cannotCreate(file.errorString());
    return true;
}

bool OpenRegularFile(QFile &file, const QString &path, QString *errorString)
{
    const QString cannotOpen = QLatin1StringView(CannotOpen);
#ifdef Q_OS_UNIX
    // Opening a pipe without a writer waits for one, and a device may never
    // answer; without waiting, the open descriptor then tells what it is.
    int fd = -1;
    do
        fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return fail(errorString, cannotOpen.arg(shownPath(path), qt_error_string(errno)));
    struct stat status {};
    QString reason;
    if (::fstat(fd, &status) != 0)
        reason = qt_error_string(errno);
    else if (!S_ISREG(status.st_mode))
        reason = notRegularReason(status.st_mode);
    if (!reason.isEmpty()) {
        ::close(fd);
        return fail(errorString, cannotOpen.arg(shownPath(path), reason));
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(errorString, cannotOpen.arg(shownPath(path), file.errorString()));
    }
#else
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return fail(errorString, cannotOpen.arg(shownPath(path), notRegularReason(info)));
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(errorString, cannotOpen.arg(shownPath(path), file.errorString()));
#endif
    return true;
}

std::optional<QByteArray> ReadParameterFile(const QString &path, QString *errorString)
{
    QFile file;
    if (!OpenRegularFile(file, path, errorString))
        return std::nullopt;
    QByteArray image = file.read(ParameterDataSize);
    if (file.error() != QFileDevice::NoError) {
        fail(errorString, QStringLiteral("Cannot read file \"%1\". %2").arg(shownPath(path), file.errorString()));
        return std::nullopt;
    }
    if (image.size() < ParameterDataSize) {
        const QString size
            = image.size() == 1 ? QStringLiteral("1 byte") : QStringLiteral("%1 bytes").arg(image.size());
        fail(errorString,
            QStringLiteral("\"%1\" is not a settings file: it holds %2, a settings file holds %3.")
                .arg(shownPath(path), size)
                .arg(ParameterDataSize));
        return std::nullopt;
    }
    return image;
}
