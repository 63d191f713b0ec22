#pragma once

struct Session;
class TableSource;

// How the program's windows are made and tied together: every window
// registered by its name and handed the session it needs, what one window
// reports passed on to the window that shows it, and the operator told of
// settings files cut at their bound and of tables read short. The program's
// main does this first, with the one session and table source of the run,
// which must outlive the windows; tests of the windows do the same, so that
// they run the windows as the program joins them.
void wireProgram(Session& session, const TableSource& tables);

// The part of wireProgram() that tells the operator, in a message box, of a
// table the database returned shorter than its definition declares; tests
// of the main window alone do it too.
void reportShortTables(const TableSource& tables);
