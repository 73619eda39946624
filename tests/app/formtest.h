#pragma once

// Helpers for driving the main window as a user does: picking items, and
// answering the modal file dialogs and message boxes it opens.

#include "app/application.h"
#include "app/combobox.h"
#include "app/mainform.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDateTimeEdit>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

#include <functional>
#include <optional>

namespace formtest {

// Qt's own file dialogs, which a test can answer on any desktop; whatever
// they or the window remember goes to a test folder, not the user's settings.
inline void KeepAwayFromDesktop()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

// Picks item `index` from the box's open list with the mouse.
inline void PickItem(TComboBox *box, int index)
{
    QVERIFY(box);
    QVERIFY(index >= 0 && index < box->count());
    box->showPopup();
    QAbstractItemView *view = box->view();
    QTRY_VERIFY(view->isVisible());
    const QModelIndex item = view->model()->index(index, box->modelColumn(), view->rootIndex());
    view->scrollTo(item);
    const QPoint centre = view->visualRect(item).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    QTRY_VERIFY(!view->isVisible());
}

// One notch of the wheel down at `pos` in `window`, delivered as the window
// system delivers it: to the widget under the pointer, on to the parents while
// it is ignored, after giving the focus to a control that takes it by wheel.
inline void WheelNotch(QWidget *window, QPoint pos)
{
    QWidget *target = window->childAt(pos);
    if (!target)
        target = window;
    const QPointF local = target->mapFrom(window, pos);
    QWheelEvent wheel(local, window->mapToGlobal(QPointF(pos)), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    // As QTest does for keys: sendEvent() would mark it as sent by code.
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(target, &wheel);
}

// Replaces the text of a line edit by typing, as the user does.
inline void TypeText(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// What a modal window showed when it was answered.
struct ModalSeen
{
    QString objectName;
    QString title;
    QString text; // message box text, or the file name a file dialog proposed
    QStringList filter; // file dialogs: their name filters
    QStringList selected; // file dialogs: the paths they proposed
    QStringList buttons; // message boxes: their buttons' texts, the default one first
    QString directory; // file dialogs: the folder they opened in
    QList<QUrl> sidebar; // file dialogs: the places beside the folder
    bool saving = false;
    QByteArray imageAtOpen;
};

// Answers the window's file dialogs and message boxes through its seam, one
// step per window; each is set up as for the user but not shown. A window
// that is not the next step's kind is cancelled and recorded as unexpected.
class ModalAnswerer : public ModalAnswers
{
public:
    explicit ModalAnswerer(Tmainform1 *window)
        : m_window(window)
    {
        window->dialogs.modalAnswers = this;
    }
    ~ModalAnswerer() override { m_window->dialogs.modalAnswers = nullptr; }

    // Chooses `path` in the next file dialog; an empty path cancels. With
    // `ready`, the dialog stays open until ready() holds (at most five seconds).
    void fileDialog(const QString &path, std::function<bool()> ready = {})
    {
        m_steps.append({ true, path, ready, QMessageBox::NoButton });
    }
    // Reads the next message box and closes it with `answer`, or its first button.
    void messageBox(QMessageBox::StandardButton answer = QMessageBox::NoButton)
    {
        m_steps.append({ false, {}, {}, answer });
    }

    bool allAnswered() const { return m_steps.isEmpty(); }
    const QList<ModalSeen> &seen() const { return m_seen; }
    const QStringList &unexpected() const { return m_unexpected; }

    QString answerFileDialog(QFileDialog &dialog) override
    {
        const std::optional<Step> step = takeStep(true, dialog);
        if (!step)
            return {};
        const QStringList selected = dialog.selectedFiles();
        m_seen.append({ dialog.objectName(), dialog.windowTitle(), QFileInfo(selected.value(0)).fileName(),
            dialog.nameFilters(), selected, {}, dialog.directory().absolutePath(), dialog.sidebarUrls(),
            dialog.acceptMode() == QFileDialog::AcceptSave, m_window->imageBuffer() });
        if (step->ready)
            static_cast<void>(QTest::qWaitFor(step->ready, 5000)); // then answered, ready or not
        return step->path;
    }

    void answerMessageBox(QMessageBox &box) override
    {
        const std::optional<Step> step = takeStep(false, box);
        if (!step)
            return;
        ModalSeen &seen = m_seen.emplaceBack();
        seen.objectName = box.objectName();
        seen.title = box.windowTitle();
        seen.text = box.text();
        for (QAbstractButton *button : box.buttons())
            seen.buttons.insert(button == box.defaultButton() ? 0 : seen.buttons.size(), button->text().remove(u'&'));
        // The click sets the box's clickedButton(), which the window reads as the answer.
        if (QAbstractButton *button = step->answer ? box.button(step->answer) : box.buttons().value(0))
            button->click();
        // A file name may hold markup, which must show as it is.
        if (box.textFormat() != Qt::PlainText)
            m_unexpected.append(QStringLiteral("message box not in plain text: ") + box.text());
    }

private:
    struct Step
    {
        bool file;
        QString path;
        std::function<bool()> ready;
        QMessageBox::StandardButton answer = QMessageBox::NoButton;
    };

    std::optional<Step> takeStep(bool file, const QDialog &dialog)
    {
        if (!m_steps.isEmpty() && m_steps.first().file == file)
            return m_steps.takeFirst();
        m_unexpected.append(QString::fromLatin1(dialog.metaObject()->className()) + u' ' + dialog.objectName());
        return std::nullopt;
    }

    Tmainform1 *m_window;
    QList<Step> m_steps;
    QList<ModalSeen> m_seen;
    QStringList m_unexpected;
};

// Everything the user can see or change, keyed by control name, so a test can
// tell whether an action changed anything at all. The clock pickers, which
// the timer keeps changing, are left out.
inline QMap<QString, QVariant> Snapshot(const Tmainform1 &window)
{
    QMap<QString, QVariant> state;
    const auto widgets = window.findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (widget->window() != &window)
            continue; // the file dialogs and their parts
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith(u"qt_") || name == u"DateTimePicker3" || name == u"DateTimePicker4")
            continue;
        if (qobject_cast<QComboBox *>(widget->parentWidget())
            || qobject_cast<QAbstractSpinBox *>(widget->parentWidget()))
            continue; // parts of a composite control
        if (auto *box = qobject_cast<TComboBox *>(widget))
            state[name] = QVariantList { box->selectedIndex(), box->text(), box->count(),
                box->count() ? box->itemText(box->count() - 1) : QString() };
        else if (auto *edit = qobject_cast<QLineEdit *>(widget))
            state[name] = edit->text();
        else if (auto *picker = qobject_cast<QDateTimeEdit *>(widget))
            state[name] = QVariantList { picker->dateTime(), picker->displayFormat() };
        else if (auto *radio = qobject_cast<QRadioButton *>(widget))
            state[name] = QVariantList { radio->isChecked(), radio->text() };
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            state[name] = button->text();
        else if (auto *label = qobject_cast<QLabel *>(widget))
            state[name] = label->text();
        else if (auto *group = qobject_cast<QGroupBox *>(widget))
            state[name] = group->title();
    }
    return state;
}

// Names of the controls whose state differs between two snapshots.
inline QStringList Changed(const QMap<QString, QVariant> &before, const QMap<QString, QVariant> &after)
{
    QStringList names;
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (after.value(it.key()) != it.value())
            names << it.key();
    }
    return names;
}

} // namespace formtest

// Before anything can read or write settings.
using formtest::KeepAwayFromDesktop;
Q_COREAPP_STARTUP_FUNCTION(KeepAwayFromDesktop)
