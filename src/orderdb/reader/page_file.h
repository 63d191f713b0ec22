#pragma once

// Whole pages of the database file, read with the file's own descriptor,
// past libmdb's page buffer: reading can go on in several threads at once, and
// following a long value never disturbs the data page being walked.

#include "orderdb/reader/jet_rows.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// The database file, open for reading while it lives.
class DatabaseFile
{
public:
    explicit DatabaseFile(const char* path);
    ~DatabaseFile();
    DatabaseFile(const DatabaseFile&) = delete;
    DatabaseFile& operator=(const DatabaseFile&) = delete;

    int fd() const { return m_fd; }

private:
    int m_fd;
};

// One page at a time, each into the same buffer.
class PageFile
{
public:
    explicit PageFile(int fd)
        : m_fd(fd)
    {
    }

    // The page's bytes, valid until the next read; nullptr when the page
    // cannot be read.
    const std::uint8_t* read(std::uint32_t page);

private:
    int m_fd;
    std::array<std::uint8_t, jet_rows::PageSize> m_buffer{};
};

// Pages in ascending order, read a run of neighbouring pages at a time: one
// read for many pages, and no copy of any page.
class PageRuns
{
public:
    explicit PageRuns(int fd);

    // Starts over on these pages, which must outlive the walk.
    void reset(std::span<const std::uint32_t> pages);

    // The next page and its bytes, valid until the next call; false at the
    // end. A page that cannot be read is left out.
    bool next(std::uint32_t& page, const std::uint8_t*& bytes);

private:
    void load();

    int m_fd;
    std::span<const std::uint32_t> m_pages;
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_runStart = 0;
    std::size_t m_runLength = 0;
    std::size_t m_runLoaded = 0;
    std::size_t m_inRun = 0;
};
