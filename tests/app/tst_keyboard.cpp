// The keyboard as on a Windows dialog.

#include "formtest.h"

#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_window.reset(); }

    void tabLeavesPicker_data();
    void tabLeavesPicker();
    void arrowsStepThroughPicker();

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

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
