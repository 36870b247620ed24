#pragma once
// The "Add trigger" dialog: the triggers the selected object (or the page) can raise,
// and for key triggers the key.

#include <QDialog>
#include <string>
#include <vector>

class CSelectable;
class QComboBox;

class CDlgTrigger : public QDialog {
    Q_OBJECT
public:
    static constexpr int32_t kTriggerBoxId = 1059;
    static constexpr int32_t kKeyBoxId = 1063;
    // The filter kind of the key triggers.
    static constexpr int32_t kKeyTriggers = 4;

    // object is none when the page itself is edited.
    explicit CDlgTrigger(const CSelectable* object, QWidget* parent = nullptr);

    // Rows of the trigger table the object can raise, in table order.
    static std::vector<int> OfferedRows(const CSelectable* object);
    static bool Passes(int32_t filterKind, const CSelectable* object);

    QComboBox* TriggerBox() const { return m_triggers; }
    QComboBox* KeyBox() const { return m_keys; }
    // The trigger text chosen on OK: the name, for a key trigger " ( key )" after it.
    const std::u16string& GetTriggerText() const { return m_text; }

    void OnTriggerChosen();
    void accept() override;

private:
    bool IsKeyTriggerChosen() const;

    QComboBox* m_triggers = nullptr;
    QComboBox* m_keys = nullptr;
    std::u16string m_text;
};
