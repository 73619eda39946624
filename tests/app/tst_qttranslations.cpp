// Qt's own texts in the system's language; runs under a German locale.

#include "app/application.h"
#include "app/mainform.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestQtTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); } // the file dialog keeps its state
    void dialogsSpeakTheSystemLanguage();
};

void TestQtTranslations::dialogsSpeakTheSystemLanguage()
{
    QCOMPARE(QLocale::system().language(), QLocale::German); // set by the test's environment
    const QString catalog = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_de.qm"_s;
    if (!QFile::exists(catalog))
        QSKIP(qPrintable(u"Qt's German texts are not installed (%1; Debian: qt6-translations-l10n)"_s.arg(catalog)));

    PrepareApplication(); // as the editor starts

    QMessageBox box(
        QMessageBox::Critical, u"Trailcam"_s, u"Stream write error"_s, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), u"Abbrechen"_s);

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const auto *buttons = dialog.findChild<QDialogButtonBox *>(u"buttonBox"_s);
    QVERIFY(buttons);
    QCOMPARE(buttons->button(QDialogButtonBox::Save)->text().remove(u'&'), u"Speichern"_s);
    QCOMPARE(dialog.findChild<QLabel *>(u"fileNameLabel"_s)->text().remove(u'&'), u"Dateiname:"_s);

    // The editor's own captions stay as its language switch sets them.
    Tmainform1 window;
    QCOMPARE(window.Button3->text(), u"Save"_s);
    QCOMPARE(window.windowTitle(), u"4G Trail camera Setting"_s);
}

QTEST_MAIN(TestQtTranslations)
#include "tst_qttranslations.moc"
