// What the user can read: long texts from their start, and the clock.

#include "formtest.h"

#include "settings/parameterdata.h"
#include "settings/parameterfile.h"
#include "values/startupvalues.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

class TestLegibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PrepareApplication(); }
    void init();
    void cleanup() { m_window.reset(); }

    void codeTextsShowTheirStart_data();
    void codeTextsShowTheirStart();
    void loadedTextsShowTheirStart();
    void userKeepsTheCaret_data();
    void userKeepsTheCaret();
    void clockIsReadable_data();
    void clockIsReadable();

private:
    QLineEdit *field(const QString &control) const;
    void verifyShowsStart(const QString &control, const QString &text);

    std::unique_ptr<Tmainform1> m_window;
};

void TestLegibility::init()
{
    m_window = std::make_unique<Tmainform1>();
    m_window->Timer1->stop();
}

QLineEdit *TestLegibility::field(const QString &control) const
{
    QWidget *widget = m_window->findChild<QWidget *>(control);
    if (auto *box = qobject_cast<TComboBox *>(widget))
        return box->lineEdit();
    return qobject_cast<QLineEdit *>(widget);
}

// Only a text wider than its field can show its end instead of its start; the caret decides which part the field
// scrolls to.
void TestLegibility::verifyShowsStart(const QString &control, const QString &text)
{
    QLineEdit *edit = field(control);
    QVERIFY(edit);
    QCOMPARE(edit->text(), text);
    QVERIFY2(edit->fontMetrics().horizontalAdvance(text) > edit->contentsRect().width(), "the text fits its field");
    QCOMPARE(edit->cursorPosition(), 0);
}

void TestLegibility::codeTextsShowTheirStart_data()
{
    QTest::addColumn<QStringList>("picks"); // "box=item text", in order
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");

    const QStringList vodafone { u"ComboBox3=Germany"_s, u"ComboBox4=Vodafone"_s };
    QTest::newRow("MMS centre of an operator") << vodafone << u"mmsc"_s << u"http://139.7.24.1/servlets/mms"_s;
    QTest::newRow("same operator again") << (vodafone + QStringList { u"ComboBox4=Vodafone"_s }) << u"mmsc"_s
                                         << u"http://139.7.24.1/servlets/mms"_s;
    QTest::newRow("operator listed for a country")
        << QStringList { u"ComboBox3=UnitedKingdom"_s } << u"mmsc"_s << u"http://mms.um.three.co.uk:10021/mmsc"_s;
    QTest::newRow("operator picked from the list")
        << QStringList { u"ComboBox7=Romania"_s, u"ComboBox8=Digi Mobil Prepaid"_s } << u"ComboBox8"_s
        << u"Digi Mobil Prepaid"_s;
    QTest::newRow("item of another language") << QStringList { u"modecmb=Camera&Video"_s, u"langcmb=Français"_s }
                                              << u"modecmb"_s << u"appareil photoet vidéo"_s;
    QTest::newRow("item picked in another language")
        << QStringList { u"langcmb=Français"_s, u"modecmb=appareil photoet vidéo"_s } << u"modecmb"_s
        << u"appareil photoet vidéo"_s;
}

void TestLegibility::codeTextsShowTheirStart()
{
    QFETCH(QStringList, picks);
    QFETCH(QString, control);
    QFETCH(QString, text);
    Tmainform1 &w = *m_window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    for (const QString &pick : picks) {
        const qsizetype equals = pick.indexOf(u'=');
        auto *box = w.findChild<TComboBox *>(pick.left(equals));
        QVERIFY(box);
        for (QWidget *page = box; page; page = page->parentWidget()) {
            if (w.PageControl1->indexOf(page) >= 0)
                w.PageControl1->setCurrentWidget(page);
        }
        box->setFocus(); // a pick shows its item's start also in the box the user is in
        formtest::PickItem(box, box->findText(pick.mid(equals + 1), Qt::MatchExactly));
    }
    verifyShowsStart(control, text);
}

void TestLegibility::loadedTextsShowTheirStart()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ParameterValues values = StartupParameterValues();
    values.ftpserver = u"ftp.a-rather-long-host-name.example.org"_s;
    values.modecmb = 2;
    const QString path = dir.filePath(u"Parameter.dat"_s);
    QString error;
    QVERIFY2(WriteParameterFile(path, BuildParameterData(values), &error), qPrintable(error));

    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    formtest::PickItem(m_window->langcmb, 1);

    formtest::ModalAnswerer answerer(m_window.get());
    answerer.fileDialog(path);
    QTest::mouseClick(m_window->Button1, Qt::LeftButton);
    QVERIFY(answerer.allAnswered());
    QCOMPARE(answerer.unexpected(), QStringList());
    verifyShowsStart(u"ftpserver"_s, values.ftpserver);
    verifyShowsStart(u"modecmb"_s, u"appareil photoet vidéo"_s);
}

void TestLegibility::userKeepsTheCaret_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("toTheBox"); // keys to the combo box rather than its field
    QTest::addColumn<QString>("keys"); // "<End>" presses End; anything else is typed
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("selected");

    const QString apn = u"internet.a-rather-long-access-point.example"_s;
    QTest::newRow("typing a long text") << u"ftpserver"_s << false << apn << apn << int(apn.size()) << 0;
    QTest::newRow("End in an edit") << u"mmsc"_s << false << u"<End>"_s << u"mms.movistar.com.ar"_s << 19 << 0;
    QTest::newRow("End in a combo box") << u"ComboBox8"_s << true << u"<End>"_s << u"A1"_s << 2 << 0;
    QTest::newRow("typing completes in a combo box")
        << u"ComboBox3"_s << true << u"Uni"_s << u"UnitedKingdom"_s << 13 << 10;
}

// Typing and the caret keys work as they always did, also once the event loop has had its turn.
void TestLegibility::userKeepsTheCaret()
{
    QFETCH(QString, control);
    QFETCH(bool, toTheBox);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(int, selected);
    QLineEdit *edit = field(control);
    QVERIFY(edit);
    QWidget *target = toTheBox ? edit->parentWidget() : edit;
    edit->setFocus();

    if (keys == u"<End>") {
        QTest::keyClick(target, Qt::Key_End);
    } else {
        edit->selectAll();
        QTest::keyClick(target, Qt::Key_Delete);
        QTest::keyClicks(target, keys);
    }
    for (int turn = 0; turn < 2; ++turn) {
        QCOMPARE(edit->text(), text);
        QCOMPARE(edit->cursorPosition(), caret);
        QCOMPARE(edit->selectedText().size(), selected);
        QCoreApplication::processEvents();
    }
}

void TestLegibility::clockIsReadable_data()
{
    QTest::addColumn<QString>("picker");
    QTest::newRow("date") << u"DateTimePicker3"_s;
    QTest::newRow("time") << u"DateTimePicker4"_s;
}

// The contrast of the darkest ink to the field's background as drawn; at least 4.5:1 is needed to read small text.
void TestLegibility::clockIsReadable()
{
    QFETCH(QString, picker);
    Tmainform1 &w = *m_window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *control = w.findChild<QDateTimeEdit *>(picker);
    QVERIFY(control);
    QVERIFY(!control->isEnabled());
    auto *field = control->findChild<QLineEdit *>();
    QVERIFY(field);

    const QImage image = field->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto luminance = [](QRgb pixel) {
        const auto linear = [](int channel) {
            const double c = channel / 255.0;
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(pixel)) + 0.7152 * linear(qGreen(pixel)) + 0.0722 * linear(qBlue(pixel));
    };
    QHash<QRgb, int> counts;
    QRgb darkest = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            ++counts[pixel];
            if (luminance(pixel) < luminance(darkest))
                darkest = pixel;
        }
    }
    QRgb background = darkest;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > counts.value(background))
            background = it.key();
    }
    const double contrast = (luminance(background) + 0.05) / (luminance(darkest) + 0.05);
    QVERIFY2(contrast >= 4.5,
        qPrintable(u"%1 on %2: %3:1"_s.arg(QColor(darkest).name(), QColor(background).name()).arg(contrast)));
}

QTEST_MAIN(TestLegibility)
#include "tst_legibility.moc"
