#include "platform/ui/ribbon/CRibbonKeyTips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

#include "platform/ui/ribbon/CRibbonBar.h"

CRibbonKeyTips::CRibbonKeyTips(CRibbonBar& bar) : QObject(&bar), m_bar(bar) { qApp->installEventFilter(this); }

CRibbonKeyTips::~CRibbonKeyTips()
{
    qApp->removeEventFilter(this);
}

std::vector<QWidget*> CRibbonKeyTips::tipped() const
{
    std::vector<QWidget*> widgets;
    for (QWidget* widget : m_bar.findChildren<QWidget*>())
        if (widget->property(kProperty).isValid() && widget->isVisible() && widget->isEnabled())
            widgets.push_back(widget);
    return widgets;
}

void CRibbonKeyTips::Show()
{
    Hide();
    for (QWidget* widget : tipped()) {
        auto* badge = new QLabel(widget->property(kProperty).toString().toUpper(), &m_bar);
        badge->setObjectName(QStringLiteral("keyTip"));
        badge->setStyleSheet(QStringLiteral("QLabel { background: #fdf6d8; color: #2f3e4e; border: 1px solid #7a8794;"
                                            " border-radius: 2px; padding: 0px 2px; }"));
        badge->adjustSize();
        const QPoint corner = widget->mapTo(&m_bar, QPoint(widget->width() / 2, widget->height()));
        badge->move(corner - QPoint(badge->width() / 2, badge->height() / 2));
        badge->show();
        badge->raise();
        m_badges.push_back(badge);
    }
}

void CRibbonKeyTips::Hide()
{
    for (QLabel* badge : m_badges)
        badge->deleteLater();
    m_badges.clear();
}

bool CRibbonKeyTips::Press(const QString& tip)
{
    for (QWidget* widget : tipped()) {
        if (widget->property(kProperty).toString().compare(tip, Qt::CaseInsensitive) != 0)
            continue;
        Hide();
        auto* tool = qobject_cast<QToolButton*>(widget);
        if (tool && tool->popupMode() == QToolButton::InstantPopup)
            tool->showMenu();
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->click();
        else
            widget->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return false;
}

bool CRibbonKeyTips::eventFilter(QObject* watched, QEvent* event)
{
    // Only the bar's own window takes key tips.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != m_bar.window())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat())
            return false;
        m_altAlone = key->key() == Qt::Key_Alt && (key->modifiers() & ~Qt::AltModifier) == Qt::NoModifier;
        if (!IsShown())
            return false;
        if (key->key() == Qt::Key_Alt)
            return false;
        if (key->key() != Qt::Key_Escape && !key->text().isEmpty() && Press(key->text()))
            return true;
        Hide();
        return key->key() == Qt::Key_Escape;
    }
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Alt && m_altAlone && !key->isAutoRepeat()) {
            m_altAlone = false;
            if (IsShown())
                Hide();
            else
                Show();
            return true;
        }
        return false;
    }
    case QEvent::ShortcutOverride:
        // Alt with a key that is a shortcut (a tab's mnemonic) reaches no key press.
        if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Alt)
            m_altAlone = false;
        return false;
    case QEvent::MouseButtonPress:
        m_altAlone = false;
        Hide();
        return false;
    default:
        return false;
    }
}
