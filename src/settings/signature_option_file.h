#pragma once

// SigSec.Dat, the ticket window's "Drop Signature Section" option, in the
// settings folder: one line, the state as a number in the numeric print
// form and CR LF: " 0 " unchecked, " 1 " checked. Read as the first
// delimited field's numeric value rounded to a whole number.

#include <cstdint>

inline constexpr char SignatureOptionFileName[] = "SigSec.Dat";

// The stored state; 0 for a missing, empty or unreadable file. Never throws.
std::int16_t readSignatureOption();

// Rewrites the file with `state` (" 0 " or " 1 " and CR LF). Throws
// RuntimeError(PermissionDenied, 70) when it cannot be written.
void writeSignatureOption(std::int16_t state);
