// The freshly started window against the form's tables: every control's
// kind, parent, place, font, keyboard order, caption, items and state.

#include "formtest.h"

#include "presets/presets.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QProxyStyle>
#include <QTabWidget>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct Place
{
    int x, y, width, height; // labels size themselves: width and height -1
};

struct ControlRow
{
    const char *name;
    const char *kind;
    const char *parent;
    Place place;
    int tabOrder; // among its siblings; -1 for controls without focus
    int pixels;
    bool bold;
    const char16_t *caption;
};

// clang-format off
constexpr ControlRow Controls[] = {
    {"Button1", "QPushButton", "Tmainform1", {449, 457, 168, 26}, 1, 17, true, u"Load"},
    {"Button2", "QPushButton", "Tmainform1", {232, 457, 177, 26}, 2, 17, true, u"Default"},
    {"Button3", "QPushButton", "Tmainform1", {21, 457, 159, 26}, 0, 17, true, u"Save"},
    {"PageControl1", "QTabWidget", "Tmainform1", {6, 0, 622, 444}, 3, 16, true, u""},
    {"TabSheet1", "QWidget", "PageControl1", {-1, -1, -1, -1}, -1, 16, true, u"     MENU     "},
    {"TabSheet2", "QWidget", "PageControl1", {-1, -1, -1, -1}, -1, 16, true, u"     MMS     "},
    {"TabSheet3", "QWidget", "PageControl1", {-1, -1, -1, -1}, -1, 16, true, u"     SMTP     "},
    {"TabSheet4", "QWidget", "PageControl1", {-1, -1, -1, -1}, -1, 16, true, u"     FTP      "},
    {"GroupBox1", "QGroupBox", "TabSheet1", {-2, -1, 265, 192}, 0, 17, true, u"Camera"},
    {"GroupBox2", "QGroupBox", "TabSheet1", {2, 197, 265, 142}, 1, 17, true, u"Video"},
    {"GroupBox3", "QGroupBox", "TabSheet1", {263, 0, 352, 339}, 2, 17, true, u"Setup"},
    {"GroupBox4", "QGroupBox", "TabSheet1", {0, 339, 615, 81}, 3, 17, true, u""},
    {"Label1", "QLabel", "GroupBox1", {12, 37, -1, -1}, -1, 15, false, u"Resolution"},
    {"Label2", "QLabel", "GroupBox1", {12, 68, -1, -1}, -1, 15, false, u"Interval"},
    {"Label3", "QLabel", "GroupBox1", {12, 98, -1, -1}, -1, 15, false, u"Sequence"},
    {"Label4", "QLabel", "GroupBox1", {12, 129, -1, -1}, -1, 15, false, u"ISO"},
    {"Label5", "QLabel", "GroupBox1", {12, 160, -1, -1}, -1, 15, false, u"ID"},
    {"rslcmb", "TComboBox", "GroupBox1", {140, 31, 111, 23}, 0, 15, false, u""},
    {"intvcmb", "TComboBox", "GroupBox1", {140, 64, 111, 23}, 1, 15, false, u""},
    {"mtcmb", "TComboBox", "GroupBox1", {140, 95, 111, 23}, 2, 15, false, u""},
    {"isocmb", "TComboBox", "GroupBox1", {140, 128, 111, 23}, 3, 15, false, u""},
    {"idedit", "QLineEdit", "GroupBox1", {140, 160, 93, 23}, 4, 15, false, u""},
    {"Label6", "QLabel", "GroupBox2", {12, 37, -1, -1}, -1, 15, false, u"Resolution"},
    {"Label7", "QLabel", "GroupBox2", {12, 68, -1, -1}, -1, 15, false, u"Video Length"},
    {"Label8", "QLabel", "GroupBox2", {12, 105, -1, -1}, -1, 15, false, u"Voice"},
    {"rslvcmb", "TComboBox", "GroupBox2", {140, 31, 111, 23}, 0, 15, false, u""},
    {"vdlcmb", "TComboBox", "GroupBox2", {140, 65, 111, 23}, 1, 15, false, u""},
    {"vccmb", "TComboBox", "GroupBox2", {140, 98, 111, 23}, 2, 15, false, u""},
    {"Label9", "QLabel", "GroupBox3", {6, 37, -1, -1}, -1, 15, false, u"Mode"},
    {"Label10", "QLabel", "GroupBox3", {6, 75, -1, -1}, -1, 15, false, u"Language"},
    {"Label15", "QLabel", "GroupBox3", {6, 112, -1, -1}, -1, 15, false, u"Motion detetion"},
    {"Label16", "QLabel", "GroupBox3", {6, 150, -1, -1}, -1, 15, false, u"TV Mode"},
    {"Label17", "QLabel", "GroupBox3", {6, 188, -1, -1}, -1, 15, false, u"Date/Time"},
    {"Label18", "QLabel", "GroupBox3", {6, 225, -1, -1}, -1, 15, false, u"Date Format"},
    {"Label19", "QLabel", "GroupBox3", {6, 263, -1, -1}, -1, 15, false, u"Password ON/OFF"},
    {"Label20", "QLabel", "GroupBox3", {6, 302, -1, -1}, -1, 15, false, u"Password"},
    {"modecmb", "TComboBox", "GroupBox3", {166, 31, 131, 23}, 0, 15, false, u""},
    {"langcmb", "TComboBox", "GroupBox3", {166, 69, 131, 23}, 1, 15, false, u""},
    {"motcmb", "TComboBox", "GroupBox3", {166, 108, 131, 23}, 2, 15, false, u""},
    {"tvcmb", "TComboBox", "GroupBox3", {166, 146, 131, 23}, 3, 15, false, u""},
    {"DateTimePicker3", "QDateTimeEdit", "GroupBox3", {166, 185, 112, 19}, 4, 11, false, u""},
    {"DateTimePicker4", "QDateTimeEdit", "GroupBox3", {234, 185, 95, 19}, 5, 11, false, u""},
    {"dtfmtcmb", "TComboBox", "GroupBox3", {166, 222, 131, 23}, 6, 15, false, u""},
    {"passcmb", "TComboBox", "GroupBox3", {168, 260, 129, 23}, 7, 15, false, u""},
    {"passedit", "QLineEdit", "GroupBox3", {166, 302, 131, 23}, 8, 15, false, u""},
    {"Label11", "QLabel", "GroupBox4", {18, 18, -1, -1}, -1, 15, false, u"Timer"},
    {"Label12", "QLabel", "GroupBox4", {160, 18, -1, -1}, -1, 15, false, u"Start Time"},
    {"Label13", "QLabel", "GroupBox4", {375, 18, -1, -1}, -1, 15, false, u"End Time"},
    {"Label14", "QLabel", "GroupBox4", {18, 49, -1, -1}, -1, 15, false, u"Timer1"},
    {"DateTimePicker1", "QDateTimeEdit", "GroupBox4", {160, 43, 105, 19}, 0, 11, false, u""},
    {"DateTimePicker2", "QDateTimeEdit", "GroupBox4", {375, 43, 100, 19}, 1, 11, false, u""},
    {"GroupBox5", "QGroupBox", "TabSheet2", {6, 6, 259, 155}, 0, 15, false, u""},
    {"GroupBox6", "QGroupBox", "TabSheet2", {6, 166, 259, 106}, 1, 15, false, u""},
    {"GroupBox7", "QGroupBox", "TabSheet2", {6, 283, 259, 105}, 2, 15, false, u""},
    {"GroupBox8", "QGroupBox", "TabSheet2", {277, 6, 327, 155}, 3, 15, false, u""},
    {"GroupBox9", "QGroupBox", "TabSheet2", {277, 166, 327, 222}, 4, 15, false, u""},
    {"Label21", "QLabel", "GroupBox5", {12, 25, -1, -1}, -1, 15, false, u"MMS ON/OFF"},
    {"Label22", "QLabel", "GroupBox5", {12, 57, -1, -1}, -1, 15, false, u"MMS MODE"},
    {"Label23", "QLabel", "GroupBox5", {12, 90, -1, -1}, -1, 15, false, u"Country"},
    {"Label24", "QLabel", "GroupBox5", {12, 123, -1, -1}, -1, 15, false, u"Operator"},
    {"ComboBox1", "TComboBox", "GroupBox5", {96, 21, 151, 23}, 0, 15, false, u""},
    {"ComboBox2", "TComboBox", "GroupBox5", {96, 53, 151, 23}, 1, 15, false, u""},
    {"ComboBox3", "TComboBox", "GroupBox5", {96, 84, 151, 23}, 2, 15, false, u""},
    {"ComboBox4", "TComboBox", "GroupBox5", {96, 117, 151, 23}, 3, 15, false, u""},
    {"Label25", "QLabel", "GroupBox6", {12, 12, -1, -1}, -1, 15, false, u"APN"},
    {"Label26", "QLabel", "GroupBox6", {12, 43, -1, -1}, -1, 15, false, u"Username"},
    {"Label27", "QLabel", "GroupBox6", {12, 74, -1, -1}, -1, 15, false, u"Password"},
    {"apn", "QLineEdit", "GroupBox6", {96, 10, 151, 19}, 0, 11, false, u""},
    {"username", "QLineEdit", "GroupBox6", {96, 41, 151, 19}, 1, 11, false, u""},
    {"password", "QLineEdit", "GroupBox6", {96, 72, 151, 19}, 2, 11, false, u""},
    {"Label28", "QLabel", "GroupBox7", {12, 12, -1, -1}, -1, 15, false, u"MMSC"},
    {"Label29", "QLabel", "GroupBox7", {12, 43, -1, -1}, -1, 15, false, u"MMS PROXY"},
    {"Label30", "QLabel", "GroupBox7", {12, 74, -1, -1}, -1, 15, false, u"MMS PORT"},
    {"mmsc", "QLineEdit", "GroupBox7", {96, 10, 151, 19}, 0, 11, false, u""},
    {"proxy", "QLineEdit", "GroupBox7", {96, 41, 151, 19}, 1, 11, false, u""},
    {"port", "QLineEdit", "GroupBox7", {96, 71, 151, 19}, 2, 11, false, u""},
    {"Label31", "QLabel", "GroupBox8", {12, 25, -1, -1}, -1, 15, false, u"Phone 1"},
    {"Label32", "QLabel", "GroupBox8", {12, 56, -1, -1}, -1, 15, false, u"Phone 2"},
    {"Label33", "QLabel", "GroupBox8", {12, 86, -1, -1}, -1, 15, false, u"Phone 3"},
    {"Label34", "QLabel", "GroupBox8", {12, 117, -1, -1}, -1, 15, false, u"Phone 4"},
    {"phone1", "QLineEdit", "GroupBox8", {117, 25, 136, 23}, 0, 15, false, u""},
    {"phone2", "QLineEdit", "GroupBox8", {117, 55, 136, 23}, 1, 15, false, u""},
    {"phone3", "QLineEdit", "GroupBox8", {117, 86, 136, 23}, 2, 15, false, u""},
    {"phone4", "QLineEdit", "GroupBox8", {117, 117, 136, 23}, 3, 15, false, u""},
    {"Label35", "QLabel", "GroupBox9", {12, 25, -1, -1}, -1, 15, false, u"Email 1"},
    {"Label36", "QLabel", "GroupBox9", {12, 55, -1, -1}, -1, 15, false, u"Email 2"},
    {"Label37", "QLabel", "GroupBox9", {12, 86, -1, -1}, -1, 15, false, u"Email 3"},
    {"Label38", "QLabel", "GroupBox9", {12, 117, -1, -1}, -1, 15, false, u"Email 4"},
    {"email1", "QLineEdit", "GroupBox9", {117, 25, 136, 23}, 0, 15, false, u""},
    {"email2", "QLineEdit", "GroupBox9", {117, 55, 136, 23}, 1, 15, false, u""},
    {"email3", "QLineEdit", "GroupBox9", {117, 86, 136, 23}, 2, 15, false, u""},
    {"email4", "QLineEdit", "GroupBox9", {117, 117, 136, 23}, 3, 15, false, u""},
    {"GroupBox10", "QGroupBox", "TabSheet3", {3, 6, 278, 155}, 0, 15, false, u""},
    {"GroupBox11", "QGroupBox", "TabSheet3", {287, 5, 309, 155}, 1, 15, false, u""},
    {"GroupBox12", "QGroupBox", "TabSheet3", {3, 167, 278, 241}, 2, 15, false, u""},
    {"GroupBox14", "QGroupBox", "TabSheet3", {287, 167, 309, 241}, 3, 15, false, u""},
    {"Label39", "QLabel", "GroupBox10", {11, 21, -1, -1}, -1, 15, false, u"SMTP ON/OFF"},
    {"Label40", "QLabel", "GroupBox10", {12, 57, -1, -1}, -1, 15, false, u"SMTP MODE"},
    {"Label41", "QLabel", "GroupBox10", {12, 90, -1, -1}, -1, 15, false, u"Country"},
    {"Label42", "QLabel", "GroupBox10", {12, 123, -1, -1}, -1, 15, false, u"Operator"},
    {"ComboBox5", "TComboBox", "GroupBox10", {105, 18, 142, 23}, 0, 15, false, u""},
    {"ComboBox6", "TComboBox", "GroupBox10", {105, 53, 142, 23}, 1, 15, false, u""},
    {"ComboBox7", "TComboBox", "GroupBox10", {105, 85, 142, 23}, 2, 15, false, u""},
    {"ComboBox8", "TComboBox", "GroupBox10", {105, 118, 142, 23}, 3, 15, false, u""},
    {"Label43", "QLabel", "GroupBox11", {12, 25, -1, -1}, -1, 15, false, u"APN"},
    {"Label44", "QLabel", "GroupBox11", {12, 68, -1, -1}, -1, 15, false, u"Username"},
    {"Label45", "QLabel", "GroupBox11", {12, 111, -1, -1}, -1, 15, false, u"Password"},
    {"smtpapn", "QLineEdit", "GroupBox11", {86, 23, 161, 19}, 0, 11, false, u""},
    {"smtpusername", "QLineEdit", "GroupBox11", {86, 68, 161, 19}, 1, 11, false, u""},
    {"smtppassword", "QLineEdit", "GroupBox11", {86, 111, 161, 19}, 2, 11, false, u""},
    {"Label46", "QLabel", "GroupBox12", {12, 31, -1, -1}, -1, 15, false, u"Mail Server"},
    {"Label47", "QLabel", "GroupBox12", {12, 63, -1, -1}, -1, 15, false, u"Server"},
    {"Label48", "QLabel", "GroupBox12", {12, 95, -1, -1}, -1, 15, false, u"Username"},
    {"Label49", "QLabel", "GroupBox12", {12, 128, -1, -1}, -1, 15, false, u"Password"},
    {"Label50", "QLabel", "GroupBox12", {12, 160, -1, -1}, -1, 15, false, u"PORT"},
    {"ComboBox9", "TComboBox", "GroupBox12", {106, 30, 142, 23}, 0, 15, false, u""},
    {"servertxt", "QLineEdit", "GroupBox12", {105, 59, 142, 19}, 1, 11, false, u""},
    {"usernametxt", "QLineEdit", "GroupBox12", {105, 93, 142, 19}, 2, 11, false, u""},
    {"passwordtxt", "QLineEdit", "GroupBox12", {105, 126, 142, 19}, 3, 11, false, u""},
    {"porttxt", "QLineEdit", "GroupBox12", {105, 160, 142, 19}, 4, 11, false, u""},
    {"GroupBox13", "QGroupBox", "GroupBox12", {12, 188, 253, 40}, 5, 15, false, u""},
    {"RadioButton1", "QRadioButton", "GroupBox13", {9, 12, 63, 13}, 0, 15, false, u"NO SSL"},
    {"RadioButton2", "QRadioButton", "GroupBox13", {92, 12, 63, 13}, 1, 15, false, u"SSL"},
    {"RadioButton3", "QRadioButton", "GroupBox13", {161, 11, 89, 13}, 2, 15, false, u"STARTTLS"},
    {"Label51", "QLabel", "GroupBox14", {12, 25, -1, -1}, -1, 15, false, u"Email1"},
    {"Label52", "QLabel", "GroupBox14", {12, 74, -1, -1}, -1, 15, false, u"Email2"},
    {"Label53", "QLabel", "GroupBox14", {12, 123, -1, -1}, -1, 15, false, u"Email3"},
    {"email1txt", "QLineEdit", "GroupBox14", {86, 25, 161, 23}, 2, 15, false, u""},
    {"email2txt", "QLineEdit", "GroupBox14", {86, 74, 161, 23}, 1, 15, false, u""},
    {"email3txt", "QLineEdit", "GroupBox14", {86, 123, 161, 23}, 0, 15, false, u""},
    {"GroupBox15", "QGroupBox", "TabSheet4", {11, 3, 278, 395}, 0, 15, false, u""},
    {"GroupBox16", "QGroupBox", "TabSheet4", {295, 6, 309, 395}, 1, 15, false, u""},
    {"Label54", "QLabel", "GroupBox15", {12, 37, -1, -1}, -1, 15, false, u"FTP ON/OFF"},
    {"Label62", "QLabel", "GroupBox15", {12, 88, -1, -1}, -1, 15, false, u"Server"},
    {"Label61", "QLabel", "GroupBox15", {12, 140, -1, -1}, -1, 15, false, u"Port"},
    {"Label55", "QLabel", "GroupBox15", {12, 192, -1, -1}, -1, 15, false, u"Path"},
    {"Label65", "QLabel", "GroupBox15", {12, 243, -1, -1}, -1, 15, false, u"Account"},
    {"Label64", "QLabel", "GroupBox15", {12, 295, -1, -1}, -1, 15, false, u"Password"},
    {"ComboBox10", "TComboBox", "GroupBox15", {98, 31, 161, 23}, 0, 15, false, u""},
    {"ftpserver", "QLineEdit", "GroupBox15", {98, 83, 161, 19}, 3, 11, false, u""},
    {"ftpport", "QLineEdit", "GroupBox15", {98, 136, 161, 19}, 2, 11, false, u""},
    {"path", "QLineEdit", "GroupBox15", {98, 189, 161, 19}, 1, 11, false, u""},
    {"ftpaccount", "QLineEdit", "GroupBox15", {98, 242, 161, 19}, 5, 11, false, u""},
    {"ftppass", "QLineEdit", "GroupBox15", {98, 295, 161, 19}, 4, 11, false, u""},
    {"Label56", "QLabel", "GroupBox16", {12, 35, -1, -1}, -1, 15, false, u"Country"},
    {"Label57", "QLabel", "GroupBox16", {12, 85, -1, -1}, -1, 15, false, u"Operator"},
    {"Label58", "QLabel", "GroupBox16", {12, 137, -1, -1}, -1, 15, false, u"APN"},
    {"Label59", "QLabel", "GroupBox16", {12, 188, -1, -1}, -1, 15, false, u"Username"},
    {"Label60", "QLabel", "GroupBox16", {12, 240, -1, -1}, -1, 15, false, u"Password"},
    {"ComboBox12", "TComboBox", "GroupBox16", {105, 32, 160, 23}, 3, 15, false, u""},
    {"ComboBox13", "TComboBox", "GroupBox16", {105, 84, 160, 23}, 4, 15, false, u""},
    {"ftpapn", "QLineEdit", "GroupBox16", {105, 136, 160, 19}, 0, 11, false, u""},
    {"ftpusername", "QLineEdit", "GroupBox16", {105, 188, 160, 19}, 1, 11, false, u""},
    {"ftppassword", "QLineEdit", "GroupBox16", {105, 240, 160, 19}, 2, 11, false, u""},
};
// clang-format on

constexpr int Unlimited = 32767; // QLineEdit's own maximum length

QString Name(const char *name)
{
    return QString::fromLatin1(name);
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
    void controls_data();
    void controls();
    void tabOrder_data();
    void tabOrder();
    void comboBoxes_data();
    void comboBoxes();
    void edits_data();
    void edits();
    void pickers();
    void radioButtons();
    void fontFace();
    void nothingMadeAhead();

private:
    std::unique_ptr<Tmainform1> m_window;
};

void TestStartup::window()
{
    Tmainform1 &w = *m_window;
    QCOMPARE(w.objectName(), u"Tmainform1"_s);
    QCOMPARE(w.windowTitle(), u"4G Trail camera Setting"_s);
    QCOMPARE(w.size(), QSize(634, 491));
    QCOMPARE(w.minimumSize(), QSize(634, 491));
    QCOMPARE(w.maximumSize(), QSize(634, 491));

    const Qt::WindowFlags flags = w.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

    const auto *proxy = qobject_cast<const QProxyStyle *>(w.style());
    QVERIFY(proxy);
    QCOMPARE(proxy->baseStyle()->name().toLower(), u"windows"_s);
    // Every control draws through the window's style, some behind a style sheet of their own.
    for (const ControlRow &row : Controls) {
        const QStyle *style = w.findChild<QWidget *>(Name(row.name))->style();
        QVERIFY2(style == w.style() || style->styleHint(QStyle::SH_LineEdit_PasswordCharacter) == '*', row.name);
    }

    QCOMPARE(w.palette().color(QPalette::Window), QColor(185, 209, 234));
    QVERIFY(w.TabSheet1->palette().color(QPalette::Window) != QColor(185, 209, 234));

    QCOMPARE(w.PageControl1->currentWidget(), w.TabSheet1);
    QCOMPARE(w.PageControl1->count(), 4);

    QVERIFY(!w.windowIcon().isNull());
    QCOMPARE(w.windowIcon().actualSize(QSize(256, 256)), QSize(32, 32));

    for (QPushButton *button : { w.Button1, w.Button2, w.Button3 }) {
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }
}

void TestStartup::controls_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("caption");
    for (const ControlRow &row : Controls)
        QTest::newRow(row.name) << Name(row.parent) << Name(row.kind)
                                << QRect(row.place.x, row.place.y, row.place.width, row.place.height) << row.pixels
                                << row.bold << QString::fromUtf16(row.caption);
}

void TestStartup::controls()
{
    QFETCH(QString, parent);
    QFETCH(QString, kind);
    QFETCH(QRect, geometry);
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    QFETCH(QString, caption);
    const QString name = QString::fromLatin1(QTest::currentDataTag());

    QWidget *control = m_window->findChild<QWidget *>(name);
    QVERIFY(control);
    QVERIFY2(control->inherits(kind.toLatin1()), control->metaObject()->className());

    if (parent == u"PageControl1") {
        const int page = m_window->PageControl1->indexOf(control);
        QVERIFY(page >= 0);
        QCOMPARE(m_window->PageControl1->tabText(page), caption);
    } else {
        QCOMPARE(control->parentWidget()->objectName(), parent);
        if (geometry.width() < 0) {
            QCOMPARE(control->pos(), geometry.topLeft());
            QCOMPARE(control->size(), control->sizeHint());
        } else {
            QCOMPARE(control->geometry(), geometry);
        }
    }

    QCOMPARE(control->font().family(), u"宋体"_s);
    QCOMPARE(control->font().pixelSize(), pixels);
    QCOMPARE(control->font().bold(), bold);
    if (auto *box = qobject_cast<TComboBox *>(control))
        QCOMPARE(box->lineEdit()->font(), box->font()); // the text it shows

    if (auto *label = qobject_cast<QLabel *>(control))
        QCOMPARE(label->text(), caption);
    else if (auto *button = qobject_cast<QAbstractButton *>(control))
        QCOMPARE(button->text(), caption);
    else if (auto *group = qobject_cast<QGroupBox *>(control))
        QCOMPARE(group->title(), caption);

    const bool clock = name == u"DateTimePicker3" || name == u"DateTimePicker4";
    QCOMPARE(control->isEnabled(), !clock);
}

void TestStartup::tabOrder_data()
{
    QTest::addColumn<QStringList>("expected");
    QMap<QString, QMap<int, QString>> byParent;
    for (const ControlRow &row : Controls) {
        if (row.tabOrder >= 0)
            byParent[Name(row.parent)][row.tabOrder] = Name(row.name);
    }
    for (auto it = byParent.cbegin(); it != byParent.cend(); ++it) {
        const QStringList order = it.value().values();
        QCOMPARE(it.value().lastKey(), order.size() - 1); // no gaps in the table
        QTest::newRow(qPrintable(it.key())) << order;
    }
}

// The focus chain visits each parent's children in their keyboard order,
// each child's own controls in one run.
void TestStartup::tabOrder()
{
    QFETCH(QStringList, expected);
    QWidget *parent = m_window->findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    if (!parent)
        parent = m_window.get();

    QStringList visited;
    QWidget *widget = m_window.get();
    do {
        widget = widget->nextInFocusChain();
        if (!(widget->focusPolicy() & Qt::TabFocus) || !parent->isAncestorOf(widget))
            continue;
        QWidget *child = widget;
        while (child->parentWidget() != parent)
            child = child->parentWidget();
        if (visited.isEmpty() || visited.last() != child->objectName())
            visited << child->objectName();
    } while (widget != m_window.get());

    visited.removeIf([&expected](const QString &name) { return !expected.contains(name); });
    QCOMPARE(visited, expected);
}

void TestStartup::comboBoxes_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");

    const auto row = [](const char *name, const QStringList &items, int index, const QString &text) {
        QTest::newRow(name) << items << index << text;
    };
    // clang-format off
    row("rslcmb", {u"20M"_s, u"16M"_s, u"12M"_s}, 0, u"20M"_s);
    row("intvcmb", {u"1 Second"_s, u"5 Seconds"_s, u"10 Seconds"_s, u"30 Seconds"_s, u"1 Minute"_s, u"2 Minutes"_s, u"5 Minutes"_s, u"10 Minutes"_s, u"30 Minutes"_s}, 0, u"1 Second"_s);
    row("mtcmb", {u"Single"_s, u"3 Pictures"_s, u"6 Pictures"_s, u"9 Pictures"_s}, 0, u"Single"_s);
    row("isocmb", {u"AUTO"_s, u"100"_s, u"200"_s, u"400"_s}, 0, u"AUTO"_s);
    row("rslvcmb", {u"2K"_s, u"1080P"_s, u"720P"_s, u"WVGA"_s}, 0, u"2K"_s);
    row("vdlcmb", {u"10s"_s, u"30s"_s, u"60s"_s, u"90s"_s}, 0, u"10s"_s);
    row("vccmb", {u"OFF"_s, u"ON"_s}, 1, u"ON"_s);
    row("modecmb", {u"Camera"_s, u"Video"_s, u"Camera&Video"_s}, 0, u"Camera"_s);
    row("langcmb", {u"English"_s, u"Français"_s, u"Deutsch"_s, u"Italiano"_s, u"Español"_s, u"Português"_s, u"Hrvatski"_s, u"Dansk"_s, u"Svenska"_s, u"Suomi"_s, u"Polski"_s, u"Русский"_s, u"Česky"_s, u"Slovensky"_s, u"Nederlands"_s}, 0, u"English"_s);
    row("motcmb", {u"High"_s, u"Normal"_s, u"Low"_s}, 0, u"High"_s);
    row("tvcmb", {u"NTSC"_s, u"PAL"_s}, 0, u"NTSC"_s);
    row("dtfmtcmb", {u"YY/MM/DD"_s, u"DD/MM/YY"_s, u"MM/DD/YY"_s}, 0, u"YY/MM/DD"_s);
    row("passcmb", {u"OFF"_s, u"ON"_s}, 0, u"OFF"_s);
    row("ComboBox1", {u"OFF"_s, u"ON"_s}, 0, u"OFF"_s);
    row("ComboBox2", {u"Manual"_s, u"AUTO"_s}, 1, u"AUTO"_s);
    row("ComboBox3", {u"Argentina"_s, u"Australia"_s, u"Austria"_s, u"Brazil"_s, u"Croatia"_s, u"Czech Republic"_s, u"Denmark"_s, u"Estonia"_s, u"Finland"_s, u"France"_s, u"Germany"_s, u"Greece"_s, u"Hungary"_s, u"India"_s, u"Indonesia"_s, u"Ireland"_s, u"Israel"_s, u"Italy"_s, u"Kazakhstan"_s, u"Latvia"_s, u"Luxembourg"_s, u"Mexico"_s, u"Netherlands"_s, u"Norway"_s, u"Poland"_s, u"Portugal"_s, u"Romania"_s, u"Slovakia"_s, u"Slovenia"_s, u"Spain"_s, u"Sweden"_s, u"UnitedKingdom"_s, u"UnitedStates"_s}, 0, u"Argentina"_s);
    row("ComboBox4", {u"Movistar"_s}, 0, u"Movistar"_s);
    row("ComboBox5", {u"OFF"_s, u"ON"_s}, -1, u"OFF"_s);
    row("ComboBox6", {u"Manual"_s, u"AUTO"_s}, -1, u"AUTO"_s);
    row("ComboBox7", {u"Austria"_s, u"Croatina"_s, u"Czech Republic"_s, u"France"_s, u"Germany"_s, u"Greece"_s, u"Hungary"_s, u"Italy"_s, u"Kazakhstan"_s, u"Latvia"_s, u"Romania"_s, u"Slovakia"_s, u"Slovenia"_s, u"Spain"_s, u"Sweden"_s, u"United Kingdom"_s, u"United States"_s, u"Poland"_s}, 0, u"Austria"_s);
    row("ComboBox9", {u"Other"_s, u"G-mail"_s, u"Hotmail"_s}, 0, u"Other"_s);
    row("ComboBox10", {u"OFF"_s, u"ON"_s}, -1, u"OFF"_s);
    row("ComboBox12", {u"Austria"_s, u"Canada"_s, u"China"_s, u"Croatina"_s, u"Czech Republic"_s, u"France"_s, u"Germany"_s, u"Greece"_s, u"Hungary"_s, u"Italy"_s, u"Kazakhstan"_s, u"Latvia"_s, u"Russia"_s, u"Slovakia"_s, u"Spain"_s, u"Sweden"_s, u"United Kingdom"_s, u"United States"_s, u"Other"_s}, -1, u"China"_s);
    row("ComboBox13", {u"China Mobile"_s, u"China Unicom"_s}, -1, u"China Mobile"_s);
    row("ComboBox8", {u"A1"_s, u"T-Mobile"_s, u"Telering"_s, u"Bob"_s}, 0, u"A1"_s);
    // clang-format on
}

void TestStartup::comboBoxes()
{
    QFETCH(QStringList, items);
    QFETCH(int, index);
    QFETCH(QString, text);
    auto *box = m_window->findChild<TComboBox *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(box);
    QVERIFY(box->isEditable());

    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    if (box == m_window->ComboBox8) {
        // Drei's item names the operator by its web domain.
        QCOMPARE(shown.size(), 5);
        QVERIFY2(shown.last().contains(u"drei."_s, Qt::CaseInsensitive), qPrintable(shown.last()));
        shown.removeLast();
    }
    QCOMPARE(shown, items);
    QCOMPARE(box->selectedIndex(), index);
    QCOMPARE(box->text(), text);
}

void TestStartup::edits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<bool>("masked");

    const CarrierPreset &movistar = MmsPresets()[0].operators[0];
    const CarrierPreset &a1 = SmtpPresets()[0].operators[0];
    QCOMPARE(QString::fromUtf8(movistar.name), u"Movistar"_s);
    QCOMPARE(QString::fromUtf8(a1.name), u"A1"_s);
    const auto row = [](const char *name, const QString &text, int maxLength = Unlimited, bool masked = false) {
        QTest::newRow(name) << text << maxLength << masked;
    };
    row("idedit", u"CAM000"_s, 6);
    row("passedit", u"7351"_s, 4, true);
    row("apn", QString::fromUtf8(movistar.apn));
    row("username", QString::fromUtf8(movistar.username));
    row("password", QString::fromUtf8(movistar.password));
    row("mmsc", QString::fromUtf8(movistar.mmsc));
    row("proxy", QString::fromUtf8(movistar.proxy));
    row("port", u"8080"_s);
    for (const char *name : { "phone1", "phone2", "phone3", "phone4", "email1", "email2", "email3", "email4" })
        row(name, {});
    row("smtpapn", QString::fromUtf8(a1.apn));
    row("smtpusername", QString::fromUtf8(a1.username));
    row("smtppassword", QString::fromUtf8(a1.password));
    row("servertxt", {});
    row("usernametxt", {});
    row("passwordtxt", {}, Unlimited, true);
    row("porttxt", {});
    row("email1txt", {});
    row("email2txt", {});
    row("email3txt", {});
    row("ftpserver", {});
    row("ftpport", u"21"_s);
    row("path", u"/myfolder/"_s);
    row("ftpaccount", {});
    row("ftppass", {});
    row("ftpapn", u"cmwap"_s);
    row("ftpusername", {});
    row("ftppassword", {});
}

void TestStartup::edits()
{
    QFETCH(QString, text);
    QFETCH(int, maxLength);
    QFETCH(bool, masked);
    auto *edit = m_window->findChild<QLineEdit *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(edit);
    QCOMPARE(edit->text(), text);
    QCOMPARE(edit->maxLength(), maxLength);
    QCOMPARE(edit->echoMode(), masked ? QLineEdit::Password : QLineEdit::Normal);
    if (masked) {
        // Shown as stars, not the style's bullets.
        edit->setText(u"ab1"_s);
        QCOMPARE(edit->displayText(), u"***"_s);
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

void TestStartup::radioButtons()
{
    QVERIFY(m_window->RadioButton1->isChecked());
    QVERIFY(!m_window->RadioButton2->isChecked());
    QVERIFY(!m_window->RadioButton3->isChecked());
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
