#pragma once
// The display's one tags dialog: "Tags..." opens it unless it is open already, and makes
// a fresh one, reading the tags file again, once the user has closed the old one.

#include <memory>

#include "engine/tagmonitor/CTagMemory.h"
#include "foundation/DString.h"

class CDlgTags;

class CTagsDialogSlot {
public:
    CTagsDialogSlot();
    ~CTagsDialogSlot();
    CTagsDialogSlot(const CTagsDialogSlot&) = delete;
    CTagsDialogSlot& operator=(const CTagsDialogSlot&) = delete;

    // Nothing without a tags file path, while a dialog is open, or when the file cannot be opened.
    void show(const DString& tagsFilePath, CTagMemorySource memory);
    [[nodiscard]] CDlgTags* dialog() const { return m_dialog.get(); }
    void close();

private:
    std::unique_ptr<CDlgTags> m_dialog;
};
