#pragma once
// Key tips: pressing and releasing Alt alone shows each visible control's key tip (the
// letter its label carried after a line feed) beside it; typing a tip then presses that
// control, and Escape, a click or any other key leaves the tips.

#include <QObject>
#include <QString>
#include <vector>

class QLabel;
class QWidget;
class CRibbonBar;

class CRibbonKeyTips : public QObject {
    Q_OBJECT
public:
    // The widget property a control's key tip is kept in.
    static constexpr const char* kProperty = "ribbonKeyTip";

    explicit CRibbonKeyTips(CRibbonBar& bar);
    ~CRibbonKeyTips() override;

    bool IsShown() const { return !m_badges.empty(); }
    void Show();
    void Hide();
    // Presses the visible control whose tip is tip; false when none has it.
    bool Press(const QString& tip);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QWidget*> tipped() const;

    CRibbonBar& m_bar;
    std::vector<QLabel*> m_badges;
    bool m_altAlone = false;
};
