#include "orderdb/reader/stream_writer.h"

#include "orderdb/snapshot_protocol.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {
constexpr std::size_t FlushSize = 1 << 20;
}

StreamWriter::StreamWriter(int fd)
    : m_fd(fd)
{
    m_buffer.reserve(FlushSize + 4096);
}

void StreamWriter::writeBytes(const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const char*>(data);
    m_buffer.insert(m_buffer.end(), bytes, bytes + size);
    if (m_buffer.size() >= FlushSize)
        flush();
}

void StreamWriter::writeU32(std::uint32_t value)
{
    writeBytes(&value, sizeof value);
}

void StreamWriter::writeText(std::u16string_view text)
{
    writeU32(static_cast<std::uint32_t>(text.size()));
    writeBytes(text.data(), text.size() * sizeof(char16_t));
}

void StreamWriter::writeNull()
{
    writeU32(snapshot_protocol::NullLength);
}

bool StreamWriter::flush()
{
    std::size_t done = 0;
    while (!m_failed && done < m_buffer.size()) {
        const ssize_t n = ::write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            m_failed = true;
        else
            done += static_cast<std::size_t>(n);
    }
    m_buffer.clear();
    return !m_failed;
}
