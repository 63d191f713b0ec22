#pragma once

// The values every window shares. They are plain variables on purpose: the
// windows read and set them directly, and nothing has to be notified of a
// change.

#include <QString>

#include <cstdint>

// The 16-bit truth values of the flags below.
inline constexpr std::int16_t FlagTrue = -1;
inline constexpr std::int16_t FlagFalse = 0;

// The order-entry data folder, without a trailing separator: holds the
// database and the comment file. Set by reads of the data-folder file and by
// the data-folder window.
extern QString DataFolder;

// The second folder of the data-folder file: stored, shown and written back,
// never read from.
extern QString EstFolder;

// The ticket date as short-date text.
extern QString TicketDate;

// FlagTrue once a job selection has taken its job key, FlagFalse while one
// starts.
extern std::int16_t JobLoaded;

// Puts every value back to its start-of-run state (empty texts, FlagFalse);
// tests call it between cases.
void resetModuleValues();
