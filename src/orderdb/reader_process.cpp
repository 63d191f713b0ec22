#include "orderdb/reader_process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int PipeSize = 1 << 20;

// The watchdog: the child must show progress (any output) every stallLimit,
// and must be done by the overall ceiling.
class Watchdog
{
public:
    explicit Watchdog(const ReaderProcess::Limits& limits)
        : m_stall(limits.stallLimit)
        , m_ceiling(Clock::now() + limits.ceiling)
        , m_lastProgress(Clock::now())
    {
    }

    void progress() { m_lastProgress = Clock::now(); }

    Clock::time_point deadline() const { return std::min(m_lastProgress + m_stall, m_ceiling); }
    bool expired() const { return Clock::now() >= deadline(); }

    int pollMilliseconds() const
    {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline() - Clock::now());
        return left.count() <= 0 ? 0 : static_cast<int>(std::min<long long>(left.count(), 1000));
    }

private:
    std::chrono::milliseconds m_stall;
    Clock::time_point m_ceiling;
    Clock::time_point m_lastProgress;
};

// Kills the child and its process group, then reaps it.
void killAndReap(pid_t pid)
{
    ::kill(-pid, SIGKILL);
    ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

// Starts the reader with its output into a pipe, its input and errors on
// /dev/null. The pipe's reading end is `readEnd`; -1 when it did not start.
pid_t startReader(const QString& program, const QStringList& arguments, int& readEnd)
{
    std::vector<QByteArray> argStorage;
    argStorage.push_back(program.toLocal8Bit());
    for (const QString& argument : arguments)
        argStorage.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& argument : argStorage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return -1;
    // A larger pipe lets the child read on while the output is taken in;
    // where the system refuses, the default size does.
    ::fcntl(pipeFds[0], F_SETPIPE_SZ, PipeSize);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Its own process group, so that a kill reaches anything it started.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);

    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        return -1;
    }
    readEnd = pipeFds[0];
    return pid;
}

// Reads until the child closes its end, stops making progress, or sends
// more than anyone asked for. Exited when the child closed its end.
ReaderProcess::Outcome readOutput(int readEnd, const ReaderProcess::Limits& limits,
                                  Watchdog& watchdog, ReaderProcess::Sink& output)
{
    using Outcome = ReaderProcess::Outcome;
    qint64 received = 0;
    for (;;) {
        pollfd fd{readEnd, POLLIN, 0};
        const int ready = ::poll(&fd, 1, watchdog.pollMilliseconds());
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            if (!watchdog.expired() && ready == 0)
                continue;
            return Outcome::TimedOut;
        }
        const std::span<char> room = output.room();
        if (room.empty())
            return Outcome::OutputRefused;
        // Never more than the cap allows, plus one byte to tell that it is passed.
        const auto wanted = static_cast<std::size_t>(std::min<qint64>(
            static_cast<qint64>(room.size()), limits.maxOutputBytes - received + 1));
        const ssize_t n = ::read(readEnd, room.data(), wanted);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Outcome::Exited;
        received += n;
        if (received > limits.maxOutputBytes)
            return Outcome::OutputTooLarge;
        if (!output.received(static_cast<std::size_t>(n)))
            return Outcome::OutputRefused;
        watchdog.progress();
    }
}

// Waits for a child whose output is complete to be gone, and takes its exit
// code; it is killed when the watchdog runs out first.
void awaitExit(pid_t pid, Watchdog& watchdog, ReaderProcess::Result& result)
{
    using Outcome = ReaderProcess::Outcome;
    watchdog.progress();
    int status = 0;
    unsigned pause = 20; // microseconds
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR) {
            result.outcome = Outcome::Crashed;
            return;
        }
        if (watchdog.expired()) {
            killAndReap(pid);
            result.outcome = Outcome::TimedOut;
            return;
        }
        // Most often it is gone within a few dozen microseconds.
        ::usleep(pause);
        pause = std::min(pause * 2, 10000u);
    }
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    else
        result.outcome = Outcome::Crashed;
}

} // namespace

ReaderProcess::Result ReaderProcess::run(const QString& program, const QStringList& arguments,
                                         const Limits& limits, Sink& output)
{
    Result result;
    Watchdog watchdog(limits);
    int readEnd = -1;
    const pid_t pid = startReader(program, arguments, readEnd);
    if (pid < 0)
        return result;

    result.outcome = readOutput(readEnd, limits, watchdog, output);
    ::close(readEnd);
    if (result.outcome != Outcome::Exited) {
        killAndReap(pid);
        return result;
    }
    awaitExit(pid, watchdog, result);
    return result;
}
