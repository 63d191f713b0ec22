#include "settings/comments_file.h"

#include "common/field_reader.h"
#include "common/module_values.h"
#include "common/settings_folder.h"
#include "common/text_file.h"

#include <QFileInfo>

#include "common/runtime_error.h"

namespace {

// Without a data folder the name alone would land in whatever folder the
// program happens to run in.
QString existingCommentsFilePath(ErrorCode failure)
{
    if (DataFolder.isEmpty())
        throw RuntimeError(failure, QString::fromLatin1(CommentsFileName) +
                                        QStringLiteral(": no data folder is chosen"));
    return commentsFilePath();
}

} // namespace

QString commentsFilePath()
{
    return resolveFileName(DataFolder, QString::fromLatin1(CommentsFileName));
}

QStringList readComments()
{
    LineReader lines(readFileBytes(existingCommentsFilePath(ErrorCode::FileNotFound)));
    QStringList comments;
    while (!lines.atEnd())
        comments << lines.readLine();
    return comments;
}

void appendComment(const QString& comment)
{
    // Added by rewriting, so that a write cut short cannot leave half a line.
    const QString path = existingCommentsFilePath(ErrorCode::PermissionDenied);
    const QByteArray old = QFileInfo::exists(path) ? readFileBytes(path) : QByteArray();
    rewriteFile(path, old + joinLines({comment}));
}

void rewriteComments(const QStringList& comments)
{
    rewriteFile(existingCommentsFilePath(ErrorCode::PermissionDenied), joinLines(comments));
}
