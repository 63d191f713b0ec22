#include "orderdb/reader/chunked_rows.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Chunks written ahead of the one being sent: enough to keep every thread
// busy, few enough to bound what waits in memory.
constexpr std::size_t Slots = 4;

struct Slot
{
    StreamWriter rows{-1};
    ChunkResult result;
    bool done = false;
};

class ChunkQueue
{
public:
    ChunkQueue(std::size_t count, const ChunkWork& work)
        : m_count(count)
        , m_work(work)
        , m_slots(Slots)
    {
    }

    // A helper thread: works on chunks until none is left or sending stops.
    void help(unsigned worker)
    {
        std::unique_lock lock(m_lock);
        for (;;) {
            m_changed.wait(lock, [&] { return m_stop || m_claimed >= m_count || hasRoom(); });
            if (m_stop || m_claimed >= m_count)
                return;
            run(m_claimed++, worker, lock);
        }
    }

    // This thread: sends chunks in order, working on one itself whenever
    // the next is not done yet.
    ChunkResult send(std::uint64_t streamLimit, StreamWriter& out)
    {
        ChunkResult total;
        std::unique_lock lock(m_lock);
        while (m_sent < m_count) {
            Slot& slot = m_slots[m_sent % Slots];
            if (slot.done) {
                lock.unlock();
                const bool sent = out.writeOut(slot.rows.bytes());
                out.keepAlive(); // a chunk may hold no row at all
                total += slot.result;
                lock.lock();
                slot.done = false;
                ++m_sent;
                m_changed.notify_all();
                if (!sent || slot.result.tooLong || out.bytesWritten() > streamLimit) {
                    total.tooLong = total.tooLong || out.bytesWritten() > streamLimit;
                    break;
                }
            } else if (m_claimed < m_count && hasRoom()) {
                run(m_claimed++, 0, lock);
            } else {
                m_changed.wait_for(lock, std::chrono::milliseconds(100));
                lock.unlock();
                out.keepAlive();
                lock.lock();
            }
        }
        m_stop = true;
        m_changed.notify_all();
        return total;
    }

private:
    bool hasRoom() const { return m_claimed < m_sent + Slots; }

    void run(std::size_t chunk, unsigned worker, std::unique_lock<std::mutex>& lock)
    {
        Slot& slot = m_slots[chunk % Slots];
        lock.unlock();
        slot.rows.clear();
        slot.result = m_work(chunk, worker, slot.rows);
        lock.lock();
        slot.done = true;
        m_changed.notify_all();
    }

    const std::size_t m_count;
    const ChunkWork& m_work;
    std::deque<Slot> m_slots;
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::size_t m_claimed = 0;
    std::size_t m_sent = 0;
    bool m_stop = false;
};

} // namespace

ChunkResult& ChunkResult::operator+=(const ChunkResult& other)
{
    rows += other.rows;
    damaged += other.damaged;
    tooLong = tooLong || other.tooLong;
    return *this;
}

ChunkResult writeChunks(std::size_t count, unsigned workers, std::uint64_t streamLimit,
                        StreamWriter& out, const ChunkWork& work)
{
    ChunkQueue queue(count, work);
    std::vector<std::thread> helpers;
    for (unsigned worker = 1; worker < workers && worker < count; ++worker) {
        try {
            helpers.emplace_back([&queue, worker] { queue.help(worker); });
        } catch (const std::system_error&) {
            // No thread to be had (the address-space cap, a process limit):
            // the threads already running, this one among them, do the rest.
            break;
        }
    }
    const ChunkResult total = queue.send(streamLimit, out);
    for (std::thread& helper : helpers)
        helper.join();
    return total;
}
