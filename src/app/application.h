#pragma once

#include <QStringView>

// The face the form draws all its text in.
inline constexpr QStringView FormFontFace = u"宋体";

// What the editor's window needs of the whole application: the classic style,
// stand-ins for the form's font face, the icon's resources, Qt's own texts in
// the system's language and the desktop file name. Call it once a QApplication exists and before the first window is
// made; main, the tests and the start-up benchmark do.
void PrepareApplication();
