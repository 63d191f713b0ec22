#include "process_timer.h"

#include <QFile>
#include <QProcess>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int runPeakWrapper(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int devNull = ::open("/dev/null", O_WRONLY);
        ::dup2(devNull, STDOUT_FILENO);
        ::execvp(argv[2], argv + 2);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.6f %ld %d\n", seconds, usage.ru_maxrss,
                WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    return 0;
}

QString commandOutput(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(-1);
    return QString::fromUtf8(process.readAllStandardOutput());
}

ProcessMeasure measureCommand(const QString& self, const QString& program,
                              const QStringList& arguments)
{
    const QStringList parts =
        commandOutput(self, QStringList{"--peak", program} + arguments).split(' ');
    ProcessMeasure measure;
    if (parts.size() >= 3 && parts[2].trimmed() == "0") {
        measure.seconds = parts[0].toDouble();
        measure.peakKiB = parts[1].toLong();
    } else {
        std::fprintf(stderr, "%s failed\n", qPrintable(program));
    }
    return measure;
}

long ownPeakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}
