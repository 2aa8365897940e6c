#pragma once
// Input a user gives while the program is busy.

class QWidget;

// A left click on the middle of widget, queued as the window system queues input during a
// blocking request: it reaches the widget the next time events are processed.
void QueueClick(QWidget* widget);

// Queues the window system's request to close a shown top-level window (its close box, or
// the window manager's close), delivered when events are next processed.
void QueueWindowClose(QWidget* window);
