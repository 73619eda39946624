#pragma once

// What the editor does its own way in a page and on a desktop:
// platform_web.cpp and platform_desktop.cpp, one of them built.

// Makes the fonts the program carries known to Qt; the desktop's come from
// the system.
void AddCarriedFonts();

class QWidget;

// Shows the editor's window: where the system puts it on a desktop, in the
// middle of the page's screen in a browser.
void ShowMainWindow(QWidget &window);
