#pragma once
// A properties pane over one open page of a fake editor's project: objects are made on
// the page's container, selected by handing their list to the pane, and edited through
// the pane's editors with QTest events.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>
#include <memory>
#include <vector>

#include "editor/document/CPropertySelectedList.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectNames.h"
#include "editor/objects/CPageObjectContainer.h"
#include "editor/views/properties/CPropertiesBar.h"
#include "editor/views/properties/CPropertyGrid.h"
#include "editor/views/properties/DProp.h"
#include "editor/views/properties/DPropCombo.h"
#include "editor/views/properties/DPropList.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/editor/FakeEditorHost.h"

namespace vx::test {

// Object types by their row of the type table.
inline constexpr int32_t kTextField = 5;
inline constexpr int32_t kEditableNumericField = 4;
inline constexpr int32_t kDateTimeField = 7;
inline constexpr int32_t kIndicatorButton = 11;
inline constexpr int32_t kButton = 17;
inline constexpr int32_t kSlider = 18;
inline constexpr int32_t kListBox = 20;
inline constexpr int32_t kDynamicListBox = 21;
inline constexpr int32_t kWindow = 22;

class PropertiesPane : public testing::Test {
protected:
    PropertiesPane()
    {
        host.MakeProject();
        page = &host.project->AddPage();
        container = std::make_unique<CPageObjectContainer>(page);
        page->SetEditor(container.get());
        bar = std::make_unique<CPropertiesBar>(host);
        bar->resize(400, 700);
        bar->show();
        bar->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(bar.get()));
    }
    ~PropertiesPane() override
    {
        DProp::SetDialogRunner(nullptr);
        bar.reset();
        page->SetEditor(nullptr);
    }

    // An object of that type on the open page, named.
    CEditorObject& Add(int32_t type, std::u16string_view name, CPage* on = nullptr)
    {
        std::unique_ptr<CEditorObject> object = CEditorObject::CreateObject(type, on ? on : page);
        CObjectNames::InitObjectName(*object, name);
        object->SetRect(10, 10, 110, 60);
        CEditorObject& added = *object;
        if (on)
            on->AddObject(std::move(object));
        else
            container->Add(std::move(object));
        return added;
    }
    void Select(std::vector<CSelectable*> items, PropertiesRefill refill = PropertiesRefill::Full)
    {
        const CPropertySelectedList list(items);
        bar->FillProperties(list, refill);
    }
    template <class Item = DProp>
    Item* ItemOf(std::u16string_view group, std::u16string_view name) const
    {
        return dynamic_cast<Item*>(bar->Grid().FindItem(group, name));
    }
    std::vector<std::u16string> UndoLabels() const
    {
        std::vector<std::u16string> labels;
        for (const auto& item : container->GetUndoStack())
            labels.push_back(item->label);
        return labels;
    }
    // Types into a line edit and ends the edit with Enter.
    static void Type(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    // A choice of the drop-down as the user makes it.
    static void Choose(DPropList& item, const QString& option)
    {
        const int index = item.Combo()->findText(option);
        ASSERT_GE(index, 0) << option.toStdString();
        item.Combo()->setCurrentIndex(index);
        emit item.Combo()->activated(index);
    }
    // Focus goes into the editor and out again.
    void EnterAndLeave(QWidget* editor)
    {
        editor->setFocus();
        QTRY_VERIFY(editor->hasFocus());
        bar->Grid().View()->setFocus();
        QTRY_VERIFY(!editor->hasFocus());
    }

    FakeEditorHost host;
    ScriptedPrompts filePrompts;
    CPage* page = nullptr;
    std::unique_ptr<CPageObjectContainer> container;
    std::unique_ptr<CPropertiesBar> bar;
};

} // namespace vx::test
