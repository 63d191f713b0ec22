#pragma once

// Buffered writer of the table stream to a file descriptor, or into memory
// alone. The buffer is written out only between rows, so that a row found
// damaged halfway can be taken back. Inside a row, a short cell equal to its
// column's cell in the row before goes out as a repeat, except where the
// stream needs a row that holds every value itself.

#include "orderdb/snapshot_protocol.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

class StreamWriter
{
public:
    // A negative fd keeps everything in memory (see bytes()).
    explicit StreamWriter(int fd);

    // What is buffered: in memory mode, everything written since clear().
    std::string_view bytes() const { return {m_buffer.get(), m_size}; }
    // Forgets everything written, rows and repeats included.
    void clear();
    // Sends bytes of rows written elsewhere (in memory) after what is
    // buffered, without copying them into the buffer.
    bool writeOut(std::string_view rows);

    // The stream's head, written as it is.
    void writeBytes(const void* data, std::size_t size);
    void writeU32(std::uint32_t value);

    // Cells: text goes out as Latin-1 when every character allows it.
    void writeNull();
    void writeText(std::u16string_view text);
    // UCS-2 little-endian bytes; an odd trailing byte is dropped.
    void writeUcs2(const std::uint8_t* bytes, std::size_t length);
    inline void writeLatin1(std::string_view text);
    void writeAscii(std::string_view text) { writeLatin1(text); }
    inline void writeDecimal(std::int64_t value);

    // The cells of one row go between beginRow() and endRow(); abandonRow()
    // takes back every cell written since beginRow().
    void beginRow();
    void endRow();
    void abandonRow();
    std::uint32_t rowsWritten() const { return m_rows; }

    // Between rows: shows the program that reading goes on even when no row
    // came for a while (a run of damaged or empty pages). Sends what is
    // buffered, or a keep-alive tag, when nothing went out for a while.
    void keepAlive();

    std::uint64_t bytesWritten() const { return m_written + m_size; }

    // Writes out what is buffered; false once any write has failed.
    bool flush();

private:
    static constexpr std::size_t MaxShortCell = 1 + snapshot_protocol::MaxShortLatin1;

    // Per column: the cell a repeat in the next row would stand for (null
    // when there is none), and this row's cell while the row is open.
    struct ColumnCells
    {
        const char* last = nullptr;
        const char* current = nullptr;         // RepeatMark, OtherMark or the short cell
        std::array<char, MaxShortCell> kept{}; // `last`, once the buffer moved on
    };
    static inline const char RepeatMark = 0;
    static inline const char OtherMark = 0;

    char* room(std::size_t size)
    {
        if (m_capacity - m_size < size)
            grow(size);
        char* at = m_buffer.get() + m_size;
        m_size += size;
        return at;
    }
    void grow(std::size_t size);
    // Writes all of `bytes` to the output, going on after interruptions;
    // false once any write has failed.
    bool writeAll(std::string_view bytes);
    void writeLongLatin1(std::string_view text);
    // Copies every `last` cell out of the buffer before its bytes go.
    void keepLastCells();
    inline void shortCellWritten(char* cell, std::size_t size);
    void otherCellWritten();
    ColumnCells& nextColumn();

    int m_fd;
    bool m_failed = false;
    std::uint64_t m_written = 0;
    long long m_lastSentMs = 0;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;

    bool m_inRow = false;
    bool m_repeatsAllowed = false;
    bool m_rowRepeats = false;
    std::size_t m_rowStart = 0;
    std::uint32_t m_rows = 0;
    std::uint32_t m_lastKeyRow = 0; // the last row without a repeat
    std::size_t m_column = 0;
    std::vector<ColumnCells> m_columns;
};

// The cells of every row go through these, so they are kept inline.

inline StreamWriter::ColumnCells& StreamWriter::nextColumn()
{
    if (m_column >= m_columns.size())
        m_columns.resize(m_column + 1);
    return m_columns[m_column++];
}

inline void StreamWriter::shortCellWritten(char* cell, std::size_t size)
{
    if (!m_inRow)
        return;
    ColumnCells& column = nextColumn();
    const char* last = column.last;
    if (last && *last == *cell && m_repeatsAllowed &&
        std::memcmp(last + 1, cell + 1, size - 1) == 0) {
        *cell = static_cast<char>(snapshot_protocol::RepeatTag);
        m_size -= size - 1;
        column.current = &RepeatMark;
        m_rowRepeats = true;
        return;
    }
    column.current = cell;
}

inline void StreamWriter::writeLatin1(std::string_view text)
{
    if (text.size() > snapshot_protocol::MaxShortLatin1) {
        writeLongLatin1(text);
        return;
    }
    char* at = room(1 + text.size());
    at[0] = static_cast<char>(text.size());
    if (!text.empty()) // an empty view may hold no pointer at all
        std::memcpy(at + 1, text.data(), text.size());
    shortCellWritten(at, 1 + text.size());
}

inline void StreamWriter::writeDecimal(std::int64_t value)
{
    static constexpr char Pairs[] = "00010203040506070809101112131415161718192021222324"
                                    "25262728293031323334353637383940414243444546474849"
                                    "50515253545556575859606162636465666768697071727374"
                                    "75767778798081828384858687888990919293949596979899";
    // Through the unsigned magnitude, so that the most negative value works.
    const bool negative = value < 0;
    std::uint64_t magnitude =
        negative ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
    std::size_t digits = 1;
    for (std::uint64_t rest = magnitude; rest >= 10; rest /= 10)
        ++digits;
    const std::size_t length = digits + negative;
    char* cell = room(1 + length);
    cell[0] = static_cast<char>(length);
    cell[1] = '-';
    char* at = cell + 1 + length;
    while (magnitude >= 100) {
        const auto pair = static_cast<std::size_t>(magnitude % 100) * 2;
        magnitude /= 100;
        *--at = Pairs[pair + 1];
        *--at = Pairs[pair];
    }
    if (magnitude >= 10) {
        *--at = Pairs[magnitude * 2 + 1];
        *--at = Pairs[magnitude * 2];
    } else {
        *--at = static_cast<char>('0' + magnitude);
    }
    shortCellWritten(cell, 1 + length);
}
