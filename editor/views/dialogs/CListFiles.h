#pragma once
// "File editor": one file per row, each with its browse button.

#include "editor/views/dialogs/CFileItem.h"
#include "editor/views/dialogs/CListMessages.h"

class CListFiles : public CListMessages {
    Q_OBJECT
public:
    CListFiles(int rows, std::u16string_view value, CFileItem::Folders folders, QWidget* parent = nullptr);

    CFileItem* Item(int row) const;

protected:
    void FillRows() override;

private:
    CFileItem::Folders m_folders;
};
