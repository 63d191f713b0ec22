#pragma once

// SigSec.Dat, the ticket window's "Drop Signature Section" option, in the
// settings folder: one line, the state as a number in the numeric print
// form and CR LF: " 0 " unchecked, " 1 " checked. Read as the first
// delimited field's numeric value rounded to a whole number. Both functions
// take the settings folder the file lies in.

#include "common/result.h"

#include <QString>

#include <cstdint>

inline constexpr char SignatureOptionFileName[] = "SigSec.Dat";

// The stored state, or the failure to read it: FileNotFound (53),
// PermissionDenied (70), InputPastEndOfFile (62) for an empty file,
// TypeMismatch (13) or Overflow (6) for a value that is no whole number.
Result<std::int16_t> readSignatureOption(const QString& settingsFolder);

// Rewrites the file with `state` (" 0 " or " 1 " and CR LF); fails with
// PermissionDenied (70) when it cannot be written.
Result<void> writeSignatureOption(const QString& settingsFolder, std::int16_t state);
