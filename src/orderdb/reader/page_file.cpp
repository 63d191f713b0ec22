#include "orderdb/reader/page_file.h"

#include <fcntl.h>
#include <unistd.h>

using jet_rows::PageSize;

namespace {

constexpr std::size_t RunPages = 64;

} // namespace

DatabaseFile::DatabaseFile(const char* path)
    : m_fd(::open(path, O_RDONLY | O_CLOEXEC))
{
}

DatabaseFile::~DatabaseFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

const std::uint8_t* PageFile::read(std::uint32_t page)
{
    const off_t at = static_cast<off_t>(page) * PageSize;
    if (m_fd < 0 || ::pread(m_fd, m_buffer.data(), PageSize, at) != PageSize)
        return nullptr;
    return m_buffer.data();
}

PageRuns::PageRuns(int fd)
    : m_fd(fd)
    , m_buffer(RunPages * PageSize)
{
}

void PageRuns::reset(std::span<const std::uint32_t> pages)
{
    m_pages = pages;
    m_runStart = 0;
    m_runLength = 0;
    m_runLoaded = 0;
    m_inRun = 0;
}

bool PageRuns::next(std::uint32_t& page, const std::uint8_t*& bytes)
{
    for (;;) {
        if (m_inRun < m_runLoaded) {
            page = m_pages[m_runStart + m_inRun];
            bytes = m_buffer.data() + m_inRun * PageSize;
            ++m_inRun;
            return true;
        }
        m_runStart += m_runLength;
        if (m_runStart >= m_pages.size())
            return false;
        load();
    }
}

void PageRuns::load()
{
    m_runLength = 1;
    while (m_runLength < RunPages && m_runStart + m_runLength < m_pages.size() &&
           m_pages[m_runStart + m_runLength] == m_pages[m_runStart] + m_runLength)
        ++m_runLength;
    const off_t at = static_cast<off_t>(m_pages[m_runStart]) * PageSize;
    const ssize_t got = m_fd < 0 ? -1 : ::pread(m_fd, m_buffer.data(), m_runLength * PageSize, at);
    // A file cut short gives the whole pages it still holds.
    m_runLoaded = got <= 0 ? 0 : static_cast<std::size_t>(got) / PageSize;
    m_inRun = 0;
}
