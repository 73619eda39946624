// The freshly started window against its snapshot, data/startup-form.jsonl:
// every control's kind, parent, place, font, keyboard order, caption, items
// and state; and what holds for every control.

#include "fixtures.h"
#include "formtest.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProxyStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int Unlimited = 32767; // QLineEdit's own maximum length

// A control of the form: a widget with a name, not one of the parts Qt's widgets are made of.
bool IsControl(const QWidget *widget)
{
    return !widget->objectName().isEmpty() && !widget->objectName().startsWith(u"qt_"_s)
        && !qobject_cast<const QTabBar *>(widget->parentWidget()); // its scroll buttons
}

// The control `widget` is or lies in.
QWidget *ControlOf(QWidget *widget)
{
    while (widget && !IsControl(widget))
        widget = widget->parentWidget();
    return widget;
}

QWidget *ParentControl(const QWidget *control)
{
    return ControlOf(control->parentWidget());
}

// Each control's place among its siblings in the order the keyboard's focus chain enters them; the
// chain must pass through each control's own controls in one run.
QHash<const QWidget *, int> TabOrder(QWidget *window, QStringList *problems)
{
    QHash<const QWidget *, QList<QWidget *>> runs; // by parent
    QWidget *widget = window;
    do {
        widget = widget->nextInFocusChain();
        if (!(widget->focusPolicy() & Qt::TabFocus))
            continue;
        for (QWidget *child = ControlOf(widget); child && child != window; child = ParentControl(child)) {
            QList<QWidget *> &run = runs[ParentControl(child)];
            if (!run.isEmpty() && run.last() == child)
                continue;
            if (run.contains(child))
                *problems << child->objectName() + u" left and entered again"_s;
            run << child;
        }
    } while (widget != window);
    QHash<const QWidget *, int> order;
    for (const QList<QWidget *> &run : std::as_const(runs)) {
        for (QWidget *child : run)
            order.insert(child, int(run.indexOf(child)));
    }
    return order;
}

// One control a line, its name first, so that a change shows as the lines it touches.
QString SnapshotLine(const QList<std::pair<const char *, QJsonValue>> &members)
{
    QStringList parts;
    for (const auto &[key, value] : members) {
        const QByteArray json = QJsonDocument(QJsonArray { value }).toJson(QJsonDocument::Compact);
        parts << u"\"%1\": %2"_s.arg(QLatin1StringView(key), QString::fromUtf8(json.mid(1, json.size() - 2)));
    }
    return u'{' + parts.join(u", "_s) + u'}';
}

QJsonArray JsonOf(const QRect &rect)
{
    return { rect.x(), rect.y(), rect.width(), rect.height() };
}

// The window as it starts: every control's kind, parent, place, keyboard order, font, caption, items and state.
QStringList FormSnapshot(Tmainform1 &window, QStringList *problems)
{
    const QHash<const QWidget *, int> tabOrder = TabOrder(&window, problems);
    QStringList lines;
    QList<QWidget *> controls = window.findChildren<QWidget *>();
    controls.prepend(&window);
    for (QWidget *control : std::as_const(controls)) {
        if (!IsControl(control) || control->window() != &window)
            continue;
        QList<std::pair<const char *, QJsonValue>> line {
            { "name", control->objectName() },
            { "class", QString::fromLatin1(control->metaObject()->className()) },
        };
        const QWidget *parent = ParentControl(control);
        const auto *tabs = qobject_cast<const QTabWidget *>(parent);
        if (parent)
            line.append({ "parent", parent->objectName() });
        if (control == &window) // laid out by the window system
            line.append({ "size", QJsonArray { window.width(), window.height() } });
        else if (tabs)
            line.append({ "page", tabs->indexOf(control) });
        else if (qobject_cast<QLabel *>(control)) // sized to its caption
            line.append({ "at", QJsonArray { control->x(), control->y() } });
        else
            line.append({ "geometry", JsonOf(control->geometry()) });
        if (tabOrder.contains(control))
            line.append({ "tab", tabOrder.value(control) });
        const QFont font = control->font();
        line.append({ "font",
            u"%1 %2%3"_s.arg(font.family()).arg(font.pixelSize()).arg(font.bold() ? u" bold"_s : QString()) });

        if (control == &window)
            line.append({ "caption", window.windowTitle() });
        else if (tabs)
            line.append({ "caption", tabs->tabText(tabs->indexOf(control)) });
        else if (auto *label = qobject_cast<QLabel *>(control))
            line.append({ "caption", label->text() });
        else if (auto *group = qobject_cast<QGroupBox *>(control))
            line.append({ "caption", group->title() });
        else if (auto *button = qobject_cast<QAbstractButton *>(control))
            line.append({ "caption", button->text() });
        if (auto *button = qobject_cast<QAbstractButton *>(control); button && button->isCheckable())
            line.append({ "checked", button->isChecked() });
        if (auto *box = qobject_cast<TComboBox *>(control)) {
            QStringList items;
            for (int i = 0; i < box->count(); ++i)
                items << box->itemText(i);
            line.append({ "items", QJsonArray::fromStringList(items) });
            line.append({ "index", box->selectedIndex() });
            line.append({ "text", box->text() });
        } else if (auto *edit = qobject_cast<QLineEdit *>(control)) {
            line.append({ "text", edit->text() });
            if (edit->maxLength() != Unlimited)
                line.append({ "maxLength", edit->maxLength() });
            if (edit->echoMode() != QLineEdit::Normal)
                line.append({ "echo",
                    QLatin1StringView(QMetaEnum::fromType<QLineEdit::EchoMode>().valueToKey(edit->echoMode())) });
        }
        if (!control->isEnabled())
            line.append({ "enabled", false });
        lines << SnapshotLine(line);
    }
    return lines;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PrepareApplication(); }
    void init() { m_window = std::make_unique<Tmainform1>(); }
    void cleanup() { m_window.reset(); }

    void window();
    void form();
    void controls();
    void pickers();
    void fontFace();
    void nothingMadeAhead();

private:
    std::unique_ptr<Tmainform1> m_window;
};

void TestStartup::window()
{
    Tmainform1 &w = *m_window;
    QCOMPARE(w.minimumSize(), w.size());
    QCOMPARE(w.maximumSize(), w.size());

    const Qt::WindowFlags flags = w.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

    const auto *proxy = qobject_cast<const QProxyStyle *>(w.style());
    QVERIFY(proxy);
    QCOMPARE(proxy->baseStyle()->name().toLower(), u"windows"_s);
    QCOMPARE(w.palette().color(QPalette::Window), QColor(185, 209, 234));
    QVERIFY(w.TabSheet1->palette().color(QPalette::Window) != QColor(185, 209, 234));

    QCOMPARE(w.PageControl1->currentWidget(), w.TabSheet1);

    QVERIFY(!w.windowIcon().isNull());
    QCOMPARE(w.windowIcon().actualSize(QSize(256, 256)), QSize(32, 32));

    for (QPushButton *button : { w.Button1, w.Button2, w.Button3 }) {
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }
}

// Against the snapshot of the form checked in beside this test; TRAILCAM_UPDATE_SNAPSHOTS=1 writes it
// anew, to be looked over as a diff.
void TestStartup::form()
{
    QStringList problems;
    const QStringList lines = FormSnapshot(*m_window, &problems);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u"; "_s)));
    QFile file(fixtures::FormSnapshotFile());
    if (qEnvironmentVariable("TRAILCAM_UPDATE_SNAPSHOTS") == u"1"_s) {
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write((lines.join(u'\n') + u'\n').toUtf8()) > 0);
        QSKIP(qPrintable(u"wrote "_s + file.fileName()));
    }
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QStringList stored = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QStringList differences;
    for (const QString &line : stored) {
        if (!lines.contains(line))
            differences << u"- "_s + line;
    }
    for (const QString &line : lines) {
        if (!stored.contains(line))
            differences << u"+ "_s + line;
    }
    QVERIFY2(differences.isEmpty() && lines == stored,
        qPrintable(u"the window (+) against "_s + file.fileName() + u" (-):\n"_s + differences.join(u'\n')));
}

// What holds for every control whatever the snapshot says.
void TestStartup::controls()
{
    const auto widgets = m_window->findChildren<QWidget *>();
    for (QWidget *control : widgets) {
        if (!IsControl(control))
            continue;
        const QByteArray name = control->objectName().toLatin1();
        // Drawn through the window's style, some behind a style sheet of their own.
        const QStyle *style = control->style();
        QVERIFY2(style == m_window->style() || style->styleHint(QStyle::SH_LineEdit_PasswordCharacter) == '*', name);
        if (qobject_cast<QLabel *>(control))
            QVERIFY2(control->size() == control->sizeHint(), name);
        if (auto *box = qobject_cast<TComboBox *>(control)) {
            QVERIFY2(box->isEditable(), name);
            QVERIFY2(box->lineEdit()->font() == box->font(), name); // the text it shows
        }
        if (auto *edit = qobject_cast<QLineEdit *>(control); edit && edit->echoMode() == QLineEdit::Password) {
            // Shown as stars, not the style's bullets.
            edit->setText(u"ab1"_s);
            QCOMPARE(edit->displayText(), u"***"_s);
        }
    }
}

void TestStartup::pickers()
{
    Tmainform1 &w = *m_window;
    const QLocale locale = QLocale::system();

    QCOMPARE(w.DateTimePicker3->dateTime(), QDateTime(QDate(2021, 11, 26), QTime(13, 57, 42)));
    QCOMPARE(w.DateTimePicker3->displayFormat(), locale.dateFormat(QLocale::ShortFormat));
    QCOMPARE(w.DateTimePicker3->text(), locale.toString(QDate(2021, 11, 26), QLocale::ShortFormat));
    QVERIFY(w.DateTimePicker3->calendarPopup());

    QCOMPARE(w.DateTimePicker4->time(), QTime(13, 48, 24));
    QCOMPARE(w.DateTimePicker1->time(), QTime(0, 0, 0));
    QCOMPARE(w.DateTimePicker2->time(), QTime(23, 59, 59));
    // The time pickers show seconds (the tests run in the C locale).
    QCOMPARE(w.DateTimePicker4->text(), u"13:48:24"_s);
    QCOMPARE(w.DateTimePicker1->text(), u"00:00:00"_s);
    QCOMPARE(w.DateTimePicker2->text(), u"23:59:59"_s);
    for (QDateTimeEdit *picker : { w.DateTimePicker1, w.DateTimePicker2, w.DateTimePicker4 })
        QCOMPARE(picker->displayedSections() & QDateTimeEdit::DateSections_Mask, 0);

    // The time lies over the right 44 pixels of the date, created after it.
    QCOMPARE(w.DateTimePicker3->geometry().right() + 1 - w.DateTimePicker4->x(), 44);
    const QObjectList siblings = w.GroupBox3->children();
    QVERIFY(siblings.indexOf(w.DateTimePicker4) > siblings.indexOf(w.DateTimePicker3));
    const QPoint overlap(w.DateTimePicker4->x() + 5, w.DateTimePicker4->y() + 5);
    QWidget *top = w.GroupBox3->childAt(overlap);
    QVERIFY(top == w.DateTimePicker4 || w.DateTimePicker4->isAncestorOf(top));
}

// Whatever face stands in for the form's own, it must carry the letters of
// the window's languages.
void TestStartup::fontFace()
{
    const QFont font = m_window->Label1->font();
    const QString face = QFontInfo(font).family();
    QVERIFY2(QStringList({ u"宋体"_s, u"SimSun"_s, u"NSimSun"_s, u"WenQuanYi Zen Hei Mono"_s, u"WenQuanYi Zen Hei"_s,
                             u"DejaVu Sans"_s })
                 .contains(face),
        qPrintable(face));
    const QFontMetrics metrics(font);
    for (const char32_t letter : { U'é', U'ç', U'č', U'ő', U'ß', U'Ж', U'ы' })
        QVERIFY2(metrics.inFontUcs4(letter), qPrintable(face + u' ' + QString::number(letter, 16)));
}

// Start-up builds neither dialog nor image; the clock waits a full second.
void TestStartup::nothingMadeAhead()
{
    Tmainform1 &w = *m_window;
    QVERIFY(!w.OpenDialog1);
    QVERIFY(!w.SaveDialog1);
    QVERIFY(w.findChildren<QFileDialog *>().isEmpty());
    QVERIFY(w.imageBuffer().isEmpty());

    QCOMPARE(w.Timer1->objectName(), u"Timer1"_s);
    QCOMPARE(w.findChild<QTimer *>(u"Timer1"_s), w.Timer1);
    QCOMPARE(w.Timer1->interval(), 1000);
    QVERIFY(w.Timer1->isActive());
    QVERIFY(!w.Timer1->isSingleShot());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
