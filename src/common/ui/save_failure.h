#pragma once

// What a window does when a file it stores cannot be written: it says so,
// naming the file and the reason, and keeps what was typed. Saying nothing
// would let the operator believe the setting was stored.

struct Failure;
class QString;

// A message box (exclamation icon, the program's title): the file and the
// reason from `failure`, then `consequence` (what stays as it was).
void reportSaveFailure(const Failure& failure, const QString& consequence);

// The usual consequence for an editor: the old file and the typed values.
void reportSaveFailure(const Failure& failure);
