#include "fixtures.h"
#include "settings/devicenames.h"
#include "settings/parameterdata.h"
#include "settings/parameterfile.h"
#include "settings/parameterfile_p.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#ifdef Q_OS_WIN
#include <windows.h>
#endif
#ifdef Q_OS_UNIX
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <csignal>
#endif

using namespace Qt::StringLiterals;
using fixtures::ShownPath;

class TestParameterFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void writeCreatesTheFile();
    void writeReplacesALongerFile();
    void writeRefusesAnImageOfTheWrongSize();
    void writeToMissingFolder();
    void writeToAFolderPath();
    void writeToReadOnlyFolder();
    void writeOverReadOnlyFile_data();
    void writeOverReadOnlyFile();
    void writeOverNonRegular_data();
    void writeOverNonRegular();
    void writeKeepsOwnerAndMode_data();
    void writeKeepsOwnerAndMode();
    void writeThroughLinks_data();
    void writeThroughLinks();
    void writeFailsLate_data();
    void writeFailsLate();
    void writeKilledLeavesNothing();
    void writeOnFullDiskKeepsTheOldFile();
    void writeOnFullDiskCreatesNothing();

    void readSizes_data();
    void readSizes();
    void readMissingFile();
    void readFolder();
    void readNonRegular_data();
    void readNonRegular();

    void windowsNames_data();
    void windowsNames();

private:
    QString filePath(const QString &name) const { return m_dir->filePath(name); }
    // Mounts a tmpfs with `options` on `dir`, unmounted again in cleanup(); false where that is impossible.
    bool mountTmpfs(const QString &dir, const QString &options);

    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_mounts;
};

namespace {

QByteArray imageOf(char fill)
{
    return QByteArray(ParameterDataSize, fill);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QCOMPARE(file.write(bytes), bytes.size());
}

#ifdef Q_OS_UNIX
// The file's access ACL as the system stores it, empty when it has none.
QByteArray aclOf(const QString &path)
{
    QByteArray acl(1024, '\0');
    const ssize_t size = getxattr(QFile::encodeName(path).constData(), "system.posix_acl_access", acl.data(), 1024);
    return size > 0 ? acl.left(size) : QByteArray();
}
#endif

// The system's own words for a name that leads nowhere.
QString noSuchFile(bool folder)
{
#ifdef Q_OS_WIN
    return qt_error_string(folder ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND);
#else
    Q_UNUSED(folder);
    return qt_error_string(ENOENT);
#endif
}

// The refusal to create a file names it in full and gives the system's reason, once.
void verifyCannotCreate(const QString &error, const QString &path, const QString &reason)
{
    QCOMPARE(error, u"Cannot create file \"%1\". %2"_s.arg(ShownPath(path), reason));
}

} // namespace

void TestParameterFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestParameterFile::cleanup()
{
    while (!m_mounts.isEmpty()) {
        const QString mount = m_mounts.takeLast();
        if (QProcess::execute(u"umount"_s, { mount }) != 0)
            QProcess::execute(u"umount"_s, { u"-l"_s, mount });
    }
    m_dir.reset();
}

bool TestParameterFile::mountTmpfs(const QString &dir, const QString &options)
{
#ifdef Q_OS_UNIX
    if (geteuid() != 0)
        return false;
#else
    return false;
#endif
    if (!QDir().mkpath(dir))
        return false;
    QProcess mount;
    mount.start(u"mount"_s, { u"-t"_s, u"tmpfs"_s, u"-o"_s, options, u"tmpfs"_s, dir });
    if (!mount.waitForFinished() || mount.exitStatus() != QProcess::NormalExit || mount.exitCode() != 0)
        return false;
    m_mounts << dir;
    return true;
}

void TestParameterFile::writeCreatesTheFile()
{
    const QString path = filePath(u"Parameter.dat"_s);
    QString error;
    QVERIFY2(WriteParameterFile(path, imageOf('\x5a'), &error), qPrintable(error));
    QCOMPARE(contents(path), imageOf('\x5a'));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList { u"Parameter.dat"_s });
}

void TestParameterFile::writeReplacesALongerFile()
{
    const QString path = filePath(u"Parameter.dat"_s);
    writeFile(path, QByteArray(5000, 'x'));
    QString error;
    QVERIFY2(WriteParameterFile(path, imageOf('\x01'), &error), qPrintable(error));
    QCOMPARE(contents(path), imageOf('\x01'));
}

void TestParameterFile::writeRefusesAnImageOfTheWrongSize()
{
    const QString path = filePath(u"Parameter.dat"_s);
    writeFile(path, imageOf('g'));
    QString error;
    QVERIFY(!WriteParameterFile(path, QByteArray(100, 'x'), &error));
    QVERIFY2(error.contains(ShownPath(path)), qPrintable(error));
    QCOMPARE(contents(path), imageOf('g'));
}

void TestParameterFile::writeToMissingFolder()
{
    const QString path = filePath(u"missing/Parameter.dat"_s);
    QString error;
    QVERIFY(!WriteParameterFile(path, imageOf('a'), &error));
    verifyCannotCreate(error, path, noSuchFile(true));
    QVERIFY(!QFileInfo::exists(path));
}

void TestParameterFile::writeToAFolderPath()
{
    const QString path = filePath(u"Parameter.dat"_s);
    QVERIFY(QDir().mkpath(path));
    QString error;
    QVERIFY(!WriteParameterFile(path, imageOf('a'), &error));
    verifyCannotCreate(error, path, u"It is a folder, not a regular file."_s);
    QVERIFY(QFileInfo(path).isDir());
}

void TestParameterFile::writeToReadOnlyFolder()
{
#ifndef Q_OS_UNIX
    QSKIP("a read-only folder is made with Unix permissions or mounts");
#else
    const QString dir = filePath(u"readonly"_s);
    const QString path = dir + u"/Parameter.dat"_s;
    if (geteuid() == 0) {
        // Root writes through permissions: make the filesystem itself read-only.
        if (!mountTmpfs(dir, u"size=64k"_s))
            QSKIP("cannot mount a tmpfs here");
        writeFile(path, imageOf('o'));
        if (QProcess::execute(u"mount"_s, { u"-o"_s, u"remount,ro"_s, dir }) != 0)
            QSKIP("cannot remount the tmpfs read-only");
    } else {
        QVERIFY(QDir().mkpath(dir));
        writeFile(path, imageOf('o'));
        QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner));
    }

    QString error;
    QVERIFY(!WriteParameterFile(path, imageOf('n'), &error));
    verifyCannotCreate(error, path, geteuid() == 0 ? u"Read-only file system"_s : u"Permission denied"_s);
    QCOMPARE(contents(path), imageOf('o'));

    if (geteuid() != 0)
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
#endif
}

void TestParameterFile::writeOverReadOnlyFile_data()
{
    QTest::addColumn<uint>("mode");
    QTest::newRow("read-only") << 0444u;
    QTest::newRow("owner may read") << 0400u;
    QTest::newRow("no access") << 0000u;
}

// Even root leaves a file alone that no one may write.
void TestParameterFile::writeOverReadOnlyFile()
{
#ifndef Q_OS_UNIX
    QSKIP("the modes are Unix ones");
#else
    QFETCH(uint, mode);
    const QString path = filePath(u"Parameter.dat"_s);
    writeFile(path, imageOf('o'));
    QCOMPARE(chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
    QString error;
    QVERIFY(!WriteParameterFile(path, imageOf('n'), &error));
    verifyCannotCreate(error, path, u"Permission denied"_s);
    QCOMPARE(contents(path), imageOf('o'));
#endif
}

void TestParameterFile::writeOverNonRegular_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("pipe") << u"pipe"_s << u"It is a pipe, not a regular file."_s;
    QTest::newRow("link to a pipe") << u"link"_s << u"It is a pipe, not a regular file."_s;
    QTest::newRow("file in place of a folder") << u"plain/Parameter.dat"_s << u"Not a directory"_s;
}

// Whatever the name stands for stays what it was.
void TestParameterFile::writeOverNonRegular()
{
#ifndef Q_OS_UNIX
    QSKIP("pipes and devices are made the Unix way");
#else
    QFETCH(QString, name);
    QFETCH(QString, reason);
    const QString pipe = filePath(u"pipe"_s);
    QVERIFY(fixtures::Pipe(pipe).made());
    QVERIFY(QFile::link(pipe, filePath(u"link"_s)));
    writeFile(filePath(u"plain"_s), "plain");

    const QString path = filePath(name);
    QString error;
    QVERIFY(!WriteParameterFile(path, imageOf('n'), &error));
    verifyCannotCreate(error, path, reason);
    struct stat status;
    QCOMPARE(stat(QFile::encodeName(pipe).constData(), &status), 0);
    QVERIFY(S_ISFIFO(status.st_mode));
    QCOMPARE(contents(filePath(u"plain"_s)), QByteArray("plain"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
        (QStringList { u"link"_s, u"pipe"_s, u"plain"_s }));
#endif
}

void TestParameterFile::writeKeepsOwnerAndMode_data()
{
    QTest::addColumn<uint>("mode");
    QTest::addColumn<bool>("otherOwner"); // owned by nobody:nogroup
    QTest::addColumn<QString>("acl"); // for setfacl -m
    QTest::addColumn<QByteArray>("attribute"); // an extended attribute set to "kept"
    QTest::newRow("setgid") << 02640u << false << QString() << QByteArray();
    QTest::newRow("sticky") << 01604u << false << QString() << QByteArray();
    QTest::newRow("write only, saved by root") << 0200u << false << QString() << QByteArray();
    QTest::newRow("another user's, saved by root") << 0640u << true << QString() << QByteArray();
    QTest::newRow("ACL for a named user") << 0660u << false << u"u:nobody:rw,g::-,m::rw"_s << QByteArray();
    QTest::newRow("user attribute") << 0644u << false << QString() << "user.origin"_ba;
}

void TestParameterFile::writeKeepsOwnerAndMode()
{
#ifndef Q_OS_UNIX
    QSKIP("owners, modes and ACLs are Unix ones");
#else
    QFETCH(uint, mode);
    QFETCH(bool, otherOwner);
    QFETCH(QString, acl);
    QFETCH(QByteArray, attribute);
    const bool root = geteuid() == 0;
    if ((mode & 0200) == 0 && !root)
        QSKIP("only root saves over a file without write permission");
    const QString path = filePath(u"Parameter.dat"_s);
    const QByteArray name = QFile::encodeName(path);
    writeFile(path, imageOf('o'));
    if (otherOwner) {
        const passwd *user = getpwnam("nobody");
        const group *users = getgrnam("nogroup");
        if (!root || !user || !users)
            QSKIP("needs root and the user nobody:nogroup");
        QCOMPARE(chown(name.constData(), user->pw_uid, users->gr_gid), 0);
    }
    QCOMPARE(chmod(name.constData(), mode_t(mode)), 0);
    if (!acl.isEmpty() && QProcess::execute(u"setfacl"_s, { u"-m"_s, acl, path }) != 0)
        QSKIP("no setfacl, or no ACLs on this filesystem");
    if (!attribute.isEmpty() && setxattr(name.constData(), attribute.constData(), "kept", 4, 0) != 0)
        QSKIP("no user attributes on this filesystem");
    struct stat before;
    QCOMPARE(stat(name.constData(), &before), 0);
    const QByteArray aclBefore = aclOf(path);

    QString error;
    QVERIFY2(WriteParameterFile(path, imageOf('n'), &error), qPrintable(error));
    QCOMPARE(contents(path), imageOf('n'));
    struct stat after;
    QCOMPARE(stat(name.constData(), &after), 0);
    QCOMPARE(uint(after.st_mode & 07777), mode);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(aclOf(path), aclBefore);
    QCOMPARE(aclBefore.isEmpty(), acl.isEmpty());
    char kept[8] = {};
    QVERIFY(attribute.isEmpty() || getxattr(name.constData(), attribute.constData(), kept, 8) == 4);
    QCOMPARE(QByteArray(kept), attribute.isEmpty() ? QByteArray() : "kept"_ba);
#endif
}

void TestParameterFile::writeThroughLinks_data()
{
    QTest::addColumn<bool>("linkOfNobody"); // else the saver's
    QTest::addColumn<bool>("dangling"); // to victim/new rather than victim/secret
    QTest::addColumn<int>("planted"); // 0 before the save; 1 once it took the folder, over a file of nobody's;
                                      // 2 over its new file's temporary name
    QTest::addColumn<bool>("folderOfNobody"); // the folder holding the link
    QTest::addColumn<bool>("hardLinked"); // the link has a second name
    QTest::addColumn<bool>("inPath"); // pub/card -> victim, saving to pub/card/Parameter.dat
    QTest::addColumn<bool>("followed");
    QTest::newRow("another user's link") << true << false << 0 << false << false << false << false;
    QTest::newRow("another user's dangling link") << true << true << 0 << false << false << false << false;
    QTest::newRow("the saver's link") << false << false << 0 << false << false << false << true;
    QTest::newRow("file swapped for a link") << true << false << 1 << false << false << false << false;
    QTest::newRow("dangling link where no file was") << true << true << 1 << false << false << false << false;
    QTest::newRow("the saver's link in another user's folder")
        << false << false << 0 << true << false << false << false;
    QTest::newRow("a second name of the saver's link") << false << false << 0 << false << true << false << false;
    QTest::newRow("link renamed over the new file") << false << false << 2 << false << false << false << false;
    QTest::newRow("another user's link to a folder") << true << false << 0 << true << false << true << false;
    QTest::newRow("the saver's link to a folder in another user's folder")
        << false << false << 0 << true << false << true << false;
    QTest::newRow("the saver's link to a folder") << false << false << 0 << false << false << true << true;
}

// A user who owns the folder of the target can plant links, before or during
// a save, and must not steer the save to a file of someone else's.
void TestParameterFile::writeThroughLinks()
{
#ifndef Q_OS_UNIX
    QSKIP("links and their owners are Unix ones");
#else
    QFETCH(bool, linkOfNobody);
    QFETCH(bool, dangling);
    QFETCH(int, planted);
    QFETCH(bool, folderOfNobody);
    QFETCH(bool, hardLinked);
    QFETCH(bool, inPath);
    QFETCH(bool, followed);
    const passwd *nobody = getpwnam("nobody");
    if ((linkOfNobody || folderOfNobody) && (geteuid() != 0 || !nobody))
        QSKIP("needs root and the user nobody");
    const bool duringSave = planted == 1;
    const uid_t linkOwner = linkOfNobody ? nobody->pw_uid : geteuid();
    QVERIFY(QDir().mkpath(filePath(u"victim"_s)) && QDir().mkpath(filePath(u"pub"_s)));
    if (folderOfNobody)
        QCOMPARE(chown(QFile::encodeName(filePath(u"pub"_s)).constData(), nobody->pw_uid, gid_t(-1)), 0);
    const QString secret = filePath(inPath ? u"victim/Parameter.dat"_s : u"victim/secret"_s);
    writeFile(secret, imageOf('s'));
    QCOMPARE(chmod(QFile::encodeName(secret).constData(), 0600), 0);
    const QString target = inPath ? filePath(u"victim"_s) : filePath(dangling ? u"victim/new"_s : u"victim/secret"_s);
    const QString path = filePath(inPath ? u"pub/card/Parameter.dat"_s : u"pub/Parameter.dat"_s);
    const QString linkPath = inPath ? filePath(u"pub/card"_s) : path;
    const QByteArray name = QFile::encodeName(linkPath);
    int plantings = 0;
    const auto plantAt = [&](const QString &at) {
        ++plantings;
        const QByteArray atName = QFile::encodeName(at);
        const QByteArray first = atName + ".first";
        unlink(atName.constData());
        QVERIFY(QFile::link(target, hardLinked ? QFile::decodeName(first) : at));
        QVERIFY(!hardLinked || link(first.constData(), atName.constData()) == 0);
        QCOMPARE(lchown(atName.constData(), linkOwner, gid_t(-1)), 0);
    };
    SaveSteps steps = SystemSaveSteps();
    if (planted == 1) {
        if (!dangling) {
            writeFile(path, imageOf('o'));
            QVERIFY(chown(name.constData(), linkOwner, gid_t(-1)) == 0 && chmod(name.constData(), 0666) == 0);
        }
        steps.taken = [&] { plantAt(path); };
    } else if (planted == 2) {
        steps.renaming = [&] {
            const QStringList made = QDir(filePath(u"pub"_s)).entryList({ u"Parameter.dat.*"_s }, QDir::Files);
            QCOMPARE(made.size(), 1);
            plantAt(filePath(u"pub/"_s + made.first()));
        };
    } else {
        plantAt(linkPath);
    }

    QString error;
    QCOMPARE(WriteParameterFile(path, imageOf('n'), &error, steps), duringSave || followed);
    QCOMPARE(plantings, 1);
    struct stat status;
    QCOMPARE(stat(QFile::encodeName(secret).constData(), &status), 0);
    QCOMPARE(uint(status.st_mode & 07777), 0600u);
    QCOMPARE(status.st_uid, geteuid());
    QCOMPARE(contents(secret), imageOf(followed ? 'n' : 's'));
    QVERIFY(!QFileInfo::exists(filePath(u"victim/new"_s)));
    if (planted == 2)
        verifyCannotCreate(error, path, u"It was replaced during the save."_s);
    else if (!duringSave && !followed)
        verifyCannotCreate(error, path, u"It is a symbolic link of another user, which a save does not follow."_s);
    // A link planted during the save is replaced, with what the file it took had.
    QCOMPARE(lstat(name.constData(), &status), 0);
    QCOMPARE(S_ISLNK(status.st_mode), !duringSave);
    if (duringSave) {
        QCOMPARE(contents(path), imageOf('n'));
        QCOMPARE(status.st_uid, dangling ? geteuid() : linkOwner);
    }
#endif
}

void TestParameterFile::writeFailsLate_data()
{
    QTest::addColumn<int>("failing"); // the step that fails: 0 write, 1 sync, 2 close
    QTest::addColumn<int>("failures"); // how often it fails
    QTest::addColumn<bool>("shared"); // root's file of the group nogroup, rewritten in place by nobody
    QTest::addColumn<QString>("message");
    const QString kept = u"Stream write error"_s;
    QTest::newRow("write stops short") << 0 << 1 << false << kept;
    QTest::newRow("sync fails") << 1 << 1 << false << kept;
    QTest::newRow("close fails") << 2 << 1 << false << kept;
    QTest::newRow("in place, write stops short") << 0 << 1 << true << kept;
    QTest::newRow("in place, sync fails") << 1 << 1 << true << kept;
    QTest::newRow("in place, close fails") << 2 << 1 << true << kept;
    QTest::newRow("in place, sync fails when putting it back")
        << 1 << 2 << true << u"Stream write error. The file could not be put back as it was and may be damaged."_s;
}

// A card may take the bytes and report its failure only at the sync or the
// close; the old file must survive that, with nothing left beside it.
void TestParameterFile::writeFailsLate()
{
    QFETCH(int, failing);
    QFETCH(int, failures);
    QFETCH(bool, shared);
    QFETCH(QString, message);
    const QString path = filePath(u"Parameter.dat"_s);
    const QByteArray old = QByteArray(ParameterDataSize, 'o') + "and more";
    writeFile(path, old);
#ifdef Q_OS_UNIX
    const passwd *nobody = getpwnam("nobody");
    const group *nogroup = getgrnam("nogroup");
    if (shared && (geteuid() != 0 || !nobody || !nogroup))
        QSKIP("needs root and the user nobody:nogroup");
    if (shared) {
        QVERIFY(chown(QFile::encodeName(path).constData(), 0, nogroup->gr_gid) == 0
            && chmod(QFile::encodeName(path).constData(), 0664) == 0
            && chmod(QFile::encodeName(m_dir->path()).constData(), 0755) == 0);
    }
#else
    if (shared)
        QSKIP("shared files are rewritten in place on Linux only");
#endif

    SaveSteps steps = SystemSaveSteps();
    if (failing == 0) {
        steps.write = [&failures, real = steps.write](QFileDevice &file, const QByteArray &image) {
            if (failures-- <= 0)
                return real(file, image);
            file.write(image.left(1000));
            file.flush();
            return false;
        };
    } else {
        auto &step = failing == 1 ? steps.sync : steps.close;
        step = [&failures, real = step](QFileDevice &file) { return real(file) && failures-- <= 0; };
    }
    QString error;
#ifdef Q_OS_UNIX
    // As nobody only for the save: a failed check must not leave the test as nobody.
    if (shared)
        QVERIFY(setegid(nogroup->gr_gid) == 0 && seteuid(nobody->pw_uid) == 0);
#endif
    const bool saved = WriteParameterFile(path, imageOf('n'), &error, steps);
#ifdef Q_OS_UNIX
    if (shared)
        QVERIFY(seteuid(0) == 0 && setegid(0) == 0);
#endif
    QVERIFY(!saved);
    QCOMPARE(error, message);
    QCOMPARE(contents(path), old);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
        QStringList { u"Parameter.dat"_s });
}

// A save killed halfway (a pulled plug, a logout) leaves no half file behind.
void TestParameterFile::writeKilledLeavesNothing()
{
#ifndef Q_OS_LINUX
    QSKIP("files without a name until they are whole are Linux ones");
#else
    const QString path = filePath(u"Parameter.dat"_s);
    writeFile(path, imageOf('o'));
    const pid_t child = fork();
    if (child == 0) {
        SaveSteps steps = SystemSaveSteps();
        steps.write = [](QFileDevice &file, const QByteArray &image) {
            file.write(image.left(1000));
            file.flush();
            raise(SIGKILL);
            return false;
        };
        WriteParameterFile(path, imageOf('n'), nullptr, steps);
        _exit(0);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status));
    QCOMPARE(contents(path), imageOf('o'));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList { u"Parameter.dat"_s });
#endif
}

void TestParameterFile::writeOnFullDiskKeepsTheOldFile()
{
    const QString dir = filePath(u"small"_s);
    if (!mountTmpfs(dir, u"size=64k"_s))
        QSKIP("needs root and a mountable tmpfs");
    const QString path = dir + u"/Parameter.dat"_s;
    QString error;
    QVERIFY2(WriteParameterFile(path, imageOf('o'), &error), qPrintable(error));

    // Fill every last byte.
    QFile filler(dir + u"/filler"_s);
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) { }
    while (filler.write("f", 1) == 1) { }
    filler.close();

    QVERIFY(!WriteParameterFile(path, imageOf('n'), &error));
    QCOMPARE(error, u"Stream write error"_s);
    QCOMPARE(contents(path), imageOf('o'));
    QCOMPARE(
        QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name), (QStringList { u"Parameter.dat"_s, u"filler"_s }));
}

void TestParameterFile::writeOnFullDiskCreatesNothing()
{
    const QString dir = filePath(u"small"_s);
    if (!mountTmpfs(dir, u"size=16k"_s))
        QSKIP("needs root and a mountable tmpfs");
    QFile filler(dir + u"/filler"_s);
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write("f", 1) == 1) { }
    filler.close();

    const QString path = dir + u"/Parameter.dat"_s;
    QString error;
    QVERIFY(!WriteParameterFile(path, imageOf('n'), &error));
    QVERIFY2(error == u"Stream write error"_s || error.startsWith(u"Cannot create file"_s), qPrintable(error));
    QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList { u"filler"_s });
}

void TestParameterFile::readSizes_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("sizeText");
    QTest::newRow("empty") << 0 << false << u"0 bytes"_s;
    QTest::newRow("one byte") << 1 << false << u"1 byte"_s;
    QTest::newRow("100") << 100 << false << u"100 bytes"_s;
    QTest::newRow("one short") << 2127 << false << u"2127 bytes"_s;
    QTest::newRow("exact") << 2128 << true << QString();
    QTest::newRow("longer") << 5000 << true << QString();
}

void TestParameterFile::readSizes()
{
    QFETCH(int, size);
    QFETCH(bool, accepted);
    QFETCH(QString, sizeText);

    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 7);
    const QString path = filePath(u"Parameter.dat"_s);
    writeFile(path, bytes);

    QString error;
    const std::optional<QByteArray> image = ReadParameterFile(path, &error);
    QCOMPARE(image.has_value(), accepted);
    if (accepted) {
        QCOMPARE(*image, bytes.left(ParameterDataSize));
    } else {
        QCOMPARE(error,
            u"\"%1\" is not a settings file: it holds %2, a settings file holds 2128."_s.arg(
                ShownPath(path), sizeText));
    }
}

void TestParameterFile::readMissingFile()
{
    const QString path = filePath(u"nothing.dat"_s);
    QString error;
    QVERIFY(!ReadParameterFile(path, &error));
    QVERIFY2(error.startsWith(u"Cannot open file \"%1\". "_s.arg(ShownPath(path))), qPrintable(error));
    QVERIFY2(error.endsWith(noSuchFile(false)), qPrintable(error));
}

void TestParameterFile::readFolder()
{
    QString error;
    QVERIFY(!ReadParameterFile(m_dir->path(), &error));
    QVERIFY2(error.startsWith(u"Cannot open file \"%1\". "_s.arg(ShownPath(m_dir->path()))), qPrintable(error));
}

void TestParameterFile::readNonRegular_data()
{
    QTest::addColumn<QString>("name"); // in the test folder, or an absolute path
    QTest::addColumn<QString>("reason");
    QTest::newRow("pipe with an image waiting") << u"pipe"_s << u"It is a pipe, not a regular file."_s;
    QTest::newRow("link to that pipe") << u"link"_s << u"It is a pipe, not a regular file."_s;
    QTest::newRow("device") << u"/dev/zero"_s << u"It is a device, not a regular file."_s;
}

// What is not a regular file may never deliver, so it is refused even when
// it would: a pipe whose writer offers a whole image, endless zeros.
void TestParameterFile::readNonRegular()
{
#ifndef Q_OS_UNIX
    QSKIP("pipes and devices are made the Unix way");
#else
    QFETCH(QString, name);
    QFETCH(QString, reason);
    const QString pipe = filePath(u"pipe"_s);
    const fixtures::Pipe offer(pipe, imageOf('p'));
    QVERIFY(offer.made());
    QVERIFY(QFile::link(pipe, filePath(u"link"_s)));

    const QString path = QDir::isAbsolutePath(name) ? name : filePath(name);
    QString error;
    QVERIFY(!ReadParameterFile(path, &error));
    QCOMPARE(error, u"Cannot open file \"%1\". %2"_s.arg(ShownPath(path), reason));
#endif
}

void TestParameterFile::windowsNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("device");
    for (const QString &name : { u"NUL"_s, u"nul.dat"_s, u"COM1"_s, u"lpt9.txt"_s, u"CON .dat"_s, u"C:aux"_s,
             u"Card/PRN.tar.gz"_s, u"COM\u00b9"_s, u"CONIN$"_s, u"COM0"_s, u"lpt0.txt"_s, u"CON:"_s, u"nul :"_s,
             u"COM1:"_s, u"Card/lpt\u00b2:.dat"_s })
        QTest::newRow(qPrintable(name)) << name << true;
    for (const QString &name : { u"NULL.dat"_s, u"COM10"_s, u"COM\u2074"_s, u"console.dat"_s, u"Parameter.dat"_s,
             u"\u041f\u0430\u0440\u0430\u043c\u0435\u0442\u0440 \u8a2d\u5b9a \U0001f4f7.dat"_s })
        QTest::newRow(qPrintable(name)) << name << false;
    // Past Windows' old limit of 260 characters for a whole path.
    QTest::newRow("a long path") << QString(120, u'a') + u'/' + QString(120, u'b') + u"/Parameter.dat"_s << false;
}

// Windows takes these names for devices in any folder: reading one could
// wait forever and saving one would send the image to the device. Any other
// name Windows allows saves and reads back.
void TestParameterFile::windowsNames()
{
    QFETCH(QString, name);
    QFETCH(bool, device);
    QCOMPARE(IsWindowsDeviceName(name), device);
    QString error;
    if (device) {
#ifdef Q_OS_WIN
        QVERIFY(!ReadParameterFile(name, &error));
        QCOMPARE(error, u"Cannot open file \"%1\". It is a device, not a regular file."_s.arg(ShownPath(name)));
        QVERIFY(!WriteParameterFile(name, imageOf('d'), &error));
        verifyCannotCreate(error, name, u"It is a device, not a regular file."_s);
#endif
        return;
    }
    const QString path = filePath(name);
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QVERIFY2(WriteParameterFile(path, imageOf('n'), &error), qPrintable(error));
    QCOMPARE(ReadParameterFile(path, &error).value_or(QByteArray()), imageOf('n'));
}

QTEST_GUILESS_MAIN(TestParameterFile)
#include "tst_parameterfile.moc"
