// Renders each page of the window to a PNG in the build directory, for a
// look by eye against the form's places.

#include "app/application.h"
#include "app/mainform.h"

#include <QDir>
#include <QImage>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestScreenshots : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PrepareApplication(); }
    void pages_data();
    void pages();
};

void TestScreenshots::pages_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("menu") << 0;
    QTest::newRow("mms") << 1;
    QTest::newRow("smtp") << 2;
    QTest::newRow("ftp") << 3;
}

void TestScreenshots::pages()
{
    QFETCH(int, page);
    Tmainform1 window;
    window.Timer1->stop();
    window.PageControl1->setCurrentIndex(page);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QImage image = window.grab().toImage();
    QCOMPARE(image.deviceIndependentSize().toSize(), QSize(634, 491));
    const QString path = QDir(QStringLiteral(TEST_BINARY_DIR))
                             .filePath(u"mainform-%1.png"_s.arg(QLatin1String(QTest::currentDataTag())));
    QVERIFY2(image.save(path), qPrintable(path));

    // The caption colour shows beside the buttons, the face colour on the page.
    const qreal scale = image.devicePixelRatio();
    QCOMPARE(image.pixelColor(QPoint(2, 470) * scale), QColor(185, 209, 234));
    const QPoint inPage = window.TabSheet1->mapTo(&window, QPoint(window.TabSheet1->width() - 3, 200));
    QVERIFY(image.pixelColor(inPage * scale) != QColor(185, 209, 234));
}

QTEST_MAIN(TestScreenshots)
#include "tst_screenshots.moc"
