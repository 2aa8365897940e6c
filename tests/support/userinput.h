#pragma once
// Input a user gives while the program is busy.

class QWidget;

// A left click on the middle of widget, queued as the window system queues input during a
// blocking request: it reaches the widget the next time events are processed.
void QueueClick(QWidget* widget);
