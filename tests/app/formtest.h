#pragma once

// Helpers for driving the main window as a user does: picking items, and
// answering the modal file dialogs and message boxes it opens.

#include "app/application.h"
#include "app/combobox.h"
#include "app/mainform.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

#include <functional>

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

// Answers the modal windows that open while a handler runs, one step per
// window, polling the event loop that the modal window runs. A modal window
// with no step left is rejected and recorded as unexpected.
class ModalAnswerer : public QObject
{
public:
    explicit ModalAnswerer(Tmainform1 *window)
        : m_window(window)
    {
        m_poll.setInterval(10);
        connect(&m_poll, &QTimer::timeout, this, &ModalAnswerer::poll);
        m_poll.start();
    }

    // Types `path` into the next file dialog and confirms it; an empty path
    // cancels. With `ready`, the dialog stays open until ready() holds (at
    // most five seconds).
    void fileDialog(const QString &path, std::function<bool()> ready = {})
    {
        m_ready.append(std::move(ready));
        m_steps.append([this, path](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            if (!dialog)
                return false;
            ModalSeen seen;
            seen.objectName = dialog->objectName();
            seen.title = dialog->windowTitle();
            if (auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                seen.text = edit->text();
            seen.filter = dialog->nameFilters();
            seen.selected = dialog->selectedFiles();
            seen.directory = dialog->directory().absolutePath();
            seen.sidebar = dialog->sidebarUrls();
            seen.saving = dialog->acceptMode() == QFileDialog::AcceptSave;
            seen.imageAtOpen = m_window->imageBuffer();
            m_seen.append(seen);
            if (path.isEmpty()) {
                dialog->reject();
            } else {
                auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                auto *buttons = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
                QPushButton *confirm = buttons
                    ? buttons->button(dialog->acceptMode() == QFileDialog::AcceptSave ? QDialogButtonBox::Save
                                                                                      : QDialogButtonBox::Open)
                    : nullptr;
                if (edit && confirm) {
                    // Typing into the focused field drops the selection of the
                    // proposed file; without focus it stays and wins.
                    if (auto *list = dialog->findChild<QAbstractItemView *>(QStringLiteral("listView")))
                        list->clearSelection();
                    edit->setText(path);
                    confirm->click();
                } else {
                    dialog->selectFile(path);
                    static_cast<QDialog *>(dialog)->accept();
                }
            }
            return true;
        });
    }

    // Reads the next message box and closes it with `answer`, or its first button.
    void messageBox(QMessageBox::StandardButton answer = QMessageBox::NoButton)
    {
        m_ready.append(std::function<bool()>());
        m_steps.append([this, answer](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (!box)
                return false;
            ModalSeen seen;
            seen.objectName = box->objectName();
            seen.title = box->windowTitle();
            seen.text = box->text();
            for (QAbstractButton *button : box->buttons())
                seen.buttons.insert(button == box->defaultButton() ? 0 : seen.buttons.size(), button->text().remove(u'&'));
            m_seen.append(seen);
            m_icons.append(box->icon());
            QAbstractButton *button = answer ? box->button(answer) : box->buttons().value(0);
            if (button)
                button->click();
            else
                box->reject();
            return true;
        });
    }

    bool allAnswered() const { return m_steps.isEmpty(); }
    const QList<ModalSeen> &seen() const { return m_seen; }
    const QList<QMessageBox::Icon> &icons() const { return m_icons; }
    const QStringList &unexpected() const { return m_unexpected; }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal == m_lastAnswered)
            return;
        if (!m_steps.isEmpty() && m_ready.first() && !m_ready.first()()) {
            if (!m_waiting.isValid())
                m_waiting.start();
            if (!m_waiting.hasExpired(5000))
                return;
        }
        m_waiting.invalidate();
        if (!m_steps.isEmpty() && m_steps.first()(modal)) {
            m_steps.removeFirst();
            m_ready.removeFirst();
            m_lastAnswered = modal;
            return;
        }
        m_unexpected.append(QString::fromLatin1(modal->metaObject()->className()) + u' ' + modal->objectName());
        m_lastAnswered = modal;
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    }

    Tmainform1 *m_window;
    QTimer m_poll;
    QList<std::function<bool(QWidget *)>> m_steps;
    QList<std::function<bool()>> m_ready;
    QElapsedTimer m_waiting;
    QList<ModalSeen> m_seen;
    QList<QMessageBox::Icon> m_icons;
    QStringList m_unexpected;
    QPointer<QWidget> m_lastAnswered;
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
