#pragma once

// Buffered writer of the table stream to a file descriptor.

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

    // Writes out what is buffered; false once any write has failed.
    bool flush();

private:
    int m_fd;
    bool m_failed = false;
    std::vector<char> m_buffer;
};
