#pragma once

class QKeyEvent;

// The character code a key press types, as the key-press events report it:
// ASCII where the key has it (Enter 13, Backspace 8, Escape 27, Ctrl+letter
// its control code), otherwise the Unicode value of the typed character.
// Keys that type nothing (arrows, function keys, lone modifiers) give 0.
int keyCharCode(const QKeyEvent& event);
