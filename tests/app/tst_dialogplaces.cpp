// The places the file dialogs offer beside the folder they open in.

#include "app/dialogplaces.h"
#include "fixtures.h"

#include <QtTest>

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
    QTest::newRow("the application's file") << u"trailcam-tests/dialogplaces.ini"_s;
    QTest::newRow("the organisation's file") << u"trailcam-tests.ini"_s;
}

// A pipe where the settings are kept would hold the window: no remembered folder.
void TestDialogPlaces::pipeForSettings()
{
#ifndef Q_OS_UNIX
    QSKIP("Windows keeps the settings in the registry, where no pipe can stand");
#else
    QFETCH(QString, name);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QCoreApplication::setOrganizationName(u"trailcam-tests"_s);
    QCoreApplication::setApplicationName(u"dialogplaces"_s);
    StoreDialogFolder(u"/kept"_s);
    QCOMPARE(StoredDialogFolder(), u"/kept"_s);
    QVERIFY(QDir(settings.path()).removeRecursively() && QDir().mkpath(settings.filePath(u"trailcam-tests"_s)));
    const fixtures::Pipe pipe(settings.filePath(name));
    QVERIFY(pipe.made());
    StoreDialogFolder(u"/other"_s);
    QCOMPARE(StoredDialogFolder(), QString());
#endif
}

QTEST_GUILESS_MAIN(TestDialogPlaces)
#include "tst_dialogplaces.moc"
