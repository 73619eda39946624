#pragma once

#include "settings/parametervalues.h"
#include "values/editsession.h"

#include <QString>

class QWidget;
class Tmainform1;
struct ParameterField;

// The values to and from the controls, one loop over ParameterFields each
// way, so that Save and Load cannot disagree.

// What the window holds: each row's control (a combo box's index or text, an
// edit's text), the clock, the timers and the security choice.
ParameterValues GatherValues(const Tmainform1 &form);
// Also how the window takes its start-up values. Setting indexes and texts
// from code runs no handler, so the order does not matter.
void PutValues(Tmainform1 &form, const ParameterValues &values);
// The combo box or edit of one row; PutValues sets the pickers and radio buttons.
void PutField(QWidget &form, const ParameterField &field, const ParameterValues &values);

// The field as the window names it now: its label after the tab or box that
// tells repeated labels apart, in the language the window shows.
QString FieldCaption(const Tmainform1 &form, const ParameterField &field);

// Save's question about the texts the file would not keep as they are, each
// named by its caption.
QString LostTextsQuestion(const Tmainform1 &form, const EditSession::SaveWarnings &warnings);

// The form's captions and items at start, the pickers' formats and the
// start-up values.
void ApplyStartupTexts(Tmainform1 &form);
// A label is sized to its new text; a tab's caption is its page's.
void SetCaption(Tmainform1 &form, QWidget *control, const QString &text);
