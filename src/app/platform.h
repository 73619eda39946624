#pragma once

// What the editor does its own way in a page and on a desktop:
// platform_web.cpp and platform_desktop.cpp, one of them built.

#include <QByteArray>
#include <QString>

#include <functional>

class QWidget;

// Makes the fonts the program carries known to Qt; the desktop's come from
// the system.
void AddCarriedFonts();

// Shows the editor's window: where the system puts it on a desktop, in the
// middle of the page's screen in a browser.
void ShowMainWindow(QWidget &window);

// In a page: a file dropped on it goes whole to `load` (name and bytes), and
// the browser asks before the page is left while `unsaved` says so. Nothing
// on a desktop, where the window takes drops and closes itself.
void ConnectPage(std::function<void(const QString &name, const QByteArray &bytes)> load, std::function<bool()> unsaved);
