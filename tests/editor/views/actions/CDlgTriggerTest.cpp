#include <gtest/gtest.h>

#include <QComboBox>

#include "editor/document/ActionTable.h"
#include "editor/views/actions/CDlgTrigger.h"
#include "tests/editor/views/actions/ActionsPaneFixture.h"

namespace {

using vx::test::ActionsPaneFixture;

class TriggerDialog : public ActionsPaneFixture {
protected:
    static std::vector<std::u16string> Offered(const CSelectable* object)
    {
        std::vector<std::u16string> names;
        for (const int row : CDlgTrigger::OfferedRows(object))
            names.emplace_back(TriggerTable()[std::size_t(row)].name);
        return names;
    }
    static void Choose(QComboBox* box, const QString& text)
    {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
};

TEST_F(TriggerDialog, ThePageOffersPageAndKeyTriggers)
{
    EXPECT_EQ(Offered(nullptr), (std::vector<std::u16string>{u"On entering page", u"On leaving page", u"On key up",
                                                             u"On key hold", u"On key down"}));
}

TEST_F(TriggerDialog, AButtonOffersWhatItCanRaise)
{
    EXPECT_EQ(Offered(button),
              (std::vector<std::u16string>{u"On press", u"On release", u"On touch down", u"On touch up",
                                           u"On touch hold", u"On key up", u"On key hold", u"On key down"}));
    // A meter has alarms and a value tag but takes no input.
    CEditorObject* meter = AddObject(kMeter, u"dial");
    EXPECT_EQ(Offered(meter), (std::vector<std::u16string>{u"On high alarm on", u"On high alarm off", u"On low alarm on",
                                                           u"On low alarm off", u"On tag change"}));
    CEditorObject* text = AddObject(kText, u"label");
    // A text takes no input either; its value tag raises tag changes.
    EXPECT_EQ(Offered(text), std::vector<std::u16string>{u"On tag change"});
}

TEST_F(TriggerDialog, AKeyTriggerNeedsItsKey)
{
    CDlgTrigger dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Add trigger");
    EXPECT_EQ(dialog.TriggerBox()->currentIndex(), -1);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    Choose(dialog.TriggerBox(), "On key down");
    ASSERT_TRUE(dialog.KeyBox()->isEnabled());
    EXPECT_EQ(dialog.KeyBox()->count(), 6);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.GetTriggerText().empty());

    Choose(dialog.KeyBox(), "Enter");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetTriggerText(), u"On key down ( Enter )");
}

TEST_F(TriggerDialog, AnotherTriggerEmptiesTheKeyBox)
{
    CDlgTrigger dialog(nullptr);
    Choose(dialog.TriggerBox(), "On key up");
    Choose(dialog.KeyBox(), "Up");
    Choose(dialog.TriggerBox(), "On leaving page");
    EXPECT_FALSE(dialog.KeyBox()->isEnabled());
    EXPECT_EQ(dialog.KeyBox()->count(), 0);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetTriggerText(), u"On leaving page");
}

} // namespace
