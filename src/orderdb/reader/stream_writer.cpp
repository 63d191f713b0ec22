#include "orderdb/reader/stream_writer.h"

#include "orderdb/snapshot_protocol.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <string>
#include <unistd.h>

using namespace snapshot_protocol;

namespace {

constexpr std::size_t FlushSize = 1 << 20;
constexpr long long KeepAliveMs = 500;

long long nowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

} // namespace

StreamWriter::StreamWriter(int fd)
    : m_fd(fd)
    , m_lastSentMs(nowMs())
{
    m_buffer.reserve(FlushSize + 4096);
}

void StreamWriter::writeBytes(const void* data, std::size_t size)
{
    // resize and copy rather than insert: g++ 12 at -O3 warns falsely about
    // an overflow when a two-byte insert is inlined.
    if (size == 0)
        return;
    const std::size_t at = m_buffer.size();
    m_buffer.resize(at + size);
    std::memcpy(m_buffer.data() + at, data, size);
}

void StreamWriter::endRow()
{
    if (m_buffer.size() >= FlushSize)
        flush();
}

void StreamWriter::keepAlive()
{
    if (nowMs() - m_lastSentMs < KeepAliveMs)
        return;
    if (m_buffer.empty())
        writeU16(KeepAliveWord);
    flush();
}

void StreamWriter::writeU16(std::uint16_t value)
{
    writeBytes(&value, sizeof value);
}

void StreamWriter::writeU32(std::uint32_t value)
{
    writeBytes(&value, sizeof value);
}

void StreamWriter::writeNull()
{
    writeU16(NullCell);
}

void StreamWriter::writeLatin1(std::string_view text)
{
    if (text.size() > MaxLatin1) {
        // Too long for a Latin-1 cell: it goes as UTF-16 rather than cut.
        writeText(std::u16string(text.begin(), text.end()));
        return;
    }
    const std::size_t length = text.size();
    writeU16(static_cast<std::uint16_t>(length));
    writeBytes(text.data(), length);
    if (length % 2 != 0)
        writeBytes("", 1);
}

void StreamWriter::writeText(std::u16string_view text)
{
    const bool latin1 = text.size() <= MaxLatin1 &&
                        std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x100; });
    if (latin1) {
        std::string narrow(text.begin(), text.end());
        writeLatin1(narrow);
        return;
    }
    if (text.size() <= MaxShortUtf16) {
        writeU16(static_cast<std::uint16_t>(Utf16Flag | text.size()));
    } else {
        writeU16(LongUtf16Cell);
        writeU32(static_cast<std::uint32_t>(text.size()));
    }
    writeBytes(text.data(), text.size() * sizeof(char16_t));
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
    m_written += done;
    m_lastSentMs = nowMs();
    m_buffer.clear();
    return !m_failed;
}
