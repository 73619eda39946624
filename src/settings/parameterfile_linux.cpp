#include "settings/parameterfile.h"
#include "settings/parameterfile_p.h"

#include "settings/parameterdata.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <optional>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace ParameterFilePrivate;

namespace {

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
    int release() { return std::exchange(m_fd, -1); }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
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

// The extended attributes a save carries over besides the ACL: the user's own
// and the SELinux label. Others belong to the system or need privileges; an
// attribute the saver may not read or set is left behind.
void copyExtendedAttributes(int fd, int oldFd)
{
    const ssize_t listed = ::flistxattr(oldFd, nullptr, 0);
    if (listed <= 0)
        return;
    QByteArray names(listed, Qt::Uninitialized);
    const ssize_t size = ::flistxattr(oldFd, names.data(), size_t(names.size()));
    if (size <= 0)
        return;
    names.truncate(size);
    for (const QByteArray &name : names.split('\0')) {
        if (!name.startsWith("user.") && name != "security.selinux")
            continue;
        const ssize_t needed = ::fgetxattr(oldFd, name.constData(), nullptr, 0);
        if (needed < 0)
            continue;
        QByteArray value(needed, Qt::Uninitialized);
        const ssize_t got = ::fgetxattr(oldFd, name.constData(), value.data(), size_t(value.size()));
        if (got >= 0)
            ::fsetxattr(fd, name.constData(), value.constData(), size_t(got), 0);
    }
}

// The new file takes the old one's owner, group, mode (setgid and sticky bits
// included), access ACL and extended attributes: a save as root must not take
// a user's file from them, nor open a private file to others. Only the new
// file's own descriptor is changed. Returns the reason when that cannot be done.
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
    copyExtendedAttributes(fd, oldFd);
    // After the owner, which clears the setgid bit, and the ACL, whose mask is
    // the group's bits; only when needed, as a FAT card takes no modes.
    if (::fstat(fd, &made) != 0
        || ((made.st_mode & 07777) != (old.st_mode & 07777) && ::fchmod(fd, old.st_mode & 07777) != 0))
        return qt_error_string(errno);
    return {};
}

const char *const ForeignLinkReason = "It is a symbolic link of another user, which a save does not follow.";
const char *const ReplacedReason = "It was replaced during the save.";

bool trustedOwner(uid_t owner)
{
    return owner == geteuid() || owner == 0;
}

// A link, in the path or as the final name, is followed only where the saver
// or root put it: the link and the folder holding it are theirs, and it has
// one name. A second name may be another user's hard link to one of root's
// links, where the system lets anyone link to any file.
bool mayFollow(int folder, const struct stat &link)
{
    struct stat holder {};
    return link.st_nlink == 1 && trustedOwner(link.st_uid) && ::fstat(folder, &holder) == 0
        && trustedOwner(holder.st_uid);
}

// Where the links a save follows may lead at most, as the system's own limit.
constexpr int MostLinks = 40;

// The target of the link open as `link`, with `*links` counting the links
// followed so far.
std::optional<QByteArray> linkTarget(int link, int *links)
{
    if (++*links > MostLinks) {
        errno = ELOOP;
        return std::nullopt;
    }
    QByteArray target(PATH_MAX, Qt::Uninitialized);
    const ssize_t size = ::readlinkat(link, "", target.data(), size_t(target.size()));
    if (size < 0)
        return std::nullopt;
    target.truncate(size);
    return target;
}

// Opens the folder `path` names, relative to `base` (AT_FDCWD for the working
// folder), one name at a time: a plain open would follow any link on the
// way, and a user could steer a save by root through a link of theirs to a
// folder of root's.
QString openFolder(int base, const QByteArray &path, Descriptor *folder, int *links)
{
    Descriptor current(retryInterrupted([&] {
        return ::openat(base, path.startsWith('/') ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    }));
    if (current.get() < 0)
        return qt_error_string(errno);
    for (const QByteArray &name : path.split('/')) {
        if (name.isEmpty() || name == ".")
            continue;
        Descriptor next(::openat(current.get(), name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        struct stat status {};
        if (next.get() < 0 || ::fstat(next.get(), &status) != 0)
            return qt_error_string(errno);
        if (S_ISLNK(status.st_mode)) {
            if (!mayFollow(current.get(), status))
                return QLatin1StringView(ForeignLinkReason);
            const std::optional<QByteArray> target = linkTarget(next.get(), links);
            if (!target)
                return qt_error_string(errno);
            if (const QString reason = openFolder(current.get(), *target, &next, links); !reason.isEmpty())
                return reason;
        } else if (!S_ISDIR(status.st_mode)) {
            return qt_error_string(ENOTDIR);
        }
        current = std::move(next);
    }
    *folder = std::move(current);
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

// Opens the folder of `path` (relative to `base`); a name that is a folder
// itself is left for the caller to find.
QString openPlace(int base, const QByteArray &path, Place *place, int *links)
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
    Descriptor found;
    if (const QString reason = openFolder(base, folder, &found, links); !reason.isEmpty())
        return reason;
    // Opened for reading too where it may be, so that it can be synced; a
    // folder the saver may write in but not list still takes the save.
    place->folder.reset(
        retryInterrupted([&] { return ::openat(found.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC); }));
    place->canSync = place->folder.get() >= 0;
    if (!place->canSync)
        place->folder = std::move(found);
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

// Makes a new file without a name, which a save killed halfway cannot leave
// behind; -1 where the filesystem (a FAT card) or the system has none, or
// where it could not be given a name later.
int createUnnamed(const Place &place, mode_t mode, QByteArray *procName)
{
    Descriptor fd(::openat(place.folder.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
    if (fd.get() < 0)
        return -1;
    // It is named through /proc, which a chroot may lack.
    *procName = "/proc/self/fd/" + QByteArray::number(fd.get());
    struct stat made {}, seen {};
    if (::fstat(fd.get(), &made) != 0 || ::stat(procName->constData(), &seen) != 0 || made.st_ino != seen.st_ino
        || made.st_dev != seen.st_dev)
        return -1;
    return fd.release();
}

// The new name lasts a power cut only once its folder is synced too. The
// file is replaced by then, whatever the sync says.
void syncFolder(const Place &place)
{
    if (place.canSync)
        retryInterrupted([&] { return ::fsync(place.folder.get()); });
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Carries `image` onto the file open as `fd` through the steps, from its
// first byte, cut to the image's size.
bool writeFrom(int fd, const QByteArray &image, const SaveSteps &steps)
{
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return false;
    QFile file;
    return file.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle) && steps.write(file, image)
        && retryInterrupted([&] { return ::ftruncate(fd, image.size()); }) == 0 && steps.sync(file)
        && steps.close(file);
}

// The bytes a shared file may hold and still be put back after a failed
// rewrite; a larger file is no settings file.
constexpr off_t MostRestoredSize = 1 << 20;

// A shared file (a group's, in a folder of the group's) may be written by a
// saver who cannot give a new file its owner and group; it is rewritten in
// place, as careful editors do, so that it keeps them and its ACL. Its old
// bytes are kept, and put back when anything fails once the first new byte
// may be written: a file-size limit, a full card or a failed sync must not
// leave it half old, half new.
bool rewriteInPlace(int fd, bool readable, const struct stat &old, const QByteArray &image, const QString &shown,
    QString *errorString, const SaveSteps &steps)
{
    // Another name of it may be one a third user made, who could not write it.
    if (old.st_nlink > 1 && old.st_uid != geteuid()) {
        return cannotCreate(errorString, shown,
            QStringLiteral("It has other names (hard links), and a save rewrites another user's file only under "
                           "its one name."));
    }
    if (!readable)
        return cannotCreate(errorString, shown, qt_error_string(EACCES));
    // A limit below the old or the new size would stop a write, or the
    // writing back, halfway.
    struct rlimit limit {};
    const off_t largest = std::max<off_t>(old.st_size, ParameterDataSize);
    if (old.st_size > MostRestoredSize
        || (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY
            && rlim_t(largest) > limit.rlim_cur))
        return cannotCreate(errorString, shown, qt_error_string(EFBIG));
    QByteArray before(old.st_size, Qt::Uninitialized);
    for (qsizetype done = 0; done < before.size();) {
        const ssize_t got = retryInterrupted(
            [&] { return ::pread(fd, before.data() + done, size_t(before.size() - done), off_t(done)); });
        if (got <= 0)
            return cannotCreate(errorString, shown, qt_error_string(got < 0 ? errno : EIO));
        done += got;
    }
    // The room is asked for first when the file does not hold a whole image.
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, ParameterDataSize) != 0 && errno != EOPNOTSUPP && errno != ENOSYS)
        return streamError(errorString);
    if (writeFrom(fd, image, steps))
        return true;
    if (writeFrom(fd, before, steps))
        return streamError(errorString);
    return fail(errorString,
        QStringLiteral("Stream write error. The file could not be put back as it was and may be damaged."));
}

// The save on Linux: see WriteParameterFile.
bool writeThroughFolder(const QString &path, const QByteArray &image, QString *errorString, const SaveSteps &steps)
{
    Place place;
    int links = 0;
    const QString shown = shownPath(path);
    if (const QString reason = openPlace(AT_FDCWD, QFile::encodeName(path), &place, &links); !reason.isEmpty())
        return cannotCreate(errorString, shown, reason);

    // The final name may be a link: a link another user planted in a folder
    // of theirs would make the save (as root above all) replace whatever it
    // points to.
    Descriptor old;
    struct stat oldStatus {};
    for (;;) {
        old.reset(::openat(place.folder.get(), place.name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        if (old.get() < 0 && errno != ENOENT)
            return cannotCreate(errorString, shown, qt_error_string(errno));
        if (old.get() < 0)
            break;
        if (::fstat(old.get(), &oldStatus) != 0)
            return cannotCreate(errorString, shown, qt_error_string(errno));
        if (!S_ISLNK(oldStatus.st_mode))
            break;
        if (!mayFollow(place.folder.get(), oldStatus))
            return cannotCreate(errorString, shown, QLatin1StringView(ForeignLinkReason));
        const std::optional<QByteArray> target = linkTarget(old.get(), &links);
        if (!target)
            return cannotCreate(errorString, shown, qt_error_string(errno));
        Place next;
        if (const QString reason = openPlace(place.folder.get(), *target, &next, &links); !reason.isEmpty())
            return cannotCreate(errorString, shown, reason);
        place = std::move(next);
    }

    // A pipe or a device replaced by a file would break what uses it (as root,
    // even /dev/null), and a file without any write permission is meant to
    // stay as it is, whoever saves.
    Descriptor writable;
    bool readable = true;
    const bool exists = old.get() >= 0;
    if (exists) {
        if (!S_ISREG(oldStatus.st_mode))
            return cannotCreate(errorString, shown, notRegularReason(oldStatus.st_mode));
        if ((oldStatus.st_mode & 0222) == 0)
            return cannotCreate(errorString, shown, qt_error_string(EACCES));
        // Opening it for writing asks the system whether the saver may; for
        // reading too, to keep its bytes should a rewrite in place fail.
        const auto openOld = [&](int access) {
            return retryInterrupted([&] {
                return ::openat(place.folder.get(), place.name.constData(),
                    access | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
            });
        };
        writable.reset(openOld(O_RDWR));
        if (writable.get() < 0 && errno == EACCES) {
            readable = false;
            writable.reset(openOld(O_WRONLY));
        }
        struct stat opened {};
        if (writable.get() < 0 || ::fstat(writable.get(), &opened) != 0)
            return cannotCreate(errorString, shown, qt_error_string(errno));
        if (!sameFile(opened, oldStatus))
            return cannotCreate(errorString, shown, QLatin1StringView(ReplacedReason));
        oldStatus = opened;
    }
    if (steps.taken)
        steps.taken();

    // Its own steps have synced and closed a copy of the descriptor by the end.
    if (exists && geteuid() != 0 && (oldStatus.st_uid != geteuid() || !inGroup(oldStatus.st_gid)))
        return rewriteInPlace(writable.get(), readable, oldStatus, image, shown, errorString, steps);

    // Everyone else gets a new file, renamed over the old one when it is whole:
    // the old file stays as it was until then. It starts private when it
    // replaces a file, which keeps its permissions only once it has them.
    const mode_t mode = exists ? 0600 : 0666;
    QByteArray procName;
    QByteArray temporaryName;
    Descriptor made(createUnnamed(place, mode, &procName));
    const bool unnamed = made.get() >= 0;
    if (!unnamed)
        made.reset(createTemporary(place, mode, &temporaryName));
    if (made.get() < 0)
        return cannotCreate(errorString, shown, qt_error_string(errno));
    const auto discard = [&] {
        if (!temporaryName.isEmpty())
            ::unlinkat(place.folder.get(), temporaryName.constData(), 0);
    };
    if (exists) {
        if (const QString reason = giveAttributes(made.get(), writable.get(), oldStatus); !reason.isEmpty()) {
            discard();
            return cannotCreate(errorString, shown, reason);
        }
    }
    struct stat written {};
    if (!writeFrom(made.get(), image, steps) || ::fstat(made.get(), &written) != 0) {
        discard();
        return streamError(errorString);
    }
    // Named only once it is whole, beside the final name.
    for (int attempt = 0; unnamed && temporaryName.isEmpty() && attempt < 100; ++attempt) {
        const QByteArray name
            = place.name.left(200) + '.' + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        if (::linkat(AT_FDCWD, procName.constData(), place.folder.get(), name.constData(), AT_SYMLINK_FOLLOW) == 0)
            temporaryName = name;
        else if (errno != EEXIST)
            return cannotCreate(errorString, shown, qt_error_string(errno));
    }
    if (temporaryName.isEmpty())
        return cannotCreate(errorString, shown, qt_error_string(EEXIST));
    if (steps.renaming)
        steps.renaming();
    if (::renameat(place.folder.get(), temporaryName.constData(), place.folder.get(), place.name.constData()) != 0) {
        const int error = errno;
        discard();
        return cannotCreate(errorString, shown, qt_error_string(error));
    }
    syncFolder(place);
    // Another user who may write in the folder could have put something of
    // theirs under the temporary name, and the rename would have moved that
    // into place. The new file is still open here, so its number cannot have
    // gone to what took its name.
    struct stat placed {};
    if (::fstatat(place.folder.get(), place.name.constData(), &placed, AT_SYMLINK_NOFOLLOW) != 0
        || !sameFile(placed, written))
        return cannotCreate(errorString, shown, QLatin1StringView(ReplacedReason));
    return true;
}

} // namespace

namespace ParameterFilePrivate {

bool writeFile(const QString &path, const QByteArray &image, QString *errorString, const SaveSteps &steps)
{
    return writeThroughFolder(path, image, errorString, steps);
}

bool syncToStorage(QFileDevice &file)
{
    return retryInterrupted([&] { return ::fsync(file.handle()); }) == 0;
}

bool closeCleanly(QFileDevice &file)
{
    // Every close, a duplicate's too, runs the filesystem's own check (NFS
    // writes back there); after an interruption the descriptor is gone anyway.
    const int copy = ::dup(file.handle());
    return copy >= 0 && (::close(copy) == 0 || errno == EINTR);
}

bool openRegularFile(QFile &file, const QString &path, QString *errorString)
{
    // Opening a pipe without a writer waits for one, and a device may never
    // answer; without waiting, the open descriptor then tells what it is.
    Descriptor fd(retryInterrupted(
        [&] { return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC); }));
    if (fd.get() < 0)
        return cannotOpen(errorString, path, qt_error_string(errno));
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0)
        return cannotOpen(errorString, path, qt_error_string(errno));
    if (!S_ISREG(status.st_mode))
        return cannotOpen(errorString, path, notRegularReason(status.st_mode));
    if (!file.open(fd.get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return cannotOpen(errorString, path, file.errorString());
    fd.release();
    return true;
}

} // namespace ParameterFilePrivate

bool IsSameFile(const QFile &input, const QString &outputPath)
{
    struct stat in {};
    struct stat out {};
    return ::fstat(input.handle(), &in) == 0
        && (outputPath.isEmpty() ? ::fstat(STDOUT_FILENO, &out)
                                 : ::stat(QFile::encodeName(outputPath).constData(), &out))
        == 0
        && S_ISREG(in.st_mode) && sameFile(in, out);
}

bool IsFaithfulArgument(const QString &argument, int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (QFile::decodeName(argv[i]) == argument && !IsFaithfulFileName(argv[i]))
            return false;
    }
    return true;
}

bool IsFaithfulChosenName(const QString &name)
{
    return !name.contains(QChar::ReplacementCharacter);
}
