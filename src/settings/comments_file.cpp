#include "settings/comments_file.h"

#include "common/cut_file_notice.h"
#include "common/field_reader.h"
#include "common/runtime_error.h"
#include "common/settings_folder.h"
#include "common/text_file.h"

QString commentsFilePath(const QString& dataFolder)
{
    return resolveFileName(dataFolder, QString::fromLatin1(CommentsFileName));
}

Result<CommentsRead> readCommentsUnreported(const QString& dataFolder)
{
    // Without a data folder the name alone would land in whatever folder the
    // program happens to run in.
    if (dataFolder.isEmpty())
        return Failure{ErrorCode::FileNotFound, QString::fromLatin1(CommentsFileName) +
                                                    QStringLiteral(": no data folder is chosen")};
    const QString path = commentsFilePath(dataFolder);
    return attempt([&] {
        BoundedBytes read = readFileBytesUpTo(path, SettingsFileBound);
        if (read.cut)
            read.bytes.truncate(read.bytes.lastIndexOf('\r') + 1);

        LineReader lines(std::move(read.bytes));
        CommentsRead comments;
        while (!lines.atEnd() && comments.lines.size() < CommentLineBound)
            comments.lines << lines.readLine();
        if (!lines.atEnd())
            comments.cut = CutFile{path, QStringLiteral("%1 lines").arg(CommentLineBound)};
        else if (read.cut)
            comments.cut = CutFile{path, QStringLiteral("1 MiB")};
        return comments;
    });
}

Result<QStringList> readComments(const QString& dataFolder)
{
    const Result<CommentsRead> read = readCommentsUnreported(dataFolder);
    if (!read)
        return read.failure();
    if (read->cut)
        reportCutFile(*read->cut);
    return read->lines;
}
