#include "editor/shell/CSplashScreenEx.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTimerEvent>

namespace {

// The drawing format bits the texts use.
constexpr unsigned kFormatHCentre = 0x01;
constexpr unsigned kFormatRight = 0x02;
constexpr unsigned kFormatVCentre = 0x04;
constexpr unsigned kFormatBottom = 0x08;

bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
        return true;
    default:
        return false;
    }
}

} // namespace

CSplashScreenEx::CSplashScreenEx()
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CSplashScreenEx::~CSplashScreenEx()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool CSplashScreenEx::Create(QWidget* parent)
{
    m_text.clear();
    m_displayMs = 0;
    m_style = kCreateStyle;
    m_parent = parent;
    // No shadow of our own: the window manager gives top-level windows theirs.
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(0, 0);
    qApp->installEventFilter(this);
    return true;
}

bool CSplashScreenEx::SetBitmap(const QString& path)
{
    QImage image(path);
    if (image.isNull())
        return false;
    SetBitmap(image);
    return true;
}

void CSplashScreenEx::SetBitmap(const QImage& image)
{
    m_bitmap = image;
    resize(image.size());
    placeWindow();
}

void CSplashScreenEx::SetTextFont(const QRect& rect, const QString& text)
{
    m_secondFont = QFont(QStringLiteral("Verdana"));
    m_secondFont.setPointSize(kSecondFontPoints);
    m_secondFont.setWeight(QFont::Normal);
    m_secondFont.setItalic(false);
    m_secondFont.setUnderline(false);
    m_secondColor = Qt::white;
    m_secondRect = rect;
    m_secondText = text;
    m_format = kFormatLeft;
}

void CSplashScreenEx::placeWindow()
{
    QRect area;
    if (m_style & SplashCentreScreen) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            area = screen->availableGeometry();
    } else if ((m_style & SplashCentreParent) && m_parent) {
        area = m_parent->frameGeometry();
    }
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
}

void CSplashScreenEx::Show()
{
    placeWindow();
    if (m_style & SplashFadeIn) {
        setWindowOpacity(0.0);
        show();
        auto* blend = new QPropertyAnimation(this, "windowOpacity", this);
        blend->setDuration(kFadeInMs);
        blend->setEndValue(1.0);
        blend->start(QAbstractAnimation::DeleteWhenStopped);
    } else {
        show();
    }
    if (m_displayMs != 0)
        m_timerId = startTimer(m_displayMs);
}

void CSplashScreenEx::SetText(const QString& text)
{
    m_text = text;
    repaint();
}

void CSplashScreenEx::Close()
{
    if (m_closing)
        return;
    m_closing = true;
    if (m_timerId != 0) {
        killTimer(m_timerId);
        m_timerId = 0;
    }
    qApp->removeEventFilter(this);
    if ((m_style & SplashFadeOut) && isVisible()) {
        auto* blend = new QPropertyAnimation(this, "windowOpacity", this);
        blend->setDuration(kFadeOutMs);
        blend->setEndValue(0.0);
        connect(blend, &QPropertyAnimation::finished, this, [this] {
            hide();
            deleteLater();
        });
        blend->start(QAbstractAnimation::DeleteWhenStopped);
        return;
    }
    hide();
    deleteLater();
}

int CSplashScreenEx::AlignmentOf(unsigned format)
{
    int alignment = 0;
    alignment |= (format & kFormatHCentre) ? Qt::AlignHCenter : (format & kFormatRight) ? Qt::AlignRight : Qt::AlignLeft;
    alignment |= (format & kFormatVCentre) ? Qt::AlignVCenter : (format & kFormatBottom) ? Qt::AlignBottom : Qt::AlignTop;
    return alignment;
}

void CSplashScreenEx::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_bitmap.isNull())
        painter.drawImage(QPoint(0, 0), m_bitmap);
    else
        painter.fillRect(rect(), palette().window());
    const int alignment = AlignmentOf(m_format) | Qt::TextSingleLine;
    painter.setFont(QApplication::font());
    painter.setPen(m_textColor);
    painter.drawText(m_textRect, alignment, m_text);
    painter.setFont(m_secondFont);
    painter.setPen(m_secondColor);
    painter.drawText(m_secondRect, alignment, m_secondText);
}

void CSplashScreenEx::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timerId)
        Close();
}

bool CSplashScreenEx::eventFilter(QObject* watched, QEvent* event)
{
    if ((m_style & SplashHideOnInput) && isInput(event->type()) && !m_closing) {
        Close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
