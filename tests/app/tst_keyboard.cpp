// The keyboard as on a Windows dialog, and the names screen readers announce.

#include "formtest.h"

#include "settings/parameterfile.h"

#include <QAccessible>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PrepareApplication(); }
    void init();
    void cleanup() { m_window.reset(); }

    void tabLeavesPicker_data();
    void tabLeavesPicker();
    void arrowsStepThroughPicker();
    void keysTurnPages_data();
    void keysTurnPages();
    void keysSaveAndLoad();
    void labelsNameControls_data();
    void labelsNameControls();

private:
    // Shows the window, active, with `control`'s page in front and the focus on it.
    void focusOn(QWidget *control);

    std::unique_ptr<Tmainform1> m_window;
};

void TestKeyboard::init()
{
    m_window = std::make_unique<Tmainform1>();
    m_window->Timer1->stop();
}

void TestKeyboard::focusOn(QWidget *control)
{
    QVERIFY(control);
    Tmainform1 &w = *m_window;
    for (QWidget *page = control; page; page = page->parentWidget()) {
        if (w.PageControl1->indexOf(page) >= 0)
            w.PageControl1->setCurrentWidget(page);
    }
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    control->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), control);
}

void TestKeyboard::tabLeavesPicker_data()
{
    QTest::addColumn<QString>("picker");
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<QString>("next"); // as the form's tab order has it; the other pages' controls are hidden

    QTest::newRow("start time, Tab") << u"DateTimePicker1"_s << false << u"DateTimePicker2"_s;
    QTest::newRow("end time, Tab") << u"DateTimePicker2"_s << false << u"Button3"_s;
    QTest::newRow("start time, Shift+Tab") << u"DateTimePicker1"_s << true << u"passedit"_s;
    QTest::newRow("end time, Shift+Tab") << u"DateTimePicker2"_s << true << u"DateTimePicker1"_s;
}

void TestKeyboard::tabLeavesPicker()
{
    QFETCH(QString, picker);
    QFETCH(bool, backwards);
    QFETCH(QString, next);
    auto *control = m_window->findChild<QDateTimeEdit *>(picker);
    focusOn(control);

    if (backwards)
        QTest::keyClick(control, Qt::Key_Backtab, Qt::ShiftModifier);
    else
        QTest::keyClick(control, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget()->objectName(), next);
}

void TestKeyboard::arrowsStepThroughPicker()
{
    QDateTimeEdit *picker = m_window->DateTimePicker1;
    focusOn(picker);
    picker->setSelectedSection(QDateTimeEdit::HourSection);

    const QList<QPair<Qt::Key, QDateTimeEdit::Section>> steps { { Qt::Key_Right, QDateTimeEdit::MinuteSection },
        { Qt::Key_Right, QDateTimeEdit::SecondSection }, { Qt::Key_Right, QDateTimeEdit::SecondSection },
        { Qt::Key_Left, QDateTimeEdit::MinuteSection }, { Qt::Key_Left, QDateTimeEdit::HourSection },
        { Qt::Key_Left, QDateTimeEdit::HourSection } };
    for (const auto &[key, section] : steps) {
        QTest::keyClick(picker, key);
        QCOMPARE(picker->currentSection(), section);
        QCOMPARE(QApplication::focusWidget(), picker);
    }
    // Up still changes the field the arrows reached.
    QTest::keyClick(picker, Qt::Key_Up);
    QCOMPARE(picker->time(), QTime(1, 0, 0));
}

void TestKeyboard::keysTurnPages_data()
{
    QTest::addColumn<QString>("focus"); // the page in front is this control's
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("page");

    const int ctrl = Qt::ControlModifier;
    const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::newRow("Ctrl+PageDown on a button") << u"Button3"_s << int(Qt::Key_PageDown) << ctrl << 1;
    QTest::newRow("Ctrl+PageUp in a combo box") << u"ComboBox3"_s << int(Qt::Key_PageUp) << ctrl << 0;
    QTest::newRow("Ctrl+Tab in an edit") << u"apn"_s << int(Qt::Key_Tab) << ctrl << 2;
    QTest::newRow("Ctrl+Tab past the last page") << u"ftpserver"_s << int(Qt::Key_Tab) << ctrl << 0;
    QTest::newRow("Ctrl+Shift+Tab before the first page") << u"Button1"_s << int(Qt::Key_Backtab) << ctrlShift << 3;
    QTest::newRow("Ctrl+Shift+Tab as Tab") << u"smtpapn"_s << int(Qt::Key_Tab) << ctrlShift << 1;
    QTest::newRow("Ctrl+PageDown in a picker") << u"DateTimePicker2"_s << int(Qt::Key_PageDown) << ctrl << 1;
    QTest::newRow("Ctrl+PageUp before the first page") << u"rslcmb"_s << int(Qt::Key_PageUp) << ctrl << 3;
}

void TestKeyboard::keysTurnPages()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, page);
    focusOn(m_window->findChild<QWidget *>(focus));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(m_window->PageControl1->currentIndex(), page);
}

// The keys press the buttons: Save writes what the window shows, Load opens its dialog.
void TestKeyboard::keysSaveAndLoad()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"Parameter.dat"_s);
    Tmainform1 &w = *m_window;
    focusOn(w.ComboBox3);

    formtest::ModalAnswerer answerer(&w);
    answerer.fileDialog(path);
    answerer.fileDialog(QString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    focusOn(w.ComboBox3); // the offscreen platform does not hand activation back after a dialog
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
    QVERIFY(answerer.allAnswered());
    QCOMPARE(answerer.unexpected(), QStringList());
    QCOMPARE(answerer.seen().size(), 2);
    QVERIFY(answerer.seen().at(0).saving);
    QVERIFY(!answerer.seen().at(1).saving);
    QString error;
    QCOMPARE(ReadParameterFile(path, &error), std::optional<QByteArray>(w.imageBuffer()));
}

void TestKeyboard::labelsNameControls_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("french");

    const auto row = [](const char *control, const QString &caption, const QString &french) {
        QTest::newRow(control) << QString::fromLatin1(control) << caption << french;
    };
    row("rslcmb", u"Resolution"_s, u"Résolution"_s);
    row("rslvcmb", u"Resolution"_s, u"Résolution"_s);
    row("idedit", u"ID"_s, u"ID"_s);
    row("tvcmb", u"TV Mode"_s, u"Mode de TV"_s);
    row("DateTimePicker3", u"Date/Time"_s, u"Date/Heure"_s);
    row("passedit", u"Password"_s, u"Password"_s);
    row("DateTimePicker1", u"Start Time"_s, u"Start Time"_s);
    row("DateTimePicker2", u"End Time"_s, u"End Time"_s);
    row("ComboBox3", u"Country"_s, u"Country"_s);
    row("mmsc", u"MMSC"_s, u"MMSC"_s);
    row("phone4", u"Phone 4"_s, u"Phone 4"_s);
    row("ComboBox8", u"Operator"_s, u"Operator"_s);
    row("porttxt", u"PORT"_s, u"PORT"_s);
    row("email3txt", u"Email3"_s, u"Email3"_s);
    row("ComboBox10", u"FTP ON/OFF"_s, u"FTP ON/OFF"_s);
    row("ftppass", u"Password"_s, u"Password"_s);
    row("ftpapn", u"APN"_s, u"APN"_s);
}

// Qt names a control after the label whose buddy it is, and tells screen readers which label that is. On Linux a
// combo box's name is its text, and readers take the label from the relation alone.
void TestKeyboard::labelsNameControls()
{
    QFETCH(QString, control);
    QFETCH(QString, caption);
    QFETCH(QString, french);
    Tmainform1 &w = *m_window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QWidget *widget = w.findChild<QWidget *>(control);
    QVERIFY(widget);

    const auto verifyNamed = [widget](const QString &expected) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(iface);
        QStringList labels;
        const auto relations = iface->relations(QAccessible::Label);
        for (const auto &[other, relation] : relations) {
            if (other->role() == QAccessible::StaticText)
                labels << other->text(QAccessible::Name);
        }
        QCOMPARE(labels, QStringList { expected });
#ifdef Q_OS_UNIX
        if (iface->role() == QAccessible::ComboBox)
            return;
#endif
        QCOMPARE(iface->text(QAccessible::Name), expected);
    };
    verifyNamed(caption);
    if (QTest::currentTestFailed())
        return;
    formtest::PickItem(w.langcmb, w.langcmb->findText(u"Français"_s));
    verifyNamed(french);
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
