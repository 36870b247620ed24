#pragma once
// A project of two pages, the first open in a page editor with a few objects, and an
// actions pane shown over a recording editor host.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <array>
#include <memory>

#include "diagram/CDiagramEntityContainer.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectNames.h"
#include "editor/views/CTransparentStatic.h"
#include "editor/views/actions/CActionsBar.h"
#include "tests/support/editor/FakeEditorHost.h"

namespace vx::test {

inline QString Qt16(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

class ActionsPaneFixture : public testing::Test {
protected:
    static constexpr int32_t kButton = 17;
    static constexpr int32_t kText = 2;
    static constexpr int32_t kMeter = 14;
    static constexpr int32_t kTagTrigger = 23;

    void SetUp() override
    {
        project = &host.MakeProject();
        page = &project->AddPage();
        second = &project->AddPage();
        page->SetEditor(&editor);
        button = AddObject(kButton, u"go");
        bar = std::make_unique<CActionsBar>(host);
        bar->resize(420, 600);
        bar->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(bar.get()));
    }

    void TearDown() override
    {
        bar.reset();
        if (page)
            page->SetEditor(nullptr);
    }

    CEditorObject* AddObject(int32_t type, std::u16string_view name)
    {
        auto object = CEditorObject::CreateObject(type, page);
        CObjectNames::InitObjectName(*object, name);
        CEditorObject* added = object.get();
        editor.Add(std::move(object));
        return added;
    }

    void Show(CSelectable* item)
    {
        const std::array<CSelectable*, 1> selection{item};
        bar->ShowObjectActions(selection);
    }

    static std::u16string Script(const CSelectable& item)
    {
        return item.FindProperty(u"Behavior", u"_Action script")->GetValueText();
    }
    static void SetScript(CSelectable& item, std::u16string_view text)
    {
        item.FindProperty(u"Behavior", u"_Action script")->SetValue(CPropertyValue(text));
    }

    CActionsEditor& grid() { return bar->Editor(); }
    std::vector<CActionsGridData>& entries() { return grid().Entries(); }
    QComboBox* box(int index) { return bar->ParameterBox(index); }
    QString prompt(int index) { return bar->PromptLabel(index)->text(); }

    // Types into a box as the user does.
    void type(int index, const QString& text)
    {
        box(index)->lineEdit()->selectAll();
        QTest::keyClicks(box(index)->lineEdit(), text);
    }
    void clearBox(int index)
    {
        box(index)->lineEdit()->selectAll();
        QTest::keyClick(box(index)->lineEdit(), Qt::Key_Delete);
    }

    FakeEditorHost host;
    CProject* project = nullptr;
    CPage* page = nullptr;
    CPage* second = nullptr;
    CDiagramEntityContainer editor;
    CEditorObject* button = nullptr;
    std::unique_ptr<CActionsBar> bar;
};

} // namespace vx::test
