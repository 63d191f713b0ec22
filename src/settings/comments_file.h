#pragma once

// Comments.Dat, the stock comment lines, in the data folder (not the
// settings folder; every function takes the folder it works in): one comment per line as typed,
// each ended by CR LF, in list order, Windows-1252. No header, no count; an empty file is an empty
// list. Lines are read whole (a line ends at CR or CR LF; a last line without its end is still a
// line).
//
// The data folder is shared by every workstation of the shop; the changes
// the comment window makes go through settings/shared_comments.h.

#include "common/cut_file_notice.h"
#include "common/result.h"

#include <QString>
#include <QStringList>

#include <optional>

inline constexpr char CommentsFileName[] = "Comments.Dat";

// The most lines read of the file: a hundred times more than any real list
// holds, and as many as a list can show without the program slowing down.
inline constexpr int CommentLineBound = 10000;

// The comment file's path in the data folder, the name matched without
// regard to case.
QString commentsFilePath(const QString& dataFolder);

// The lines of the file, in file order: at most CommentLineBound lines of
// its first SettingsFileBound bytes (common/text_file.h), a line the byte
// bound cuts through left out. A file longer than that is reported once per
// run (common/cut_file_notice.h). Fails with FileNotFound (53) without the
// file or without a data folder (dataFolder empty), PermissionDenied (70)
// when it cannot be read.
Result<QStringList> readComments(const QString& dataFolder);

// readComments() without the report: the lines, and the file when it was
// cut, for a caller that reports it once it is free to wait for the
// operator. Fails as readComments().
struct CommentsRead
{
    QStringList lines;
    std::optional<CutFile> cut;
};
Result<CommentsRead> readCommentsUnreported(const QString& dataFolder);
