// The window's small behaviours: Default, the sending switches, the date
// format, the clock, the edits' limits and the Enter key.

#include "formtest.h"

#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using formtest::PickItem;

class TestBehaviour : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PrepareApplication(); }
    void init();
    void cleanup() { m_window.reset(); }

    void defaultSteps_data();
    void defaultSteps();
    void defaultLeavesTheRest();
    void defaultKeepsDateFormat();

    void switches_data();
    void switches();

    void dateFormat_data();
    void dateFormat();

    void clockTicks();

    void editLimits_data();
    void editLimits();

    void enterTriggersNoButton_data();
    void enterTriggersNoButton();

    void wheelWithoutFocus_data();
    void wheelWithoutFocus();

private:
    TComboBox *box(const QString &name) const { return m_window->findChild<TComboBox *>(name); }

    std::unique_ptr<Tmainform1> m_window;
};

void TestBehaviour::init()
{
    m_window = std::make_unique<Tmainform1>();
    m_window->Timer1->stop(); // only clockTicks wants the clock
}

void TestBehaviour::defaultSteps_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("userValue"); // item index to pick, or text to type
    QTest::addColumn<QString>("expected"); // index, or text

    const auto row = [](const char *control, const QString &userValue, const QString &expected) {
        QTest::newRow(control) << QString::fromLatin1(control) << userValue << expected;
    };
    row("modecmb", u"2"_s, u"0"_s);
    row("rslcmb", u"2"_s, u"0"_s);
    row("intvcmb", u"8"_s, u"0"_s);
    row("mtcmb", u"3"_s, u"0"_s);
    row("isocmb", u"1"_s, u"0"_s);
    row("rslvcmb", u"3"_s, u"0"_s);
    row("vdlcmb", u"2"_s, u"0"_s);
    row("vccmb", u"0"_s, u"1"_s);
    row("dtfmtcmb", u"2"_s, u"0"_s);
    row("motcmb", u"1"_s, u"0"_s);
    row("langcmb", u"3"_s, u"0"_s);
    row("tvcmb", u"0"_s, u"1"_s); // PAL, not the NTSC of start-up
    row("passcmb", u"1"_s, u"0"_s);
    row("idedit", u"XY12"_s, u"CAM000"_s);
    row("passedit", u"99"_s, u"7351"_s);
}

void TestBehaviour::defaultSteps()
{
    QFETCH(QString, control);
    QFETCH(QString, userValue);
    QFETCH(QString, expected);

    if (TComboBox *combo = box(control)) {
        PickItem(combo, userValue.toInt());
        QCOMPARE(combo->selectedIndex(), userValue.toInt());
        QTest::mouseClick(m_window->Button2, Qt::LeftButton);
        QCOMPARE(combo->selectedIndex(), expected.toInt());
        QCOMPARE(combo->text(), combo->itemText(expected.toInt()));
    } else {
        auto *edit = m_window->findChild<QLineEdit *>(control);
        QVERIFY(edit);
        formtest::TypeText(edit, userValue);
        QCOMPARE(edit->text(), userValue);
        QTest::mouseClick(m_window->Button2, Qt::LeftButton);
        QCOMPARE(edit->text(), expected);
    }
}

// Everything but its fifteen controls keeps what the user gave it: the
// timer, the network pages and the switches.
void TestBehaviour::defaultLeavesTheRest()
{
    Tmainform1 &w = *m_window;
    w.DateTimePicker1->setTime(QTime(6, 30, 0));
    w.DateTimePicker2->setTime(QTime(18, 45, 10));
    PickItem(w.ComboBox1, 1);
    PickItem(w.ComboBox2, 0);
    PickItem(w.ComboBox6, 1);
    PickItem(w.ComboBox9, 2);
    formtest::TypeText(w.apn, u"my.apn"_s);
    formtest::TypeText(w.email2txt, u"someone@example.org"_s);
    formtest::TypeText(w.ftpserver, u"ftp.example.org"_s);
    w.ComboBox12->setText(u"Latvia"_s);
    QTest::mouseClick(w.RadioButton3, Qt::LeftButton);

    // Of its own fifteen only the TV mode differs from start-up.
    const auto before = formtest::Snapshot(w);
    QTest::mouseClick(w.Button2, Qt::LeftButton);
    QCOMPARE(formtest::Changed(before, formtest::Snapshot(w)), QStringList { u"tvcmb"_s });
    QCOMPARE(w.tvcmb->text(), u"PAL"_s);
}

void TestBehaviour::defaultKeepsDateFormat()
{
    Tmainform1 &w = *m_window;
    PickItem(w.dtfmtcmb, 1);
    QCOMPARE(w.DateTimePicker3->displayFormat(), u"dd/MM/yyyy HH:mm:ss"_s);
    QTest::mouseClick(w.Button2, Qt::LeftButton);
    QCOMPARE(w.dtfmtcmb->selectedIndex(), 0);
    QCOMPARE(w.dtfmtcmb->text(), u"YY/MM/DD"_s);
    QCOMPARE(w.DateTimePicker3->displayFormat(), u"dd/MM/yyyy HH:mm:ss"_s);
}

void TestBehaviour::switches_data()
{
    QTest::addColumn<QStringList>("picks"); // "box=index", in order
    QTest::addColumn<QList<int>>("expected"); // ComboBox1, ComboBox5, ComboBox10

    QTest::newRow("MMS on") << QStringList { u"ComboBox1=1"_s } << QList<int> { 1, 0, 0 };
    QTest::newRow("SMTP on") << QStringList { u"ComboBox5=1"_s } << QList<int> { 0, 1, 0 };
    QTest::newRow("FTP on") << QStringList { u"ComboBox10=1"_s } << QList<int> { 0, 0, 1 };
    QTest::newRow("MMS off changes nothing else") << QStringList { u"ComboBox1=0"_s } << QList<int> { 0, -1, -1 };
    QTest::newRow("SMTP off changes nothing else") << QStringList { u"ComboBox5=0"_s } << QList<int> { 0, 0, -1 };
    QTest::newRow("FTP over MMS, then FTP off")
        << QStringList { u"ComboBox1=1"_s, u"ComboBox10=1"_s, u"ComboBox10=0"_s } << QList<int> { 0, 0, 0 };
    QTest::newRow("SMTP over MMS") << QStringList { u"ComboBox1=1"_s, u"ComboBox5=1"_s } << QList<int> { 0, 1, 0 };
    QTest::newRow("MMS over FTP") << QStringList { u"ComboBox10=1"_s, u"ComboBox1=1"_s } << QList<int> { 1, 0, 0 };
    QTest::newRow("FTP over SMTP") << QStringList { u"ComboBox5=1"_s, u"ComboBox10=1"_s } << QList<int> { 0, 0, 1 };
}

void TestBehaviour::switches()
{
    QFETCH(QStringList, picks);
    QFETCH(QList<int>, expected);
    Tmainform1 &w = *m_window;
    const QStringList switchNames { u"ComboBox1"_s, u"ComboBox5"_s, u"ComboBox10"_s };

    const auto before = formtest::Snapshot(w);
    for (const QString &pick : picks) {
        const QStringList parts = pick.split(u'=');
        PickItem(box(parts.at(0)), parts.at(1).toInt());
    }
    const QList<TComboBox *> boxes { w.ComboBox1, w.ComboBox5, w.ComboBox10 };
    for (int i = 0; i < boxes.size(); ++i) {
        QCOMPARE(boxes.at(i)->selectedIndex(), expected.at(i));
        if (expected.at(i) >= 0)
            QCOMPARE(boxes.at(i)->text(), boxes.at(i)->itemText(expected.at(i)));
    }
    // The switches enable, disable and fill nothing.
    QStringList changed = formtest::Changed(before, formtest::Snapshot(w));
    changed.removeIf([&switchNames](const QString &name) { return switchNames.contains(name); });
    QCOMPARE(changed, QStringList());
}

void TestBehaviour::dateFormat_data()
{
    QTest::addColumn<QString>("typed"); // empty: pick `index` from the list
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("shown");

    QTest::newRow("YY/MM/DD") << QString() << 0 << u"yyyy/MM/dd HH:mm:ss"_s << u"2021/11/26 13:57:42"_s;
    QTest::newRow("DD/MM/YY") << QString() << 1 << u"dd/MM/yyyy HH:mm:ss"_s << u"26/11/2021 13:57:42"_s;
    QTest::newRow("MM/DD/YY") << QString() << 2 << u"MM/dd/yyyy HH:mm:ss"_s << u"11/26/2021 13:57:42"_s;
    QTest::newRow("no item") << u"QQ"_s << -1 << u"MM/dd/yyyy HH:mm:ss"_s << u"11/26/2021 13:57:42"_s;
}

// Only the date picker takes the format; the time beside it keeps its own.
void TestBehaviour::dateFormat()
{
    QFETCH(QString, typed);
    QFETCH(int, index);
    QFETCH(QString, format);
    QFETCH(QString, shown);
    Tmainform1 &w = *m_window;
    const QString timeFormat = w.DateTimePicker4->displayFormat();

    if (typed.isEmpty()) {
        PickItem(w.dtfmtcmb, index);
    } else {
        w.dtfmtcmb->lineEdit()->setFocus();
        w.dtfmtcmb->lineEdit()->selectAll();
        QTest::keyClick(w.dtfmtcmb->lineEdit(), Qt::Key_Delete);
        QTest::keyClicks(w.dtfmtcmb->lineEdit(), typed);
    }
    QCOMPARE(w.dtfmtcmb->selectedIndex(), index);
    QCOMPARE(w.DateTimePicker3->displayFormat(), format);
    QCOMPARE(w.DateTimePicker3->text(), shown);
    QCOMPARE(w.DateTimePicker4->displayFormat(), timeFormat);
}

void TestBehaviour::clockTicks()
{
    Tmainform1 &w = *m_window;
    const auto before = formtest::Snapshot(w);
    w.Timer1->start();
    const auto near = [](const QDateTime &shown) { return qAbs(shown.secsTo(QDateTime::currentDateTime())) <= 1; };
    QTRY_VERIFY_WITH_TIMEOUT(near(w.DateTimePicker3->dateTime()), 3000);
    // The time as it shows, which is local whatever the picker's time spec.
    QTRY_VERIFY_WITH_TIMEOUT(qAbs(w.DateTimePicker4->time().secsTo(QTime::currentTime())) <= 1, 3000);
    // And keeps going.
    const QDateTime first = w.DateTimePicker3->dateTime();
    QTRY_VERIFY_WITH_TIMEOUT(w.DateTimePicker3->dateTime() > first, 3000);
    QCOMPARE(formtest::Changed(before, formtest::Snapshot(w)), QStringList());
}

void TestBehaviour::editLimits_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<bool>("clearFirst");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");

    QTest::newRow("seventh ID character") << u"idedit"_s << false << u"7"_s << u"CAM000"_s;
    QTest::newRow("ID typed long") << u"idedit"_s << true << u"ABCDEFGH"_s << u"ABCDEF"_s;
    QTest::newRow("fifth password digit") << u"passedit"_s << false << u"9"_s << u"7351"_s;
    QTest::newRow("password typed long") << u"passedit"_s << true << u"123456"_s << u"1234"_s;
    const QString longText = u"a.rather.long.access.point.name.that.goes.on.and.on.and.on.and.on"_s;
    QTest::newRow("APN unlimited") << u"apn"_s << true << longText << longText;
}

void TestBehaviour::editLimits()
{
    QFETCH(QString, edit);
    QFETCH(bool, clearFirst);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    auto *control = m_window->findChild<QLineEdit *>(edit);
    QVERIFY(control);
    control->setFocus();
    if (clearFirst) {
        control->selectAll();
        QTest::keyClick(control, Qt::Key_Delete);
    } else {
        control->end(false);
    }
    QTest::keyClicks(control, typed);
    QCOMPARE(control->text(), result);
}

void TestBehaviour::enterTriggersNoButton_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("key");
    for (const char *target : { "Button1", "Button2", "Button3", "idedit", "apn", "passwordtxt" }) {
        QTest::addRow("%s Return", target) << QString::fromLatin1(target) << int(Qt::Key_Return);
        QTest::addRow("%s Enter", target) << QString::fromLatin1(target) << int(Qt::Key_Enter);
    }
}

void TestBehaviour::enterTriggersNoButton()
{
    QFETCH(QString, target);
    QFETCH(int, key);
    Tmainform1 &w = *m_window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QWidget *widget = w.findChild<QWidget *>(target);
    QVERIFY(widget);
    for (QWidget *page = widget; page; page = page->parentWidget()) {
        if (w.PageControl1->indexOf(page) >= 0)
            w.PageControl1->setCurrentWidget(page);
    }
    widget->setFocus();

    formtest::ModalAnswerer answerer(&w); // would catch a Save or Load dialog
    const auto before = formtest::Snapshot(w);
    QTest::keyClick(widget, Qt::Key(key));
    QTest::qWait(50);
    QCOMPARE(answerer.unexpected(), QStringList());
    QVERIFY(!w.SaveDialog1);
    QVERIFY(!w.OpenDialog1);
    QCOMPARE(formtest::Changed(before, formtest::Snapshot(w)), QStringList()); // Default did not run either
}

void TestBehaviour::wheelWithoutFocus_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("typing"); // where the focus is
    QTest::newRow("MMS country, typing a phone number") << u"ComboBox3"_s << u"phone1"_s;
    QTest::newRow("language") << u"langcmb"_s << u"idedit"_s;
    QTest::newRow("timer start") << u"DateTimePicker1"_s << u"idedit"_s;
    QTest::newRow("timer end, no focus at all") << u"DateTimePicker2"_s << QString();
}

// A notch over a control the user is not working in changes no value and
// takes no focus.
void TestBehaviour::wheelWithoutFocus()
{
    QFETCH(QString, control);
    QFETCH(QString, typing);
    Tmainform1 &w = *m_window;
    QWidget *target = w.findChild<QWidget *>(control);
    QVERIFY(target);
    for (QWidget *page = target; page; page = page->parentWidget()) {
        if (w.PageControl1->indexOf(page) >= 0)
            w.PageControl1->setCurrentWidget(page);
    }
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QWidget *focused = typing.isEmpty() ? nullptr : w.findChild<QWidget *>(typing);
    if (focused)
        focused->setFocus();
    else if (QApplication::focusWidget())
        QApplication::focusWidget()->clearFocus();
    QCOMPARE(QApplication::focusWidget(), focused);

    const auto before = formtest::Snapshot(w);
    formtest::WheelNotch(&w, target->mapTo(&w, target->rect().center()));
    QCOMPARE(formtest::Changed(before, formtest::Snapshot(w)), QStringList());
    QCOMPARE(QApplication::focusWidget(), focused);
}

QTEST_MAIN(TestBehaviour)
#include "tst_behaviour.moc"
