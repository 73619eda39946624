#include "fixtures.h"
#include "i18n/formtexts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

class TestFormTexts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void captions();
    void comboBoxes();
    void languageNames();
    void unknownControls();

private:
    QHash<QString, QJsonObject> m_form; // the window's snapshot by control name
};

// The texts are the ones the window shows, as its snapshot has them.
void TestFormTexts::initTestCase()
{
    const QList<QByteArray> lines = fixtures::ReadAll(fixtures::FormSnapshotFile()).split('\n');
    for (const QByteArray &line : lines) {
        const QJsonObject control = QJsonDocument::fromJson(line).object();
        if (!control.isEmpty())
            m_form.insert(control.value(u"name"_s).toString(), control);
    }
    QVERIFY2(m_form.size() > 100, qPrintable(fixtures::FormSnapshotFile()));
}

// Each captioned control once, the window's title aside.
void TestFormTexts::captions()
{
    QSet<QString> listed;
    for (const ControlCaption &caption : StartupCaptions()) {
        const QString control = QString::fromLatin1(caption.control);
        QVERIFY2(!listed.contains(control), caption.control);
        listed << control;
        const QString shown = m_form.value(control).value(u"caption"_s).toString();
        QVERIFY2(QString::fromUtf8(caption.text) == shown, qPrintable(control + u" shows \""_s + shown + u'"'));
    }
    for (const QJsonObject &control : std::as_const(m_form)) {
        const QString name = control.value(u"name"_s).toString();
        if (!control.value(u"caption"_s).toString().isEmpty() && control.contains(u"parent"_s))
            QVERIFY2(listed.contains(name), qPrintable(name));
    }
    QCOMPARE(WindowCaption(), m_form.value(u"Tmainform1"_s).value(u"caption"_s).toString());
}

// Each combo box once; only a box that starts without a selection shows a text, one of its items.
void TestFormTexts::comboBoxes()
{
    QSet<QString> listed;
    for (const ComboItems &box : StartupComboItems()) {
        const QString name = QString::fromLatin1(box.control);
        QVERIFY2(!listed.contains(name), box.control);
        listed << name;
        const QJsonObject shown = m_form.value(name);
        QCOMPARE(box.items, shown.value(u"items"_s).toVariant().toStringList());
        QCOMPARE(QSet<QString>(box.items.begin(), box.items.end()).size(), box.items.size());
        QCOMPARE(box.initialText, shown.value(u"index"_s).toInt() < 0 ? shown.value(u"text"_s).toString() : QString());
        QVERIFY2(box.initialText.isEmpty() || box.items.contains(box.initialText), box.control);
    }
    for (const QJsonObject &control : std::as_const(m_form)) {
        if (control.contains(u"items"_s))
            QVERIFY2(
                listed.contains(control.value(u"name"_s).toString()), qPrintable(control.value(u"name"_s).toString()));
    }
}

void TestFormTexts::languageNames()
{
    QCOMPARE(LanguageNames(), m_form.value(u"langcmb"_s).value(u"items"_s).toVariant().toStringList());
}

void TestFormTexts::unknownControls()
{
    QVERIFY(StartupCaption(u"Label63"_s).isNull());
    QVERIFY(StartupCaption(u"GroupBox4"_s).isNull());
    QVERIFY(StartupCaption(u"label1"_s).isNull());
    QVERIFY(!FindStartupComboItems(u"ComboBox11"_s));
    QVERIFY(!FindStartupComboItems(u"Label1"_s));
}

QTEST_APPLESS_MAIN(TestFormTexts)
#include "tst_formtexts.moc"
