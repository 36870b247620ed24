#pragma once
// "Message editor": one text message per row.

#include <string>
#include <vector>

#include "editor/views/dialogs/CListDialog.h"

class CListMessages : public CListDialog {
    Q_OBJECT
public:
    CListMessages(int rows, std::u16string_view value, QWidget* parent = nullptr);

protected:
    CListMessages(const QString& title, const QString& column, int rows, std::u16string_view value, QWidget* parent);
    void FillRows() override;
    std::u16string BuildResult() const override;

    std::vector<std::u16string> m_texts;
};
