#include "settings/ui/frm_comment.h"

#include "common/runtime_error.h"
#include "common/session.h"
#include "common/ui/center_form.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/named_control.h"
#include "common/ui/platform.h"
#include "common/ui/save_failure.h"
#include "common/ui/unload_window.h"
#include "common/ui/window_registry.h"
#include "settings/data_folder_file.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

void reportCommentSaveFailure(const Failure& failure)
{
    reportSaveFailure(failure, QStringLiteral("The file and the comment list were left as they "
                                              "were."));
}

} // namespace

FrmComment::FrmComment(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
    , m_comments(session)
{
    setObjectName(windows::names::frmComment);
    setWindowTitle(QStringLiteral("Add Comments Database"));

    lblComment = named<QLabel>("lblComment", QStringLiteral("Comments"));
    lblComment->setAlignment(Qt::AlignCenter);
    QFont titleFont = lblComment->font();
    titleFont.setPointSize(12);
    titleFont.setBold(true);
    lblComment->setFont(titleFont);
    QPalette red = lblComment->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    lblComment->setPalette(red);

    cboComment = named<EventComboBox>("cboComment");
    nameComboBox(cboComment, QStringLiteral("Comment line"));
    cboComment->setMinimumContentsLength(40);
    cmdPost = named<QPushButton>("cmdPost", QStringLiteral("Post"));
    cmdErase = named<QPushButton>("cmdErase", QStringLiteral("Erase Displayed Comment"));
    cmdExit = named<QPushButton>("cmdExit", QStringLiteral("Exit"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPost);
    buttons->addWidget(cmdErase);
    buttons->addWidget(cmdExit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblComment);
    layout->addWidget(cboComment);
    layout->addLayout(buttons);

    const std::pair<QPushButton*, void (FrmComment::*)()> handlers[] = {
        {cmdPost, &FrmComment::cmdPost_Click},
        {cmdErase, &FrmComment::cmdErase_Click},
        {cmdExit, &FrmComment::cmdExit_Click}};
    for (const auto& [button, handler] : handlers) {
        connect(button, &QPushButton::clicked, this,
                [this, handler = handler] { runHandler([&] { (this->*handler)(); }); });
    }

    adjustSize();
    Form_Load();
}

void FrmComment::Form_Load()
{
    CenterForm(*this);
    // A missing data-folder file lists nothing.
    const bool folderRead =
        static_cast<bool>(readDataFolderFirstLine(m_session.settingsFolder).applyTo(m_session));
    if (folderRead && !listComments())
        return;
    cboComment->setText(cboComment->item(0));
}

bool FrmComment::listComments()
{
    if (m_session.dataFolder.isEmpty()) {
        windows::show(windows::names::frmPath);
        return false;
    }
    // A missing or unreadable comment file lists nothing.
    if (const Result<void> loaded = m_comments.load(); loaded)
        cboComment->addItems(m_comments.listedLines());
    return true;
}

void FrmComment::cmdPost_Click()
{
    const QString comment = cboComment->text();
    // The file first: a comment that could not be stored is not listed.
    const Result<SharedComments::Posting> posting = m_comments.post(comment);
    if (!posting) {
        reportCommentSaveFailure(posting.failure());
        return;
    }
    showLines();
    if (*posting == SharedComments::Posting::Duplicate) {
        platform().messageBox(QStringLiteral("Duplicate Entries Not Permitted."));
        cboComment->setText(QString());
        return;
    }
    platform().beep();
}

void FrmComment::cmdErase_Click()
{
    const QString comment = cboComment->text();
    if (comment.isEmpty())
        return;
    const int index = static_cast<int>(cboComment->items().indexOf(comment));
    if (index < 0)
        return;
    if (platform().messageBox(QStringLiteral("Deleting Comment Shown."),
                              Platform::Buttons::OkCancel) == Platform::Answer::Ok) {
        m_comments.erase(comment);
        cboComment->removeItem(index);
    }
}

void FrmComment::cmdExit_Click()
{
    if (const Result<void> left = m_comments.leave(); !left) {
        reportCommentSaveFailure(left.failure());
        return;
    }
    emit commentLinesChanged(m_comments.fileLines());
    unloadWindow(*this);
}

void FrmComment::showLines()
{
    cboComment->setItems(m_comments.listedLines());
    emit commentLinesChanged(m_comments.fileLines());
}
