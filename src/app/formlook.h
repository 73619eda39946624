#pragma once

#include <QString>

class QDateTimeEdit;
class Tmainform1;

// The window's colours: the caption colour around the page control and behind
// the buttons, the plain face on the pages, and disabled text dark enough to read.
void ApplyStyle(Tmainform1 &form);
// In code rather than in the form: the form's format keeps whole point sizes
// only, and these pixel sizes fall between them. Given by kind of control and
// place, so a new control takes the fonts of its neighbours.
void ApplyFonts(Tmainform1 &form);

// The long format is the one with seconds; the zone it may carry would
// only crowd the narrow pickers, whose values are local wall-clock times.
QString SystemTimeFormat();
// A format without time fields would drop the time the picker holds, and
// Save reads that time.
void SetDisplayFormat(QDateTimeEdit *picker, const QString &format);
