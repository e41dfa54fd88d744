#pragma once
// A C++ exception must not unwind through the system's frames that called a window or dialog
// procedure: the program would end without a word. The shared procedures stop it there.

// Shows the failure being handled the way the outermost level would have shown it. Call it
// only inside a catch block. A failure raised while such a box is open (a window that fails
// on every repaint) is not shown again, so boxes cannot pile up.
void reportProcedureFailure();
