"""The words of a printed PDF with their boxes (pdftotext -bbox, from
poppler-utils), and where they stand on the ticket's grid of fixed-pitch
columns and lines."""

import html
import re
import subprocess
from dataclasses import dataclass

from waiting import Failure

WORD = re.compile(r'<page |<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" '
                  r'yMax="([-\d.]+)">([^<]*)</word>')


@dataclass
class Word:
    page: int
    x_min: float
    y_min: float
    x_max: float
    text: str


def read_words(pdf):
    listing = subprocess.run(["pdftotext", "-bbox", str(pdf), "-"], capture_output=True,
                             text=True, check=True, timeout=60,
                             stdin=subprocess.DEVNULL).stdout
    words, page = [], -1
    for match in WORD.finditer(listing):
        if match.group(0) == "<page ":
            page += 1
        else:
            x_min, y_min, x_max, _y_max = (float(match.group(i)) for i in range(1, 5))
            words.append(Word(page, x_min, y_min, x_max, html.unescape(match.group(5))))
    return words


class TicketGrid:
    """Columns and lines counted from the "SOLD" of "SOLD TO:", which stands
    at column 1: a column is `pitch` points wide, a line `line_height`
    points high."""

    def __init__(self, words, pitch):
        self.words = words
        self.pitch = pitch
        self.origin = self.word("SOLD")
        self.line_height = None

    def word(self, text, after=None):
        """The first word `text`, or the first below the word `after`."""
        for word in self.words:
            if word.text == text and (after is None or word.y_min > after.y_min + 1):
                return word
        raise Failure(f'"{text}" is not on the printed ticket; printed: '
                      + " ".join(w.text for w in self.words))

    def place(self, word):
        """(column, line) of the word, as numbers, not rounded."""
        return ((word.x_min - self.origin.x_min) / self.pitch + 1,
                (word.y_min - self.origin.y_min) / self.line_height)

    def expect_at(self, text, column, line, tolerance=0.05):
        """The word `text` that stands on `line` must start at `column`."""
        candidates = [w for w in self.words if w.text == text]
        placed = [(self.place(w), w) for w in candidates]
        for (at_column, at_line), _word in placed:
            if abs(at_line - line) < tolerance:
                if abs(at_column - column) >= tolerance:
                    raise Failure(f'"{text}" on line {line} printed at column '
                                  f"{at_column:.2f}, expected column {column}")
                return
        seen = ", ".join(f"column {c:.2f} line {l:.2f}" for (c, l), _w in placed) or "nowhere"
        raise Failure(f'"{text}" expected at column {column} line {line}; printed at {seen}; '
                      f'line {line} reads "{self.line_text(line)}"')

    def line_text(self, line):
        """The words printed on that line, in order."""
        on_line = sorted((w for w in self.words if abs(self.place(w)[1] - line) < 0.05),
                         key=lambda w: w.x_min)
        return " ".join(w.text for w in on_line)
