// The places the file dialogs offer beside the folder they open in.

#include "app/dialogplaces.h"
#include "fixtures.h"

#include <QtTest>

#include <optional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(VolumeDescription)

class TestDialogPlaces : public QObject
{
    Q_OBJECT

private slots:
    void sidebar_data();
    void sidebar();
    void pipeForSettings_data();
    void pipeForSettings();
};

void TestDialogPlaces::sidebar_data()
{
    QTest::addColumn<VolumeDescription>("volume");
    QTest::addColumn<bool>("listed");

    const auto volume = [](const QString &root) { return VolumeDescription { root, true, true, false, false }; };
    VolumeDescription readOnly = volume(u"/media/anna/CDROM"_s);
    readOnly.readOnly = true;
    VolumeDescription notReady = volume(u"/media/anna/READER"_s);
    notReady.ready = false;
    VolumeDescription invalid = volume(u"/media/anna/GONE"_s);
    invalid.valid = false;
    VolumeDescription systemRoot = volume(u"/"_s);
    systemRoot.systemRoot = true;

#if defined(Q_OS_WIN)
    QTest::newRow("a card") << volume(u"E:/"_s) << true;
    systemRoot.rootPath = u"C:/"_s;
    readOnly.rootPath = u"D:/"_s;
    notReady.rootPath = u"F:/"_s;
    invalid.rootPath = u"G:/"_s;
#elif defined(Q_OS_MACOS)
    QTest::newRow("a card") << volume(u"/Volumes/CAMERA"_s) << true;
    QTest::newRow("a system volume") << volume(u"/System/Volumes/Data"_s) << false;
#else
    QTest::newRow("a card under /media") << volume(u"/media/anna/CAMERA"_s) << true;
    QTest::newRow("a card under /run/media") << volume(u"/run/media/anna/3732-6431"_s) << true;
    QTest::newRow("the boot partition") << volume(u"/boot/efi"_s) << false;
    QTest::newRow("a mount beside /media") << volume(u"/mediadata"_s) << false;
    QTest::newRow("a temporary file system") << volume(u"/run/user/1000"_s) << false;
#endif
    QTest::newRow("read-only") << readOnly << false;
    QTest::newRow("not ready") << notReady << false;
    QTest::newRow("no longer valid") << invalid << false;
    QTest::newRow("the system's own") << systemRoot << false;
}

// The computer and the home folder always, then each card that can take a
// file, among volumes that are not cards.
void TestDialogPlaces::sidebar()
{
    QFETCH(VolumeDescription, volume);
    QFETCH(bool, listed);
    const QString home = QDir::homePath();
#ifdef Q_OS_WIN
    const VolumeDescription other { u"C:/"_s, true, true, false, true };
#else
    const VolumeDescription other { u"/srv"_s, true, true, false, false };
#endif

    QList<QUrl> expected { QUrl(u"file:"_s), QUrl::fromLocalFile(home) };
    if (listed)
        expected << QUrl::fromLocalFile(volume.rootPath);
    QCOMPARE(DialogSidebar(home, { other, volume, other }), expected);
}

void TestDialogPlaces::pipeForSettings_data()
{
    QTest::addColumn<QString>("name"); // in the settings folder
    QTest::addColumn<qint64>("size"); // of a sparse file there; -1: a pipe
    QTest::newRow("the application's file") << u"trailcam-tests/dialogplaces.ini"_s << qint64(-1);
    QTest::newRow("the organisation's file") << u"trailcam-tests.ini"_s << qint64(-1);
    QTest::newRow("the application's file, 64 KiB and 1 byte") << u"trailcam-tests/dialogplaces.ini"_s << qint64(65537);
    QTest::newRow("the organisation's file, 1 GiB") << u"trailcam-tests.ini"_s << (qint64(1) << 30);
}

// A pipe where the settings are kept would hold the window, a huge file would
// freeze it: no remembered folder, and the file is left as it is.
void TestDialogPlaces::pipeForSettings()
{
#ifndef Q_OS_UNIX
    QSKIP("Windows keeps the settings in the registry, where no pipe can stand");
#else
    QFETCH(QString, name);
    QFETCH(qint64, size);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QCoreApplication::setOrganizationName(u"trailcam-tests"_s);
    QCoreApplication::setApplicationName(u"dialogplaces"_s);
    StoreDialogFolder(u"/kept"_s);
    QCOMPARE(StoredDialogFolder(), u"/kept"_s);
    QFile file(settings.filePath(name));
    std::optional<fixtures::Pipe> pipe;
    if (size < 0) {
        QVERIFY(QDir(settings.path()).removeRecursively() && QDir().mkpath(settings.filePath(u"trailcam-tests"_s)));
        pipe.emplace(file.fileName());
        QVERIFY(pipe->made());
    } else {
        QVERIFY(file.open(QIODevice::ReadWrite) && file.resize(size));
    }
    StoreDialogFolder(u"/other"_s);
    QCOMPARE(StoredDialogFolder(), QString());
    if (size >= 0)
        QCOMPARE(QFileInfo(file.fileName()).size(), size);
#endif
}

QTEST_GUILESS_MAIN(TestDialogPlaces)
#include "tst_dialogplaces.moc"
