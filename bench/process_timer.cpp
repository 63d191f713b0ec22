#include "process_timer.h"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

ProcessMeasure measureCommand(const QString& program, const QStringList& arguments, bool keepOutput)
{
    std::vector<QByteArray> storage{program.toLocal8Bit()};
    for (const QString& argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& item : storage)
        argv.push_back(item.data());
    argv.push_back(nullptr);

    int pipeFds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (keepOutput && ::pipe(pipeFds) == 0) {
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }

    ProcessMeasure measure;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = -1;
    if (::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[0]);
        return measure;
    }
    posix_spawn_file_actions_destroy(&actions);
    if (keepOutput) {
        ::close(pipeFds[1]);
        QByteArray bytes;
        char chunk[4096];
        ssize_t n;
        while ((n = ::read(pipeFds[0], chunk, sizeof chunk)) > 0)
            bytes.append(chunk, n);
        ::close(pipeFds[0]);
        measure.output = QString::fromUtf8(bytes);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    measure.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    measure.peakKiB = usage.ru_maxrss;
    return measure;
}
