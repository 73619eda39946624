#include "app/combobox.h"
#include "formtest.h"
#include "i18n/formtexts.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QTest>

#include <memory>

namespace {

QStringList itemsOf(const char *control)
{
    const ComboItems *found = FindStartupComboItems(control);
    return found ? found->items : QStringList();
}

QStringList onOff()
{
    return itemsOf("ComboBox5");
}

QStringList countries()
{
    return itemsOf("ComboBox3");
}

// The signals a handler could be hung on; code must raise none of them.
struct SignalSpies
{
    explicit SignalSpies(TComboBox *box)
        : changed(box, &TComboBox::changed)
        , activated(box, &QComboBox::activated)
        , textActivated(box, &QComboBox::textActivated)
        , currentIndexChanged(box, &QComboBox::currentIndexChanged)
        , currentTextChanged(box, &QComboBox::currentTextChanged)
        , editTextChanged(box, &QComboBox::editTextChanged)
    {
    }

    QString firstRaised() const
    {
        const std::pair<const char *, const QSignalSpy *> all[] = {
            { "changed", &changed },
            { "activated", &activated },
            { "textActivated", &textActivated },
            { "currentIndexChanged", &currentIndexChanged },
            { "currentTextChanged", &currentTextChanged },
            { "editTextChanged", &editTextChanged },
        };
        for (const auto &[name, spy] : all) {
            if (!spy->isEmpty())
                return QString::fromLatin1(name);
        }
        return {};
    }

    QSignalSpy changed;
    QSignalSpy activated;
    QSignalSpy textActivated;
    QSignalSpy currentIndexChanged;
    QSignalSpy currentTextChanged;
    QSignalSpy editTextChanged;
};

// What a handler on changed() would see when it runs.
struct SeenByHandler
{
    int index;
    QString text;
};

// '\b' stands for Backspace; every other character is typed as it is.
void typeKeys(QWidget *target, const QString &keys)
{
    for (const QChar c : keys) {
        if (c == QLatin1Char('\b'))
            QTest::keyClick(target, Qt::Key_Backspace);
        else
            QTest::keyClicks(target, QString(c));
    }
}

// The right-most column of a row that differs from the row's background; the border, where frames go, left out.
int inkRight(const QImage &image, const QRect &rowRect)
{
    const QRect row = rowRect.adjusted(2, 2, -2, -2);
    const QRgb background = image.pixel(row.topLeft());
    for (int x = row.right(); x >= row.left(); --x) {
        for (int y = row.top(); y <= row.bottom(); ++y) {
            if (image.pixel(x, y) != background)
                return x;
        }
    }
    return row.left();
}

// A style that drops the list down as a menu even for editable boxes, as some desktop styles do.
class MenuPopupStyle : public QProxyStyle
{
public:
    MenuPopupStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    {
    }
    int styleHint(
        StyleHint hint, const QStyleOption *option, const QWidget *widget, QStyleHintReturn *returnData) const override
    {
        if (hint == QStyle::SH_ComboBox_Popup)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

std::unique_ptr<QStyle> createStyle(const QString &name)
{
    if (name == QLatin1String("menu popup"))
        return std::make_unique<MenuPopupStyle>();
    return std::unique_ptr<QStyle>(QStyleFactory::create(name));
}

} // namespace

class TestComboBox : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void codeChangesEmitNothing_data();
    void codeChangesEmitNothing();
    void pickFromList_data();
    void pickFromList();
    void arrowKeysAndWheel_data();
    void arrowKeysAndWheel();
    void typing_data();
    void typing();
    void pasteIsNotCompleted();
    void enterChangesNothing_data();
    void enterChangesNothing();
    void enterDoesNotInsertTypedText();
    void focusOutKeepsState_data();
    void focusOutKeepsState();
    void listShowsEightRows_data();
    void listShowsEightRows();
    void menuListShowsCurrentItemOnBox();
    void ampersandShownAsCharacter_data();
    void ampersandShownAsCharacter();
    void fontReachesFieldAndList_data();
    void fontReachesFieldAndList();

private:
    // Puts the box into a state through the code interface: items, then index, then (unless null) text.
    void prepare(const QStringList &items, int index, const QString &text = QString());
    void recordHandlerView();

    std::unique_ptr<QStyle> m_style; // outlives the window, which may still use it while it goes
    std::unique_ptr<QWidget> m_top;
    TComboBox *m_box = nullptr;
    QList<SeenByHandler> m_seen;
};

void TestComboBox::init()
{
    m_top = std::make_unique<QWidget>();
    m_top->setGeometry(0, 0, 400, 300);
    m_box = new TComboBox(m_top.get());
    m_box->setGeometry(10, 10, 150, 23);
    m_seen.clear();
    connect(m_box, &TComboBox::changed, this, &TestComboBox::recordHandlerView);
    m_top->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_top.get()));
}

void TestComboBox::cleanup()
{
    m_top.reset();
    m_box = nullptr;
    m_style.reset();
}

void TestComboBox::prepare(const QStringList &items, int index, const QString &text)
{
    QVERIFY(!items.isEmpty());
    m_box->setItems(items);
    m_box->setSelectedIndex(index);
    if (!text.isNull())
        m_box->setText(text);
    m_seen.clear();
}

void TestComboBox::recordHandlerView()
{
    m_seen.append({ m_box->selectedIndex(), m_box->text() });
}

void TestComboBox::codeChangesEmitNothing_data()
{
    QTest::addColumn<int>("startIndex");
    QTest::addColumn<QString>("startText");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expectedIndex");
    QTest::addColumn<QString>("expectedText");

    const QString none;
    const QString off = QStringLiteral("OFF");
    const QString on = QStringLiteral("ON");
    const QString items = QStringLiteral("setItems");
    const QString index = QStringLiteral("setSelectedIndex");
    const QString text = QStringLiteral("setText");

    // clear() and addItems() report index changes, and addItems() would select the first item.
    QTest::newRow("items over a selection") << 1 << none << items << countries() << 0 << none << -1 << QString();
    QTest::newRow("items over text at -1") << -1 << off << items << onOff() << 0 << none << -1 << QString();
    QTest::newRow("no items") << 0 << none << items << QStringList() << 0 << none << -1 << QString();

    QTest::newRow("index from -1") << -1 << off << index << QStringList() << 1 << none << 1 << on;
    QTest::newRow("index to another") << 0 << none << index << QStringList() << 1 << none << 1 << on;
    QTest::newRow("same index puts the item's text back")
        << 0 << QStringLiteral("xyz") << index << QStringList() << 0 << none << 0 << off;
    QTest::newRow("index -1") << 1 << none << index << QStringList() << -1 << none << -1 << QString();
    QTest::newRow("index 255") << 1 << none << index << QStringList() << 255 << none << -1 << QString();
    QTest::newRow("index 2 of two items") << 0 << none << index << QStringList() << 2 << none << -1 << QString();
    QTest::newRow("index 2 of two at -1") << -1 << off << index << QStringList() << 2 << none << -1 << QString();
    QTest::newRow("index -5") << 0 << none << index << QStringList() << -5 << none << -1 << QString();

    // The window's start-up state: no selection, yet a text.
    QTest::newRow("text at -1") << -1 << none << text << QStringList() << 0 << off << -1 << off;
    QTest::newRow("text naming another item") << 0 << none << text << QStringList() << 0 << on << 0 << on;
    QTest::newRow("text is not completed")
        << -1 << none << text << QStringList() << 0 << QStringLiteral("o") << -1 << QStringLiteral("o");
    QTest::newRow("empty text keeps index") << 1 << none << text << QStringList() << 0 << QString() << 1 << QString();
}

void TestComboBox::codeChangesEmitNothing()
{
    QFETCH(int, startIndex);
    QFETCH(QString, startText);
    QFETCH(QString, call);
    QFETCH(QStringList, items);
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(int, expectedIndex);
    QFETCH(QString, expectedText);

    prepare(onOff(), startIndex, startText);
    const int countBefore = m_box->count();
    const SignalSpies spies(m_box);

    if (call == QLatin1String("setItems"))
        m_box->setItems(items);
    else if (call == QLatin1String("setSelectedIndex"))
        m_box->setSelectedIndex(index);
    else
        m_box->setText(text);

    QCOMPARE(spies.firstRaised(), QString());
    QCOMPARE(m_box->selectedIndex(), expectedIndex);
    QCOMPARE(m_box->text(), expectedText);
    QCOMPARE(m_box->count(), call == QLatin1String("setItems") ? items.size() : countBefore);
}

void TestComboBox::pickFromList_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("startIndex");
    QTest::addColumn<QString>("startText");
    QTest::addColumn<int>("row");

    QTest::newRow("from -1 showing OFF, pick OFF") << onOff() << -1 << QStringLiteral("OFF") << 0;
    QTest::newRow("from OFF pick ON") << onOff() << 0 << QString() << 1;
    QTest::newRow("same item over an edited text") << onOff() << 1 << QStringLiteral("xyz") << 1;
    QTest::newRow("long list") << countries() << 0 << QString() << 5;
}

void TestComboBox::pickFromList()
{
    QFETCH(QStringList, items);
    QFETCH(int, startIndex);
    QFETCH(QString, startText);
    QFETCH(int, row);

    prepare(items, startIndex, startText);
    m_box->showPopup();
    QAbstractItemView *view = m_box->view();
    QTRY_VERIFY(view->isVisible());
    const QRect rect = view->visualRect(m_box->model()->index(row, 0));
    QVERIFY(view->viewport()->rect().contains(rect.center()));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());

    QCOMPARE(m_seen.size(), 1);
    QCOMPARE(m_seen.at(0).index, row);
    QCOMPARE(m_seen.at(0).text, items.at(row));
    QVERIFY(!view->isVisible());
}

void TestComboBox::arrowKeysAndWheel_data()
{
    QTest::addColumn<bool>("toField");
    QTest::addColumn<int>("startIndex");
    QTest::addColumn<QString>("startText");
    QTest::addColumn<int>("key"); // 0: wheel one notch down
    QTest::addColumn<int>("expectedIndex");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<int>("changes");

    const QString off = QStringLiteral("OFF");
    const QString on = QStringLiteral("ON");
    QTest::newRow("down") << false << 0 << QString() << int(Qt::Key_Down) << 1 << on << 1;
    QTest::newRow("up") << false << 1 << QString() << int(Qt::Key_Up) << 0 << off << 1;
    QTest::newRow("down at the last item") << false << 1 << QString() << int(Qt::Key_Down) << 1 << on << 0;
    QTest::newRow("up at the first item") << false << 0 << QString() << int(Qt::Key_Up) << 0 << off << 0;
    QTest::newRow("down from -1") << false << -1 << off << int(Qt::Key_Down) << 0 << off << 1;
    QTest::newRow("up from -1") << false << -1 << on << int(Qt::Key_Up) << -1 << on << 0;
    QTest::newRow("down over an edited text")
        << false << 0 << QStringLiteral("xyz") << int(Qt::Key_Down) << 1 << on << 1;
    QTest::newRow("down sent to the field") << true << 0 << QString() << int(Qt::Key_Down) << 1 << on << 1;
    QTest::newRow("up sent to the field") << true << 1 << QString() << int(Qt::Key_Up) << 0 << off << 1;
    QTest::newRow("wheel with the focus") << false << 0 << QString() << 0 << 1 << on << 1;
}

void TestComboBox::arrowKeysAndWheel()
{
    QFETCH(bool, toField);
    QFETCH(int, startIndex);
    QFETCH(QString, startText);
    QFETCH(int, key);
    QFETCH(int, expectedIndex);
    QFETCH(QString, expectedText);
    QFETCH(int, changes);

    prepare(onOff(), startIndex, startText);
    if (key == 0) {
        m_top->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_top.get()));
        m_box->setFocus();
        QVERIFY(m_box->hasFocus());
        formtest::WheelNotch(m_top.get(), m_box->geometry().center());
    } else {
        QTest::keyClick(toField ? static_cast<QWidget *>(m_box->lineEdit()) : m_box, Qt::Key(key));
    }

    QCOMPARE(m_seen.size(), changes);
    if (changes > 0) {
        QCOMPARE(m_seen.last().index, expectedIndex);
        QCOMPARE(m_seen.last().text, expectedText);
    }
    QCOMPARE(m_box->selectedIndex(), expectedIndex);
    QCOMPARE(m_box->text(), expectedText);
}

void TestComboBox::typing_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("startIndex");
    QTest::addColumn<QString>("startText");
    QTest::addColumn<bool>("toField");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<bool>("namesItem"); // the expected text is the selected item's; otherwise index -1
    QTest::addColumn<QString>("expectedSelection");

    const QString none;
    QTest::newRow("prefix completes to the item") << countries() << -1 << none << false << QStringLiteral("Ger")
                                                  << QStringLiteral("Germany") << true << QStringLiteral("many");
    QTest::newRow("typed to the field") << countries() << -1 << none << true << QStringLiteral("Ger")
                                        << QStringLiteral("Germany") << true << QStringLiteral("many");
    QTest::newRow("any case, shown as the item") << countries() << -1 << none << false << QStringLiteral("gRE")
                                                 << QStringLiteral("Greece") << true << QStringLiteral("ece");
    QTest::newRow("first of several") << countries() << -1 << none << false << QStringLiteral("Slov")
                                      << QStringLiteral("Slovakia") << true << QStringLiteral("akia");
    QTest::newRow("typing on replaces the completed tail")
        << onOff() << -1 << none << false << QStringLiteral("ON") << QStringLiteral("ON") << true << QString();
    QTest::newRow("whole item in lower case")
        << onOff() << -1 << none << false << QStringLiteral("off") << QStringLiteral("OFF") << true << QString();
    QTest::newRow("no item begins so") << onOff() << -1 << none << false << QStringLiteral("Xy") << QStringLiteral("Xy")
                                       << false << QString();
    // setCurrentIndex(-1) would empty the field; the text and the cursor at its end must stay.
    QTest::newRow("past the selected item")
        << onOff() << 0 << none << false << QStringLiteral("xy") << QStringLiteral("OFFxy") << false << QString();
    QTest::newRow("backspace removes the completed tail")
        << onOff() << -1 << none << false << QStringLiteral("O\b") << QStringLiteral("O") << false << QString();
    QTest::newRow("backspace does not complete")
        << onOff() << 1 << none << false << QStringLiteral("\b") << QStringLiteral("O") << false << QString();
    QTest::newRow("back to an item from start-up text")
        << onOff() << -1 << QStringLiteral("OFF") << false << QStringLiteral("\bF") << QStringLiteral("OFF") << true
        << QString();
    QTest::newRow("everything deleted") << onOff() << 0 << none << false << QStringLiteral("\b\b\b") << QString()
                                        << false << QString();
}

void TestComboBox::typing()
{
    QFETCH(QStringList, items);
    QFETCH(int, startIndex);
    QFETCH(QString, startText);
    QFETCH(bool, toField);
    QFETCH(QString, keys);
    QFETCH(QString, expectedText);
    QFETCH(bool, namesItem);
    QFETCH(QString, expectedSelection);

    const int expectedIndex = namesItem ? int(items.indexOf(expectedText)) : -1;
    QVERIFY(!namesItem || expectedIndex >= 0);
    prepare(items, startIndex, startText);
    const int countBefore = m_box->count();
    const QSignalSpy activated(m_box, &QComboBox::activated);

    typeKeys(toField ? static_cast<QWidget *>(m_box->lineEdit()) : m_box, keys);

    // Once per key, and already settled when the handler runs.
    QCOMPARE(m_seen.size(), keys.size()); // once per key
    QCOMPARE(m_seen.last().index, expectedIndex);
    QCOMPARE(m_seen.last().text, expectedText);
    QCOMPARE(m_box->selectedIndex(), expectedIndex);
    QCOMPARE(m_box->text(), expectedText);
    QCOMPARE(m_box->lineEdit()->selectedText(), expectedSelection);
    QCOMPARE(m_box->count(), countBefore);
    QCOMPARE(activated.count(), 0);
}

void TestComboBox::pasteIsNotCompleted()
{
    prepare(countries(), -1);
    QApplication::clipboard()->setText(QStringLiteral("Ger"));

    QTest::keySequence(m_box, QKeySequence::Paste);

    QCOMPARE(m_box->text(), QStringLiteral("Ger"));
    QCOMPARE(m_seen.size(), 1);
    QCOMPARE(m_seen.at(0).index, -1);
}

void TestComboBox::enterChangesNothing_data()
{
    QTest::addColumn<bool>("toField");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("startIndex");
    QTest::addColumn<QString>("startText");

    for (const bool toField : { false, true }) {
        for (const int key : { int(Qt::Key_Return), int(Qt::Key_Enter) }) {
            const QByteArray name
                = QByteArray(toField ? "field, " : "box, ") + (key == Qt::Key_Return ? "Return" : "Enter");
            QTest::newRow(QByteArray(name + ", -1 showing OFF").constData())
                << toField << key << -1 << QStringLiteral("OFF");
            QTest::newRow(QByteArray(name + ", -1 showing on").constData())
                << toField << key << -1 << QStringLiteral("on");
            QTest::newRow(QByteArray(name + ", ON").constData()) << toField << key << 1 << QString();
            QTest::newRow(QByteArray(name + ", ON showing of").constData())
                << toField << key << 1 << QStringLiteral("of");
        }
    }
}

void TestComboBox::enterChangesNothing()
{
    QFETCH(bool, toField);
    QFETCH(int, key);
    QFETCH(int, startIndex);
    QFETCH(QString, startText);

    // A dialog hands Enter to its default button unless the box takes it.
    QDialog dialog;
    auto *box = new TComboBox(&dialog);
    box->setGeometry(10, 10, 150, 23);
    auto *button = new QPushButton(QStringLiteral("Save"), &dialog);
    button->setGeometry(10, 50, 80, 23);
    button->setDefault(true);
    const QSignalSpy clicked(button, &QPushButton::clicked);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    box->setItems(onOff());
    box->setSelectedIndex(startIndex);
    if (!startText.isNull())
        box->setText(startText);
    const QString textBefore = box->text();
    const SignalSpies spies(box);

    QTest::keyClick(toField ? static_cast<QWidget *>(box->lineEdit()) : box, Qt::Key(key));

    QCOMPARE(clicked.count(), 0);
    QVERIFY(dialog.isVisible());
    QCOMPARE(spies.firstRaised(), QString());
    QCOMPARE(box->selectedIndex(), startIndex);
    QCOMPARE(box->text(), textBefore);
    QCOMPARE(box->count(), 2);
}

void TestComboBox::enterDoesNotInsertTypedText()
{
    prepare(onOff(), 0);
    typeKeys(m_box, QStringLiteral("\b\b\bMaybe"));
    m_seen.clear();

    QTest::keyClick(m_box, Qt::Key_Return);

    QCOMPARE(m_box->count(), 2);
    QCOMPARE(m_box->itemText(0), QStringLiteral("OFF"));
    QCOMPARE(m_box->itemText(1), QStringLiteral("ON"));
    QCOMPARE(m_box->selectedIndex(), -1);
    QCOMPARE(m_box->text(), QStringLiteral("Maybe"));
    QVERIFY(m_seen.isEmpty());
}

void TestComboBox::focusOutKeepsState_data()
{
    QTest::addColumn<bool>("toField");
    QTest::addColumn<int>("reason");
    QTest::addColumn<int>("startIndex");
    QTest::addColumn<QString>("startText");

    const std::pair<const char *, Qt::FocusReason> reasons[] = {
        { "tab", Qt::TabFocusReason },
        { "backtab", Qt::BacktabFocusReason },
        { "mouse", Qt::MouseFocusReason },
        { "window", Qt::ActiveWindowFocusReason },
    };
    for (const bool toField : { false, true }) {
        for (const auto &[reasonName, reason] : reasons) {
            const QByteArray name = QByteArray(toField ? "field, " : "box, ") + reasonName;
            QTest::newRow(QByteArray(name + ", -1 showing OFF").constData())
                << toField << int(reason) << -1 << QStringLiteral("OFF");
            QTest::newRow(QByteArray(name + ", -1 showing on").constData())
                << toField << int(reason) << -1 << QStringLiteral("on");
            QTest::newRow(QByteArray(name + ", OFF showing ON").constData())
                << toField << int(reason) << 0 << QStringLiteral("ON");
        }
    }
}

void TestComboBox::focusOutKeepsState()
{
    QFETCH(bool, toField);
    QFETCH(int, reason);
    QFETCH(int, startIndex);
    QFETCH(QString, startText);

    prepare(onOff(), startIndex, startText);
    const SignalSpies spies(m_box);
    QWidget *target = toField ? static_cast<QWidget *>(m_box->lineEdit()) : m_box;

    QFocusEvent focusIn(QEvent::FocusIn, Qt::FocusReason(reason));
    QApplication::sendEvent(target, &focusIn);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::FocusReason(reason));
    QApplication::sendEvent(target, &focusOut);

    QCOMPARE(spies.firstRaised(), QString());
    QCOMPARE(m_box->selectedIndex(), startIndex);
    QCOMPARE(m_box->text(), startText);
}

void TestComboBox::listShowsEightRows_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("rows");

    for (const QString &style : { QStringLiteral("Windows"), QStringLiteral("Fusion"), QStringLiteral("menu popup") }) {
        QTest::newRow(qPrintable(style + QStringLiteral(", 33 items"))) << style << countries() << 8;
        QTest::newRow(qPrintable(style + QStringLiteral(", 2 items"))) << style << onOff() << 2;
    }
}

void TestComboBox::listShowsEightRows()
{
    QFETCH(QString, style);
    QFETCH(QStringList, items);
    QFETCH(int, rows);

    m_style = createStyle(style);
    QVERIFY(m_style);
    m_box->setStyle(m_style.get());
    prepare(items, 0);

    m_box->showPopup();
    QAbstractItemView *view = m_box->view();
    QTRY_VERIFY(view->isVisible());
    const int rowHeight = view->sizeHintForRow(0);
    QVERIFY(rowHeight > 0);
    QCOMPARE(view->viewport()->height() / rowHeight, rows);
    QCOMPARE(view->verticalScrollBar()->maximum() > 0, items.size() > rows);
    m_box->hidePopup();
}

// Held to eight rows, a list that drops down as a menu still puts the current item over the box.
void TestComboBox::menuListShowsCurrentItemOnBox()
{
    m_top->move(0, 250);
    m_style = createStyle(QStringLiteral("menu popup"));
    m_box->setStyle(m_style.get());
    prepare(countries(), 20);

    m_box->showPopup();
    QAbstractItemView *view = m_box->view();
    QTRY_VERIFY(view->isVisible());
    QCOMPARE(view->viewport()->height() / view->sizeHintForRow(0), 8);
    const QRect item = view->visualRect(view->currentIndex());
    QVERIFY(item.top() >= 0 && item.bottom() < view->viewport()->height());
    const QRect itemOnScreen(view->viewport()->mapToGlobal(item.topLeft()), item.size());
    const QRect boxOnScreen(m_box->mapToGlobal(QPoint(0, 0)), m_box->size());
    QVERIFY2(itemOnScreen.intersects(boxOnScreen),
        qPrintable(QStringLiteral("item at %1, box at %2").arg(itemOnScreen.y()).arg(boxOnScreen.y())));
    m_box->hidePopup();
}

void TestComboBox::ampersandShownAsCharacter_data()
{
    QTest::addColumn<QString>("style");
    QTest::newRow("Windows") << QStringLiteral("Windows");
    QTest::newRow("Fusion") << QStringLiteral("Fusion");
}

void TestComboBox::ampersandShownAsCharacter()
{
    QFETCH(QString, style);

    // Were "&" taken as an access-key marker, the rows with and without it would end at the same column. The first
    // row is selected so that neither of them carries the highlight or the focus frame.
    const QString withAmpersand = QStringLiteral("Camera&Video");
    QVERIFY(itemsOf("modecmb").contains(withAmpersand));
    m_style = createStyle(style);
    QVERIFY(m_style);
    m_box->setStyle(m_style.get());
    prepare({ QStringLiteral("Camera"), withAmpersand, QStringLiteral("CameraVideo") }, 0);
    const int ampersandWidth = m_box->view()->fontMetrics().horizontalAdvance(QLatin1Char('&'));

    m_box->showPopup();
    QAbstractItemView *view = m_box->view();
    QTRY_VERIFY(view->isVisible());
    const QImage list = view->viewport()->grab().toImage();
    const auto listInk
        = [&list, view](int row) { return inkRight(list, view->visualRect(view->model()->index(row, 0))); };
    const int listDifference = listInk(1) - listInk(2);
    m_box->hidePopup();
    QVERIFY2(qAbs(listDifference - ampersandWidth) <= 2, qPrintable(QString::number(listDifference)));

    QLineEdit *field = m_box->lineEdit();
    const auto fieldInk = [this, field](int index) {
        m_box->setSelectedIndex(index);
        const QImage image = field->grab().toImage();
        return inkRight(image, image.rect());
    };
    const int fieldDifference = fieldInk(1) - fieldInk(2);
    QVERIFY2(qAbs(fieldDifference - ampersandWidth) <= 2, qPrintable(QString::number(fieldDifference)));
    QCOMPARE(m_box->itemText(1), withAmpersand);
}

void TestComboBox::fontReachesFieldAndList_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<bool>("ownFont"); // the box's own font, or its parent's
    for (const QString &style : { QStringLiteral("Windows"), QStringLiteral("Fusion"), QStringLiteral("menu popup") }) {
        QTest::newRow(qPrintable(style + QStringLiteral(", parent's font"))) << style << false;
        QTest::newRow(qPrintable(style + QStringLiteral(", own font"))) << style << true;
    }
}

// The window sets its fonts after the boxes exist; the box, its edit field and its open list must all follow, or
// the list falls back to the application's font.
void TestComboBox::fontReachesFieldAndList()
{
    QFETCH(QString, style);
    QFETCH(bool, ownFont);

    m_style = createStyle(style);
    QVERIFY(m_style);
    m_box->setStyle(m_style.get());
    prepare(countries(), 0);

    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(23);
    font.setBold(true);
    if (ownFont)
        m_box->setFont(font);
    else
        m_top->setFont(font);

    const auto same = [&font](const QFont &shown) {
        return shown.family() == font.family() && shown.pixelSize() == font.pixelSize() && shown.bold() == font.bold();
    };
    QVERIFY(same(m_box->font()));
    QVERIFY(same(m_box->lineEdit()->font()));

    m_box->showPopup();
    QAbstractItemView *view = m_box->view();
    QTRY_VERIFY(view->isVisible());
    QVERIFY(same(view->font()));
    QVERIFY(view->sizeHintForRow(0) >= QFontMetrics(font).height());
    m_box->hidePopup();
}

QTEST_MAIN(TestComboBox)
#include "tst_combobox.moc"
