#include "common/cut_file_notice.h"

#include <QFileInfo>

#include <mutex>
#include <set>

namespace {

struct CutFileNotices
{
    std::mutex lock;
    CutFileReporter reporter;
    std::set<QString> reported; // absolute paths
};

CutFileNotices& notices()
{
    static auto* state = new CutFileNotices;
    return *state;
}

} // namespace

QString CutFile::message() const
{
    return QStringLiteral("The file %1 is far larger than such a file should be; only its first "
                          "%2 were read. Please have the file checked.")
        .arg(path, readPart);
}

void setCutFileReporter(CutFileReporter reporter)
{
    const std::lock_guard guard(notices().lock);
    notices().reporter = std::move(reporter);
}

void reportCutFile(const CutFile& file)
{
    CutFileReporter reporter;
    {
        const std::lock_guard guard(notices().lock);
        if (!notices().reporter ||
            !notices().reported.insert(QFileInfo(file.path).absoluteFilePath()).second)
            return;
        reporter = notices().reporter;
    }
    reporter(file);
}

void forgetReportedCutFiles()
{
    const std::lock_guard guard(notices().lock);
    notices().reported.clear();
}
