#pragma once

class QWidget;

// Lets the wheel change the value of `control` only while the control has the
// keyboard focus, and keeps the wheel from giving it that focus: scrolling
// over the window never changes a value behind the user's back.
void TakeWheelOnlyWithFocus(QWidget *control);
