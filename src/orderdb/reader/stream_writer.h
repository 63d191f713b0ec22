#pragma once

// Buffered writer of the table stream to a file descriptor. The buffer is
// written out only between rows, so that a row found damaged halfway can be
// taken back.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class StreamWriter
{
public:
    explicit StreamWriter(int fd);

    void writeBytes(const void* data, std::size_t size);
    void writeU16(std::uint16_t value);
    void writeU32(std::uint32_t value);

    // Cells: text goes out as Latin-1 when every character allows it.
    void writeNull();
    void writeText(std::u16string_view text);
    void writeLatin1(std::string_view text);
    void writeAscii(std::string_view text) { writeLatin1(text); }

    // Taking back everything written since mark(); only within one row.
    std::size_t mark() const { return m_buffer.size(); }
    void rollback(std::size_t mark) { m_buffer.resize(mark); }

    // A row is complete: the buffer may go out.
    void endRow();

    // Between rows: shows the program that reading goes on even when no row
    // came for a while (a run of damaged or empty pages). Sends what is
    // buffered, or a keep-alive word, when nothing went out for a while.
    void keepAlive();

    std::uint64_t bytesWritten() const { return m_written + m_buffer.size(); }

    // Writes out what is buffered; false once any write has failed.
    bool flush();

private:
    int m_fd;
    bool m_failed = false;
    std::uint64_t m_written = 0;
    long long m_lastSentMs = 0;
    std::vector<char> m_buffer;
};
