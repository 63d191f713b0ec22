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
    void writeU32(std::uint32_t value);
    // A length-prefixed run of UTF-16 units.
    void writeText(std::u16string_view text);
    void writeNull();

    // Writes out what is buffered; false once any write has failed.
    bool flush();

private:
    int m_fd;
    bool m_failed = false;
    std::vector<char> m_buffer;
};
