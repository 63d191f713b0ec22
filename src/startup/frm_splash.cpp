#include "startup/frm_splash.h"

#include "common/release_captions.h"
#include "common/ui/center_form.h"
#include "common/ui/event_progress_bar.h"
#include "common/ui/key_char_code.h"
#include "common/ui/unload_window.h"
#include "common/ui/window_registry.h"
#include "startup/splash_picture.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

namespace {

constexpr QSize SplashSize(520, 310);

} // namespace

FrmSplash::FrmSplash(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_picture(splashPicture(SplashSize))
    , m_pbSplash(new EventProgressBar(this))
{
    setObjectName(windows::names::frmSplash);
    setWindowTitle(QStringLiteral("Vantrell Delivery Ticket"));
    setFixedSize(SplashSize);
    // No control takes the keyboard, so the window itself gets every key.
    setFocusPolicy(Qt::StrongFocus);

    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    setPalette(palette);

    addLabel("lblCompany", QStringLiteral("Quillmark Software"), 11, QRect(236, 34, 264, 20),
             QFont::Bold);
    m_lblProductName = addLabel("lblProductName", QStringLiteral("Product"), 20,
                                QRect(236, 60, 264, 76), QFont::Bold);
    m_lblProductName->setWordWrap(true);
    m_lblVersion = addLabel("lblVersion", QStringLiteral("Version"), 10, QRect(236, 146, 264, 20));
    addLabel("lblPlatform", platformCaption(), 10, QRect(236, 168, 264, 20));

    m_pbSplash->setObjectName(QStringLiteral("pbSplash"));
    m_pbSplash->setAccessibleName(QStringLiteral("Start-up progress"));
    m_pbSplash->setGeometry(20, 230, 480, 14);
    m_pbSplash->setTextVisible(false);
    m_pbSplash->setVisible(false);

    addLabel("lblCopyright",
             QStringLiteral("Copyright \u00a9 Quillmark Software. All rights reserved."), 8,
             QRect(20, 256, 480, 18));
    addLabel(
        "lblNotice",
        QStringLiteral("Reads jobs from the Vantrell order-entry data; it never changes them."), 8,
        QRect(20, 276, 480, 18));

    formLoad();
}

QLabel* FrmSplash::addLabel(const char* name, const QString& text, int pointSize,
                            const QRect& place, QFont::Weight weight)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(QFont(QStringLiteral("Arial"), pointSize, weight));
    label->setGeometry(place);
    return label;
}

void FrmSplash::formLoad()
{
    CenterForm(*this);
    m_lblVersion->setText(versionCaption());
    m_lblProductName->setText(QStringLiteral("Vantrell Delivery Ticket"));
}

void FrmSplash::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

void FrmSplash::keyPressEvent(QKeyEvent* event)
{
    if (keyCharCode(*event) == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    unloadWindow(*this);
}
