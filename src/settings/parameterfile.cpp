#include "settings/parameterfile.h"

#include "settings/escaping.h"
#include "settings/parameterdata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <utility>
#include <vector>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/xattr.h>
#endif
#ifdef Q_OS_WIN
#include "settings/devicenames.h"

#include <io.h>
#include <windows.h>
#endif

namespace {

// For messages only: a name's line breaks and reordering marks would write
// lines of their own into a question, or turn the message round.
QString shownPath(const QString &path)
{
    return EscapeControls(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

bool fail(QString *errorString, const QString &message)
{
    if (errorString)
        *errorString = message;
    return false;
}

const char *const CannotOpen = "Cannot open file \"%1\". %2";

// The refusal to save, naming the file as `shown`.
bool cannotCreate(QString *errorString, const QString &shown, const QString &reason)
{
    return fail(errorString, QStringLiteral("Cannot create file \"%1\". %2").arg(shown, reason));
}

// Any failure on the way to the storage; the old file is kept.
bool streamError(QString *errorString)
{
    return fail(errorString, QStringLiteral("Stream write error"));
}

// What a path names when it is not a regular file, in words a user knows.
const char *const FolderReason = "It is a folder, not a regular file.";
const char *const PipeReason = "It is a pipe, not a regular file.";
const char *const DeviceReason = "It is a device, not a regular file.";
const char *const OtherReason = "It is not a regular file.";

#ifdef Q_OS_UNIX
QString notRegularReason(mode_t mode)
{
    if (S_ISDIR(mode))
        return QLatin1StringView(FolderReason);
    if (S_ISFIFO(mode))
        return QLatin1StringView(PipeReason);
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QLatin1StringView(DeviceReason);
    if (S_ISSOCK(mode))
        return QStringLiteral("It is a socket, not a regular file.");
    return QLatin1StringView(OtherReason);
}
#endif

#ifdef Q_OS_LINUX
// A descriptor closed when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1)
        : m_fd(fd)
    {
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    Descriptor &operator=(Descriptor &&other) noexcept
    {
        reset(std::exchange(other.m_fd, -1));
        return *this;
    }
    ~Descriptor() { reset(); }
    int get() const { return m_fd; }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    // Closes now and tells whether the close succeeded; after an interruption
    // the descriptor is gone anyway, and the caller has synced the data.
    bool close()
    {
        const int fd = std::exchange(m_fd, -1);
        return ::close(fd) == 0 || errno == EINTR;
    }

private:
    int m_fd;
};

template <typename Call> auto retryInterrupted(Call call)
{
    decltype(call()) result;
    do
        result = call();
    while (result < 0 && errno == EINTR);
    return result;
}

const char AccessAcl[] = "system.posix_acl_access";

// The access ACL of the file behind `fd`, empty when it has none or its
// filesystem keeps none; nullopt with errno set when it cannot be read.
std::optional<QByteArray> accessAcl(int fd)
{
    QByteArray acl(256, Qt::Uninitialized);
    for (;;) {
        const ssize_t size = ::fgetxattr(fd, AccessAcl, acl.data(), size_t(acl.size()));
        if (size >= 0)
            return acl.left(size);
        if (errno == ENODATA || errno == ENOTSUP)
            return QByteArray();
        if (errno != ERANGE)
            return std::nullopt;
        const ssize_t needed = ::fgetxattr(fd, AccessAcl, nullptr, 0);
        if (needed < 0)
            return std::nullopt;
        acl.resize(needed + 1);
    }
}

bool inGroup(gid_t gid)
{
    if (getegid() == gid)
        return true;
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(size_t(std::max(count, 0)));
    const int got = ::getgroups(count, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, gid) != groups.begin() + got;
}

// The new file takes the old one's owner, group, mode (setgid and sticky bits
// included) and access ACL: a save as root must not take a user's file from
// them, nor open a private file to others. Only the new file's own descriptor
// is changed. Returns the reason when that cannot be done.
QString giveAttributes(int fd, int oldFd, const struct stat &old)
{
    const std::optional<QByteArray> acl = accessAcl(oldFd);
    if (!acl)
        return QStringLiteral("Its access control list cannot be read: %1").arg(qt_error_string(errno));
    struct stat made {};
    if (::fstat(fd, &made) != 0)
        return qt_error_string(errno);
    if ((made.st_uid != old.st_uid || made.st_gid != old.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0)
        return qt_error_string(errno);
    // A default ACL of the folder may have given the new file one of its own.
    if (acl->isEmpty() ? ::fremovexattr(fd, AccessAcl) != 0 && errno != ENODATA && errno != ENOTSUP
                       : ::fsetxattr(fd, AccessAcl, acl->constData(), size_t(acl->size()), 0) != 0)
        return QStringLiteral("Its access control list cannot be copied: %1").arg(qt_error_string(errno));
    // After the owner, which clears the setgid bit, and the ACL, whose mask is
    // the group's bits; only when needed, as a FAT card takes no modes.
    if (::fstat(fd, &made) != 0
        || ((made.st_mode & 07777) != (old.st_mode & 07777) && ::fchmod(fd, old.st_mode & 07777) != 0))
        return qt_error_string(errno);
    return {};
}

// The folder a save writes in, opened once, and the name in it; everything
// after that is relative to the folder's descriptor, so nothing can move the
// save elsewhere halfway.
struct Place
{
    Descriptor folder;
    QByteArray name;
    bool canSync = true;
};

// Opens the folder of `path` (relative to `base`, AT_FDCWD for the working
// folder); a name that is a folder itself is left for the caller to find.
QString openPlace(int base, const QByteArray &path, Place *place)
{
    const qsizetype slash = path.lastIndexOf('/');
    QByteArray folder = slash < 0 ? QByteArray(".") : path.left(slash);
    if (slash == 0)
        folder = "/";
    place->name = path.mid(slash + 1);
    if (place->name.isEmpty() || place->name == "." || place->name == "..") {
        folder = path;
        place->name = ".";
    }
    int fd = retryInterrupted([&] { return ::openat(base, folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
    place->canSync = fd >= 0;
    // A folder the saver may write in but not list still takes the save.
    if (fd < 0 && errno == EACCES)
        fd = ::openat(base, folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return qt_error_string(errno);
    place->folder.reset(fd);
    return {};
}

// Makes a new, empty file beside the name, with a name no one else holds.
int createTemporary(const Place &place, mode_t mode, QByteArray *temporaryName)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        *temporaryName = place.name.left(200) + '.' + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        const int fd = retryInterrupted([&] {
            return ::openat(place.folder.get(), temporaryName->constData(),
                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        });
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The new name lasts a power cut only once its folder is synced too. The
// file is replaced by then, whatever the sync says.
void syncFolder(const Place &place)
{
    if (place.canSync)
        retryInterrupted([&] { return ::fsync(place.folder.get()); });
}

// The save on Linux: see WriteParameterFile.
bool writeThroughFolder(const QString &path, const QByteArray &image, QString *errorString, const SaveSteps &steps)
{
    Place place;
    const QString shown = shownPath(path);
    if (const QString reason = openPlace(AT_FDCWD, QFile::encodeName(path), &place); !reason.isEmpty())
        return cannotCreate(errorString, shown, reason);

    // The final name may be a link, followed only when the saver or root owns
    // it: a link another user planted in a folder of theirs would make the
    // save (as root above all) replace whatever it points to.
    Descriptor old;
    struct stat oldStatus {};
    for (int links = 0;; ++links) {
        old.reset(::openat(place.folder.get(), place.name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        if (old.get() < 0 && errno != ENOENT)
            return cannotCreate(errorString, shown, qt_error_string(errno));
        if (old.get() < 0)
            break;
        if (::fstat(old.get(), &oldStatus) != 0)
            return cannotCreate(errorString, shown, qt_error_string(errno));
        if (!S_ISLNK(oldStatus.st_mode))
            break;
        if (oldStatus.st_uid != geteuid() && oldStatus.st_uid != 0) {
            return cannotCreate(errorString, shown,
                QStringLiteral("It is a symbolic link of another user, which a save does not follow."));
        }
        if (links == 40)
            return cannotCreate(errorString, shown, qt_error_string(ELOOP));
        QByteArray target(PATH_MAX, Qt::Uninitialized);
        const ssize_t size = ::readlinkat(old.get(), "", target.data(), size_t(target.size()));
        if (size < 0)
            return cannotCreate(errorString, shown, qt_error_string(errno));
        target.truncate(size);
        Place next;
        if (const QString reason = openPlace(place.folder.get(), target, &next); !reason.isEmpty())
            return cannotCreate(errorString, shown, reason);
        place = std::move(next);
    }

    // A pipe or a device replaced by a file would break what uses it (as root,
    // even /dev/null), and a file without any write permission is meant to
    // stay as it is, whoever saves.
    Descriptor writable;
    const bool exists = old.get() >= 0;
    if (exists) {
        if (!S_ISREG(oldStatus.st_mode))
            return cannotCreate(errorString, shown, notRegularReason(oldStatus.st_mode));
        if ((oldStatus.st_mode & 0222) == 0)
            return cannotCreate(errorString, shown, qt_error_string(EACCES));
        // Opening it for writing asks the system whether the saver may.
        writable.reset(retryInterrupted([&] {
            return ::openat(
                place.folder.get(), place.name.constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        }));
        struct stat opened {};
        if (writable.get() < 0 || ::fstat(writable.get(), &opened) != 0)
            return cannotCreate(errorString, shown, qt_error_string(errno));
        if (opened.st_dev != oldStatus.st_dev || opened.st_ino != oldStatus.st_ino)
            return cannotCreate(errorString, shown, QStringLiteral("It was replaced during the save."));
        oldStatus = opened;
    }
    if (steps.taken)
        steps.taken();

    QFile file;
    const auto writeSteps = [&](int fd) {
        return file.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle) && steps.write(file, image)
            && steps.sync(file) && steps.close(file);
    };

    // A shared file (a group's, in a folder of the group's) may be written by
    // a saver who cannot give a new file its owner and group; it is written in
    // place, as careful editors do, so that it keeps them and its ACL. The old
    // file's own room takes the bytes, so a full card stops nothing halfway
    // when it holds a whole image already; the room is asked for first when it
    // does not.
    if (exists && geteuid() != 0 && (oldStatus.st_uid != geteuid() || !inGroup(oldStatus.st_gid))) {
        const int fd = writable.get();
        if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, ParameterDataSize) != 0 && errno != EOPNOTSUPP && errno != ENOSYS)
            return streamError(errorString);
        if (!writeSteps(fd) || retryInterrupted([&] { return ::ftruncate(fd, ParameterDataSize); }) != 0
            || retryInterrupted([&] { return ::fsync(fd); }) != 0)
            return streamError(errorString);
        file.close();
        return writable.close() || streamError(errorString);
    }

    // Everyone else gets a new file, renamed over the old one when it is whole:
    // the old file stays as it was until then. It starts private when it
    // replaces a file, which keeps its permissions only once it has them.
    QByteArray temporaryName;
    Descriptor made(createTemporary(place, exists ? 0600 : 0666, &temporaryName));
    if (made.get() < 0)
        return cannotCreate(errorString, shown, qt_error_string(errno));
    const auto discard = [&] { ::unlinkat(place.folder.get(), temporaryName.constData(), 0); };
    if (exists) {
        if (const QString reason = giveAttributes(made.get(), writable.get(), oldStatus); !reason.isEmpty()) {
            discard();
            return cannotCreate(errorString, shown, reason);
        }
    }
    if (!writeSteps(made.get())) {
        discard();
        return streamError(errorString);
    }
    file.close();
    if (!made.close()) {
        discard();
        return streamError(errorString);
    }
    if (::renameat(place.folder.get(), temporaryName.constData(), place.folder.get(), place.name.constData()) != 0) {
        const int error = errno;
        discard();
        return cannotCreate(errorString, shown, qt_error_string(error));
    }
    syncFolder(place);
    return true;
}
#endif

#ifndef Q_OS_LINUX
QString notRegularReason(const QFileInfo &info)
{
    return QLatin1StringView(info.isDir() ? FolderReason : OtherReason);
}
#endif

#ifdef Q_OS_WIN
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
#elif defined(Q_OS_WIN)
    return file.flush() && FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle())));
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
#ifdef Q_OS_LINUX
    return writeThroughFolder(path, image, errorString, steps);
#else
    const QString shown = shownPath(path);
    // A pipe or a device replaced by a file would break what uses it, and a
    // read-only file is meant to stay as it is.
#ifdef Q_OS_WIN
    if (IsWindowsDeviceName(path))
        return cannotCreate(errorString, shown, QLatin1StringView(DeviceReason));
    const int accessDenied = ERROR_ACCESS_DENIED;
#else
    const int accessDenied = EACCES;
#endif
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile())
        return cannotCreate(errorString, shown, notRegularReason(existing));
    if (existing.exists() && !existing.isWritable())
        return cannotCreate(errorString, shown, qt_error_string(accessDenied));
    QSaveFile file(path);
    // Writing in place could leave a half-written file where a good one was.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return cannotCreate(errorString, shown, file.errorString());
    if (!steps.write(file, image) || !steps.sync(file) || !steps.close(file)) {
        file.cancelWriting();
        return streamError(errorString);
    }
    if (!file.commit())
        return cannotCreate(errorString, shown, file.errorString());
    return true;
#endif
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
#ifdef Q_OS_WIN
    // Opening one may wait for a device that never answers.
    if (IsWindowsDeviceName(path))
        return fail(errorString, cannotOpen.arg(shownPath(path), QLatin1StringView(DeviceReason)));
#endif
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return fail(errorString, cannotOpen.arg(shownPath(path), notRegularReason(info)));
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(errorString, cannotOpen.arg(shownPath(path), file.errorString()));
#ifdef Q_OS_WIN
    if (const QString reason = notDiskReason(file); !reason.isEmpty()) {
        file.close();
        return fail(errorString, cannotOpen.arg(shownPath(path), reason));
    }
#endif
#endif
    return true;
}

std::optional<QByteArray> ReadParameterImage(
    QFileDevice &file, const QString &subject, const QString &name, QString *errorString)
{
    QByteArray image = file.read(ParameterDataSize);
    if (file.error() != QFileDevice::NoError) {
        fail(errorString, QStringLiteral("Cannot read %1. %2").arg(subject, file.errorString()));
        return std::nullopt;
    }
    if (image.size() < ParameterDataSize) {
        const QString size
            = image.size() == 1 ? QStringLiteral("1 byte") : QStringLiteral("%1 bytes").arg(image.size());
        fail(errorString,
            QStringLiteral("%1 is not a settings file: it holds %2, a settings file holds %3.")
                .arg(name, size)
                .arg(ParameterDataSize));
        return std::nullopt;
    }
    return image;
}

std::optional<QByteArray> ReadParameterFile(const QString &path, QString *errorString)
{
    QFile file;
    if (!OpenRegularFile(file, path, errorString))
        return std::nullopt;
    const QString quoted = u'"' + shownPath(path) + u'"';
    return ReadParameterImage(file, QStringLiteral("file ") + quoted, quoted, errorString);
}

bool IsFaithfulFileName(const QByteArray &name)
{
    return QFile::encodeName(QFile::decodeName(name)) == name;
}
