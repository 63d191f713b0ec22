#include "orderdb/reader/stream_writer.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <unistd.h>

using namespace snapshot_protocol;

namespace {

// Small enough that the program takes the stream apart while the rest of the
// table is still being read, large enough to keep the writes few.
constexpr std::size_t FlushSize = 256 << 10;
constexpr long long KeepAliveMs = 500;

long long nowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

bool allLatin1(std::u16string_view text)
{
    char16_t any = 0;
    for (const char16_t c : text)
        any |= c;
    return any < 0x100;
}

} // namespace

StreamWriter::StreamWriter(int fd)
    : m_fd(fd)
    , m_lastSentMs(nowMs())
    , m_buffer(new char[FlushSize + 4096])
    , m_capacity(FlushSize + 4096)
{
}

void StreamWriter::grow(std::size_t size)
{
    // Only a long value outgrows the buffer; it goes out at the row's end.
    const std::size_t capacity = std::max(m_capacity * 2, m_size + size);
    std::unique_ptr<char[]> grown(new char[capacity]);
    std::memcpy(grown.get(), m_buffer.get(), m_size);
    const char* oldBegin = m_buffer.get();
    const char* oldEnd = oldBegin + m_size;
    const auto moved = [&](const char* cell) {
        return cell >= oldBegin && cell < oldEnd ? grown.get() + (cell - oldBegin) : cell;
    };
    for (ColumnCells& column : m_columns) {
        column.last = moved(column.last);
        column.current = moved(column.current);
    }
    m_buffer = std::move(grown);
    m_capacity = capacity;
}

void StreamWriter::keepLastCells()
{
    const char* begin = m_buffer.get();
    const char* end = begin + m_size;
    for (ColumnCells& column : m_columns) {
        if (column.last >= begin && column.last < end) {
            std::memcpy(column.kept.data(), column.last,
                        1 + static_cast<unsigned char>(column.last[0]));
            column.last = column.kept.data();
        }
    }
}

void StreamWriter::writeBytes(const void* data, std::size_t size)
{
    if (size != 0)
        std::memcpy(room(size), data, size);
}

void StreamWriter::writeU32(std::uint32_t value)
{
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    writeBytes(bytes, sizeof bytes);
}

void StreamWriter::otherCellWritten()
{
    if (m_inRow)
        nextColumn().current = &OtherMark;
}

void StreamWriter::writeNull()
{
    *room(1) = static_cast<char>(NullTag);
    otherCellWritten();
}

void StreamWriter::writeLongLatin1(std::string_view text)
{
    *room(1) = static_cast<char>(LongLatin1Tag);
    writeU32(static_cast<std::uint32_t>(text.size()));
    writeBytes(text.data(), text.size());
    otherCellWritten();
}

void StreamWriter::writeText(std::u16string_view text)
{
    if (allLatin1(text)) {
        if (text.size() <= MaxShortLatin1) {
            char* cell = room(1 + text.size());
            cell[0] = static_cast<char>(text.size());
            std::transform(text.begin(), text.end(), cell + 1,
                           [](char16_t c) { return static_cast<char>(c); });
            shortCellWritten(cell, 1 + text.size());
            return;
        }
        *room(1) = static_cast<char>(LongLatin1Tag);
        writeU32(static_cast<std::uint32_t>(text.size()));
        std::transform(text.begin(), text.end(), room(text.size()),
                       [](char16_t c) { return static_cast<char>(c); });
        otherCellWritten();
        return;
    }
    *room(1) = static_cast<char>(Utf16Tag);
    writeU32(static_cast<std::uint32_t>(text.size()));
    char* at = room(text.size() * 2);
    for (const char16_t c : text) {
        *at++ = static_cast<char>(c & 0xff);
        *at++ = static_cast<char>(c >> 8);
    }
    otherCellWritten();
}

void StreamWriter::writeUcs2(const std::uint8_t* bytes, std::size_t length)
{
    const std::size_t units = length / 2;
    std::uint8_t high = 0;
    for (std::size_t i = 0; i < units; ++i)
        high |= bytes[2 * i + 1];
    if (high != 0) {
        *room(1) = static_cast<char>(Utf16Tag);
        writeU32(static_cast<std::uint32_t>(units));
        writeBytes(bytes, units * 2);
        otherCellWritten();
        return;
    }
    const bool isShort = units <= MaxShortLatin1;
    char* cell = room(isShort ? 1 + units : 5 + units);
    cell[0] = static_cast<char>(isShort ? units : LongLatin1Tag);
    char* text = cell + 1;
    if (!isShort) {
        for (int i = 0; i < 4; ++i)
            *text++ = static_cast<char>(units >> (8 * i));
    }
    for (std::size_t i = 0; i < units; ++i)
        text[i] = static_cast<char>(bytes[2 * i]);
    if (isShort)
        shortCellWritten(cell, 1 + units);
    else
        otherCellWritten();
}

void StreamWriter::clear()
{
    m_size = 0;
    m_rows = 0;
    m_lastKeyRow = 0;
    m_inRow = false;
    for (ColumnCells& column : m_columns)
        column.last = nullptr;
}

bool StreamWriter::writeOut(std::string_view rows)
{
    if (rows.empty())
        return !m_failed;
    flush();
    return writeAll(rows);
}

void StreamWriter::beginRow()
{
    m_inRow = true;
    m_rowStart = m_size;
    room(1); // the row's length, most often one byte
    m_column = 0;
    // Rows are read on from the last row that holds every value itself, so
    // there is one at least every KeyRowInterval rows.
    m_repeatsAllowed = m_rows > 0 && m_rows - m_lastKeyRow < KeyRowInterval;
    m_rowRepeats = false;
}

void StreamWriter::abandonRow()
{
    m_size = m_rowStart;
    m_inRow = false;
}

void StreamWriter::endRow()
{
    const std::size_t length = m_size - m_rowStart - 1;
    if (length <= MaxShortRow) {
        m_buffer[m_rowStart] = static_cast<char>(length);
    } else {
        // A long row's length takes more room: the row moves up.
        const bool wide = length > 0xffff;
        const std::size_t extra = wide ? 4 : 2;
        room(extra);
        char* row = m_buffer.get() + m_rowStart;
        std::memmove(row + 1 + extra, row + 1, length);
        for (std::size_t c = 0; c < m_column; ++c) {
            ColumnCells& column = m_columns[c];
            if (column.current > row && column.current < row + 1 + length)
                column.current += extra;
        }
        row[0] = static_cast<char>(wide ? RowLength32Tag : RowLength16Tag);
        for (std::size_t i = 0; i < extra; ++i)
            row[1 + i] = static_cast<char>(length >> (8 * i));
    }
    for (std::size_t c = 0; c < m_column; ++c) {
        ColumnCells& column = m_columns[c];
        if (column.current == &OtherMark)
            column.last = nullptr;
        else if (column.current != &RepeatMark)
            column.last = column.current;
    }
    m_inRow = false;
    if (!m_rowRepeats)
        m_lastKeyRow = m_rows;
    ++m_rows;
    if (m_size >= FlushSize && m_fd >= 0)
        flush();
}

void StreamWriter::keepAlive()
{
    if (m_fd < 0 || nowMs() - m_lastSentMs < KeepAliveMs)
        return;
    if (m_size == 0)
        *room(1) = static_cast<char>(KeepAliveTag);
    flush();
}

bool StreamWriter::flush()
{
    if (m_fd < 0)
        return true;
    keepLastCells();
    writeAll({m_buffer.get(), m_size});
    m_size = 0;
    return !m_failed;
}

bool StreamWriter::writeAll(std::string_view bytes)
{
    std::size_t done = 0;
    while (!m_failed && done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            m_failed = true;
        else
            done += static_cast<std::size_t>(n);
    }
    m_written += done;
    m_lastSentMs = nowMs();
    return !m_failed;
}
