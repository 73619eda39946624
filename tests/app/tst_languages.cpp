// The language switch as the user drives it from the language box: what it
// retitles and rebuilds, and everything it must leave alone.

#include "formtest.h"

#include "i18n/captiontable.h"
#include "i18n/formtexts.h"
#include "settings/parameterdata.h"
#include "settings/parameterfile.h"
#include "values/startupvalues.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using formtest::PickItem;

namespace {

// Positions in the language box, by the name it shows.
const int English = int(LanguageNames().indexOf(u"English"));
const int Deutsch = int(LanguageNames().indexOf(u"Deutsch"));
const int Polski = int(LanguageNames().indexOf(u"Polski"));
const int Russkij = int(LanguageNames().indexOf(u"Русский"));
const int Cesky = int(LanguageNames().indexOf(u"Česky"));

QStringList tableAControls()
{
    QStringList names;
    for (const char *name : CaptionControls)
        names << QLatin1String(name);
    return names;
}

QStringList tableBControls()
{
    QStringList names;
    for (const char *name : ItemListControls)
        names << QLatin1String(name);
    return names;
}

QStringList ItemsOf(const TComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

// Everything a switch could touch by mistake, keyed by what it is: formtest's snapshot of the controls, here
// with every item of every list, plus the place, size and font of every widget, the tab captions and the title.
// A retitled label sizes itself to its caption, so only its place counts.
QMap<QString, QVariant> FullSnapshot(const Tmainform1 &window)
{
    QMap<QString, QVariant> state = formtest::Snapshot(window);
    const QStringList resized = tableAControls();
    const auto widgets = window.findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        const QString name = widget->objectName();
        if (widget->window() != &window || name.isEmpty() || name.startsWith(u"qt_"))
            continue;
        if (auto *box = qobject_cast<TComboBox *>(widget))
            state[name + u" items"_s] = ItemsOf(box);
        const bool sizesItself = qobject_cast<QLabel *>(widget) && resized.contains(name);
        state[name + u" geometry"_s] = sizesItself ? QVariant(widget->pos()) : QVariant(widget->geometry());
        state[name + u" font"_s] = widget->font();
    }
    for (int i = 0; i < window.PageControl1->count(); ++i)
        state[u"tab %1"_s.arg(i)] = window.PageControl1->tabText(i);
    state[u"window title"_s] = window.windowTitle();
    return state;
}

// The control a snapshot key belongs to.
QString ControlOf(const QString &key)
{
    return key.section(u' ', 0, 0);
}

QStringList ChangedControls(const QMap<QString, QVariant> &before, const QMap<QString, QVariant> &after)
{
    QStringList names;
    for (const QString &key : formtest::Changed(before, after)) {
        if (!names.contains(ControlOf(key)))
            names << ControlOf(key);
    }
    return names;
}

QString CaptionOf(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (const auto *box = qobject_cast<const QGroupBox *>(control))
        return box->title();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    return {};
}

// What would hide part of a caption on `page`: a letter that no face at hand can draw, a retitled label running
// into a box or label beside it or out of its group, a caption narrowed past reading, a group caption wider than its
// frame.
QStringList CaptionProblems(const QWidget *page)
{
    QStringList problems;
    for (const QString &name : tableAControls()) {
        const auto *label = page->findChild<QLabel *>(name);
        if (!label)
            continue;
        const QString caption = u"%1 \"%2\""_s.arg(name, label->text());
        for (const char32_t letter : label->text().toUcs4()) {
            if (!label->fontMetrics().inFontUcs4(letter))
                problems << caption + u" cannot draw U+%1"_s.arg(uint(letter), 4, 16, QLatin1Char('0'));
        }
        const QWidget *group = label->parentWidget();
        if (!group->rect().contains(label->geometry()))
            problems << caption + u" leaves its group"_s;
        const auto siblings = group->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (const QWidget *sibling : siblings) {
            if (sibling != label && !sibling->isHidden() && label->geometry().intersects(sibling->geometry()))
                problems << caption + u" runs into "_s + sibling->objectName();
        }
        if (label->font().stretch() != QFont::AnyStretch && label->font().stretch() < 50)
            problems << caption + u" narrowed to %1%"_s.arg(label->font().stretch());
    }
    const auto groups = page->findChildren<QGroupBox *>();
    for (const QGroupBox *group : groups) {
        if (!group->title().isEmpty() && group->fontMetrics().horizontalAdvance(group->title()) > group->width() - 16)
            problems << group->objectName() + u" caption too wide"_s;
    }
    return problems;
}

} // namespace

class TestLanguages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PrepareApplication(); }
    void init();
    void cleanup();

    void everyLanguage_data();
    void everyLanguage();
    void germanKeepsEnglishItems();
    void englishRightAfterStartup();
    void boxesWithoutSelectionStayBlank_data();
    void boxesWithoutSelectionStayBlank();
    void typedTextIsLost();
    void typedLanguage_data();
    void typedLanguage();
    void loadSetsLanguageWithoutSwitching();
    void defaultSetsEnglishWithoutSwitching();
    void savedFileSurvivesSwitches_data();
    void savedFileSurvivesSwitches();
    void switchRunsNoOtherHandler();

    void everyBoxDrawsInItsGroupsFont();
    void captionsStayReadable_data();
    void captionsStayReadable();
    void screenshots_data();
    void screenshots();

private:
    void pickLanguage(int language);
    QByteArray save(const QString &name);
    TComboBox *box(const QString &name) const { return m_window->findChild<TComboBox *>(name); }

    std::unique_ptr<Tmainform1> m_window;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestLanguages::init()
{
    m_window = std::make_unique<Tmainform1>();
    // The clock would change the pickers, and the clock bytes of a saved file, between two looks.
    m_window->Timer1->stop();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestLanguages::cleanup()
{
    m_window.reset();
    m_dir.reset();
}

void TestLanguages::pickLanguage(int language)
{
    PickItem(m_window->langcmb, language);
    QCOMPARE(m_window->langcmb->selectedIndex(), language);
}

// Saves through the button and the save dialog; returns the file's bytes.
QByteArray TestLanguages::save(const QString &name)
{
    const QString path = m_dir->filePath(name);
    formtest::ModalAnswerer answerer(m_window.get());
    answerer.fileDialog(path);
    QTest::mouseClick(m_window->Button3, Qt::LeftButton);
    [&] {
        QVERIFY(answerer.allAnswered());
        QCOMPARE(answerer.unexpected(), QStringList());
    }();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestLanguages::everyLanguage_data()
{
    QTest::addColumn<int>("language");
    const QStringList names = LanguageNames();
    for (int i = 0; i < names.size(); ++i)
        QTest::newRow(names.at(i).toUtf8().constData()) << i;
}

// Table A shows the entry's captions, table B holds its items with the selections kept, and nothing else moves.
void TestLanguages::everyLanguage()
{
    QFETCH(int, language);
    Tmainform1 &w = *m_window;
    // Picked first: switching FTP on switches MMS and SMTP off.
    PickItem(w.ComboBox10, 1);
    PickItem(w.isocmb, 3);
    formtest::TypeText(w.phone2, u"+44 7700 900123"_s);
    // A selection of its own in every rebuilt box, the last item in several, -1 in ComboBox6.
    const QList<int> selected { 2, 8, 3, 2, 1, 1, 1, 0, 0, -1 };
    const QStringList rebuilt = tableBControls();
    for (int i = 0; i < rebuilt.size(); ++i)
        box(rebuilt.at(i))->setSelectedIndex(selected.at(i));

    const auto before = FullSnapshot(w);
    pickLanguage(language);
    const auto after = FullSnapshot(w);

    const CaptionEntry &entry = CaptionTable(language);
    const QStringList retitled = tableAControls();
    for (int i = 0; i < retitled.size(); ++i) {
        QWidget *control = w.findChild<QWidget *>(retitled.at(i));
        QVERIFY2(control, qPrintable(retitled.at(i)));
        QCOMPARE(CaptionOf(control), entry.captions.at(static_cast<std::size_t>(i)));
        if (qobject_cast<QLabel *>(control))
            QCOMPARE(control->size(), control->sizeHint());
    }
    for (int i = 0; i < rebuilt.size(); ++i) {
        TComboBox *combo = box(rebuilt.at(i));
        const QStringList &items = entry.items.at(static_cast<std::size_t>(i));
        QCOMPARE(ItemsOf(combo), items);
        QCOMPARE(combo->selectedIndex(), selected.at(i));
        QCOMPARE(combo->text(), items.value(selected.at(i)));
    }

    QStringList allowed = retitled + rebuilt;
    allowed << u"langcmb"_s; // picked, so its own state differs from a fresh window's only by the pick
    for (const QString &name : ChangedControls(before, after))
        QVERIFY2(allowed.contains(name), qPrintable(name + u" changed"_s));
    QCOMPARE(w.langcmb->text(), LanguageNames().at(language));
    QCOMPARE(ItemsOf(w.langcmb), LanguageNames());
}

void TestLanguages::germanKeepsEnglishItems()
{
    Tmainform1 &w = *m_window;
    PickItem(w.intvcmb, 1);
    PickItem(w.motcmb, 2);
    pickLanguage(Deutsch);
    QCOMPARE(w.intvcmb->selectedIndex(), 1);
    QCOMPARE(w.intvcmb->text(), u"5 Sek"_s);
    QCOMPARE(w.intvcmb->itemText(8), u"30 Minutes"_s);
    QCOMPARE(w.motcmb->selectedIndex(), 2);
    QCOMPARE(w.motcmb->text(), u"Low"_s);
    QCOMPARE(w.Label10->text(), u"Sprache"_s);
    QCOMPARE(w.GroupBox1->title(), u"Camera"_s);
}

// English is not the start-up texts: picking it brings the fourth mode and the table's own spellings.
void TestLanguages::englishRightAfterStartup()
{
    Tmainform1 &w = *m_window;
    QCOMPARE(w.modecmb->count(), 3);
    QCOMPARE(w.ComboBox2->text(), u"AUTO"_s);
    PickItem(w.intvcmb, 1);
    QCOMPARE(w.intvcmb->text(), u"5 Seconds"_s);

    pickLanguage(English);
    QCOMPARE(w.modecmb->count(), 4);
    QCOMPARE(w.modecmb->itemText(3), u"TimeLapse"_s);
    QCOMPARE(w.modecmb->itemText(2), u"Camera&video"_s);
    QCOMPARE(w.intvcmb->text(), u"5 Second"_s);
    QCOMPARE(w.ComboBox2->selectedIndex(), 1);
    QCOMPARE(w.ComboBox2->text(), u"Auto"_s);

    // Now the user can pick the fourth mode, and it stays picked through another switch.
    PickItem(w.modecmb, 3);
    pickLanguage(Cesky);
    QCOMPARE(w.modecmb->selectedIndex(), 3);
    QCOMPARE(w.modecmb->text(), u"Časový sběr"_s);
}

void TestLanguages::boxesWithoutSelectionStayBlank_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << int(English);
    QTest::newRow("Русский") << int(Russkij);
}

// ComboBox5 and ComboBox6 start showing "OFF" and "AUTO" with nothing selected; a switch empties them.
void TestLanguages::boxesWithoutSelectionStayBlank()
{
    QFETCH(int, language);
    Tmainform1 &w = *m_window;
    QCOMPARE(w.ComboBox5->selectedIndex(), -1);
    QCOMPARE(w.ComboBox5->text(), u"OFF"_s);
    QCOMPARE(w.ComboBox6->text(), u"AUTO"_s);

    pickLanguage(language);
    for (TComboBox *blank : { w.ComboBox5, w.ComboBox6 }) {
        QCOMPARE(blank->selectedIndex(), -1);
        QCOMPARE(blank->text(), QString());
        QCOMPARE(blank->count(), 2);
    }
    // The boxes the switch leaves alone keep their start-up text.
    QCOMPARE(w.ComboBox10->selectedIndex(), -1);
    QCOMPARE(w.ComboBox10->text(), u"OFF"_s);
    QCOMPARE(w.ComboBox12->text(), u"China"_s);
}

void TestLanguages::typedTextIsLost()
{
    Tmainform1 &w = *m_window;
    formtest::TypeText(w.rslcmb->lineEdit(), u"24 MP"_s);
    QCOMPARE(w.rslcmb->selectedIndex(), -1);
    QCOMPARE(w.rslcmb->text(), u"24 MP"_s);
    formtest::TypeText(w.isocmb->lineEdit(), u"800"_s); // not rebuilt: keeps what was typed

    pickLanguage(Polski);
    QCOMPARE(w.rslcmb->selectedIndex(), -1);
    QCOMPARE(w.rslcmb->text(), QString());
    QCOMPARE(w.isocmb->text(), u"800"_s);
}

void TestLanguages::typedLanguage_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("label10");
    QTest::newRow("completed to a language") << u"Deu"_s << int(Deutsch) << u"Sprache"_s;
    QTest::newRow("names no language") << u"Klingon"_s << -1 << u"Język"_s;
}

// Typing into the language box switches once the text names a language; other text changes nothing.
void TestLanguages::typedLanguage()
{
    QFETCH(QString, typed);
    QFETCH(int, index);
    QFETCH(QString, label10);
    Tmainform1 &w = *m_window;
    pickLanguage(Polski);
    const auto before = FullSnapshot(w);

    formtest::TypeText(w.langcmb->lineEdit(), typed);
    QCOMPARE(w.langcmb->selectedIndex(), index);
    QCOMPARE(w.Label10->text(), label10);
    if (index < 0)
        QCOMPARE(ChangedControls(before, FullSnapshot(w)), QStringList { u"langcmb"_s });
    else
        QCOMPARE(w.intvcmb->itemText(0), u"1 Sek"_s);
}

// Load names Русский in the language box; the texts wait until the user picks it.
void TestLanguages::loadSetsLanguageWithoutSwitching()
{
    Tmainform1 &w = *m_window;
    ParameterValues values = StartupParameterValues();
    values.langcmb = Russkij;
    values.intvcmb = 2;
    values.clock = ClockValue { 2024, 1, 2, 3, 4, 5 };
    const QString path = m_dir->filePath(u"russian.dat"_s);
    QString error;
    QVERIFY2(WriteParameterFile(path, BuildParameterData(values), &error), qPrintable(error));

    const auto before = FullSnapshot(w);
    formtest::ModalAnswerer answerer(&w);
    answerer.fileDialog(path);
    QTest::mouseClick(w.Button1, Qt::LeftButton);
    QVERIFY(answerer.allAnswered());
    QCOMPARE(answerer.unexpected(), QStringList());

    QCOMPARE(w.langcmb->selectedIndex(), int(Russkij));
    QCOMPARE(w.langcmb->text(), u"Русский"_s);
    QCOMPARE(w.intvcmb->text(), u"10 Seconds"_s);
    const auto after = FullSnapshot(w);
    for (const QString &key : before.keys()) {
        const bool caption = tableAControls().contains(key) || key.endsWith(u" items"_s);
        if (caption)
            QVERIFY2(before.value(key) == after.value(key), qPrintable(key + u" changed"_s));
    }

    pickLanguage(Russkij);
    QCOMPARE(w.Label10->text(), u"Язык"_s);
    QCOMPARE(w.Button3->text(), u"Сохранить"_s);
    QCOMPARE(w.intvcmb->text(), u"10 секунда"_s);
}

void TestLanguages::defaultSetsEnglishWithoutSwitching()
{
    Tmainform1 &w = *m_window;
    pickLanguage(Russkij);
    const auto before = FullSnapshot(w);
    QTest::mouseClick(w.Button2, Qt::LeftButton);

    QCOMPARE(w.langcmb->selectedIndex(), 0);
    QCOMPARE(w.langcmb->text(), u"English"_s);
    const auto after = FullSnapshot(w);
    for (const QString &key : before.keys()) {
        if (tableAControls().contains(key) || key.endsWith(u" items"_s))
            QVERIFY2(before.value(key) == after.value(key), qPrintable(key + u" changed"_s));
    }
    QCOMPARE(w.Label10->text(), u"Язык"_s);
    QCOMPARE(w.motcmb->text(), u"Высокая"_s);
}

void TestLanguages::savedFileSurvivesSwitches_data()
{
    QTest::addColumn<QList<int>>("switches"); // ends on the language of the first save, which the file stores
    QTest::newRow("English and back") << QList<int> { English, Russkij, English };
    QTest::newRow("through all") << QList<int> { Russkij, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, Russkij };
    QTest::newRow("the same twice") << QList<int> { Cesky, Cesky, Polski, Cesky };
}

// Save stores positions, so the file does not depend on the language the window was in.
void TestLanguages::savedFileSurvivesSwitches()
{
    QFETCH(QList<int>, switches);
    Tmainform1 &w = *m_window;
    pickLanguage(switches.first());
    PickItem(w.modecmb, 3);
    PickItem(w.rslcmb, 1);
    PickItem(w.intvcmb, 7);
    PickItem(w.mtcmb, 2);
    PickItem(w.motcmb, 1);
    PickItem(w.passcmb, 1);
    PickItem(w.ComboBox2, 0);
    PickItem(w.ComboBox1, 1);
    const QByteArray first = save(u"first.dat"_s);
    QCOMPARE(first.size(), 2128);

    for (int language : switches)
        pickLanguage(language);
    QCOMPARE(save(u"second.dat"_s), first);
}

// Filling a box from code raises no change event, so the ON/OFF coupling stays out of a switch.
void TestLanguages::switchRunsNoOtherHandler()
{
    Tmainform1 &w = *m_window;
    // Both on, as a file can hold them.
    w.ComboBox1->setSelectedIndex(1);
    w.ComboBox5->setSelectedIndex(1);
    PickItem(w.dtfmtcmb, 1);
    const QString dateFormat = w.DateTimePicker3->displayFormat();

    pickLanguage(Russkij);
    QCOMPARE(w.ComboBox1->selectedIndex(), 1);
    QCOMPARE(w.ComboBox5->selectedIndex(), 1);
    QCOMPARE(w.ComboBox1->text(), u"вкл"_s);
    QCOMPARE(w.ComboBox5->text(), u"вкл"_s);
    QCOMPARE(w.ComboBox10->text(), u"OFF"_s);
    QCOMPARE(w.DateTimePicker3->displayFormat(), dateFormat);
    QCOMPARE(w.ComboBox4->text(), u"Movistar"_s);
}

// A translated item is drawn in the box, its edit field and its open list through the same face and size as the
// captions of its group.
void TestLanguages::everyBoxDrawsInItsGroupsFont()
{
    Tmainform1 &w = *m_window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    pickLanguage(Russkij);
    const auto same = [](const QFont &a, const QFont &b) {
        return QFontInfo(a).family() == QFontInfo(b).family() && QFontInfo(a).pixelSize() == QFontInfo(b).pixelSize()
            && a.bold() == b.bold();
    };
    const auto boxes = w.findChildren<TComboBox *>();
    QCOMPARE(boxes.size(), qsizetype(StartupComboItems().size()));
    for (TComboBox *combo : boxes) {
        const QString name = combo->objectName();
        const auto *label = combo->parentWidget()->findChild<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY2(label, qPrintable(name));
        QVERIFY2(same(combo->font(), label->font()), qPrintable(name));
        QVERIFY2(same(combo->lineEdit()->font(), label->font()), qPrintable(name));
        for (QWidget *page = combo; page; page = page->parentWidget()) {
            if (w.PageControl1->indexOf(page) >= 0)
                w.PageControl1->setCurrentWidget(page);
        }
        combo->showPopup();
        QTRY_VERIFY(combo->view()->isVisible());
        QVERIFY2(same(combo->view()->font(), label->font()), qPrintable(name));
        combo->hidePopup();
    }
}

void TestLanguages::captionsStayReadable_data()
{
    everyLanguage_data();
}

// Every page in every language, and back to English, where nothing is narrowed any more.
void TestLanguages::captionsStayReadable()
{
    QFETCH(int, language);
    Tmainform1 &w = *m_window;
    const auto fonts = [&w] {
        QMap<QString, QFont> all;
        for (const QString &name : tableAControls())
            all[name] = w.findChild<QWidget *>(name)->font();
        return all;
    };
    const QMap<QString, QFont> startup = fonts();

    pickLanguage(language);
    for (int page = 0; page < w.PageControl1->count(); ++page) {
        const QStringList problems = CaptionProblems(w.PageControl1->widget(page));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u"; "_s)));
    }

    pickLanguage(English);
    QCOMPARE(fonts(), startup);
    for (const QString &name : tableAControls()) {
        QWidget *control = w.findChild<QWidget *>(name);
        if (qobject_cast<QLabel *>(control))
            QCOMPARE(control->size(), control->sizeHint());
    }
}

void TestLanguages::screenshots_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("page");
    for (const auto &[language, name] : { std::pair { int(Russkij), "ru" }, std::pair { int(Polski), "pl" },
             std::pair { int(Cesky), "cs" }, std::pair { 5, "pt" } }) {
        QTest::addRow("%s-menu", name) << language << 0;
        QTest::addRow("%s-mms", name) << language << 1;
    }
}

// Renders the page for a look by eye, which also judges how the narrowed captions read.
void TestLanguages::screenshots()
{
    QFETCH(int, language);
    QFETCH(int, page);
    Tmainform1 &w = *m_window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    pickLanguage(language);
    w.PageControl1->setCurrentIndex(page);

    const QDir out(QStringLiteral(TEST_BINARY_DIR));
    const QString tag = QLatin1String(QTest::currentDataTag());
    const QString path = out.filePath(u"languages-%1.png"_s.arg(tag));
    QVERIFY2(w.grab().save(path), qPrintable(path));

    // And a translated list as it drops down, which is a window of its own.
    TComboBox *list = page == 0 ? w.intvcmb : w.ComboBox1;
    list->showPopup();
    QTRY_VERIFY(list->view()->isVisible());
    const QString listPath = out.filePath(u"languages-%1-list.png"_s.arg(tag));
    QVERIFY2(list->view()->window()->grab().save(listPath), qPrintable(listPath));
    list->hidePopup();

    const QStringList problems = CaptionProblems(w.PageControl1->currentWidget());
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u"; "_s)));
}

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
