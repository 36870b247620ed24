// Every kind drawn with each of the four real themes from the built styles folder.
#include <gtest/gtest.h>


#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/CStyles.h"
#include "editor/objects/buttons/CObjButton.h"
#include "editor/objects/buttons/CObjLight.h"
#include "foundation/worker/CBkgWorker.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/BuiltStyles.h"

namespace {

class ButtonThemes : public ::testing::TestWithParam<const char16_t*> {
protected:
    void SetUp() override { ASSERT_EQ(m_styles.Count(), 4); }
    std::unique_ptr<CEditorObject> Make(int32_t type)
    {
        auto object = CEditorObject::CreateObject(type, &m_page);
        object->OnStyleChanged(GetParam());
        object->SetRect(0, 0, 120, 60);
        return object;
    }

private:
    const vx::test::BuiltStyles m_styles;
    CSelectable m_page{kPageObjectType};
};

bool samePixels(const gfx::Surface& a, const gfx::Surface& b)
{
    for (int32_t y = 0; y < a.height(); ++y)
        for (int32_t x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

TEST_P(ButtonThemes, ButtonsDrawTheirFrameInEveryState)
{
    for (const int32_t type : {17, 11}) {
        SCOPED_TRACE(type);
        auto object = Make(type);
        auto& button = static_cast<CObjButton&>(*object);
        ASSERT_NE(button.GetTheme(), nullptr);
        EXPECT_EQ(button.GetStyleName(), GetParam());
        // The middle of the frame is the theme's opaque picture in every state.
        CObjectPicture normal = button.RenderState(0, PictureAlpha::Premultiplied);
        CObjectPicture pressed = button.RenderState(1, PictureAlpha::Premultiplied);
        EXPECT_EQ(normal.Surface().pixel(60, 45) >> 24, 255u);
        EXPECT_EQ(pressed.Surface().pixel(60, 45) >> 24, 255u);
        // "-pressed" is a picture of its own.
        EXPECT_FALSE(samePixels(normal.Surface(), pressed.Surface()));
        // Outside the rounded corner nothing is drawn.
        EXPECT_LT(normal.Surface().pixel(0, 0) >> 24, 255u);
        const gfx::Surface preview = object->RenderPreview();
        ASSERT_TRUE(preview.isValid());
        EXPECT_EQ(preview.pixel(60, 45), normal.Surface().pixel(60, 45));
        if (type == 11) {
            // The indicator lights the preview in its first colour, yellow.
            const gfx::Rect place = button.PlaceIndicator();
            const uint32_t lit = preview.pixel(place.left + place.width() / 2, place.bottom - 7);
            EXPECT_GT(lit >> 16 & 0xFF, 200u);
            EXPECT_GT(lit >> 8 & 0xFF, 200u);
            EXPECT_LT(lit & 0xFF, 120u);
        }
    }
}

TEST_P(ButtonThemes, LampsDrawTheirRoundFrameAndGlow)
{
    auto object = Make(10);
    auto& lamp = static_cast<CObjLight&>(*object);
    ASSERT_NE(lamp.GetTheme(), nullptr);
    const CObjectPicture body = lamp.RenderBody(PictureAlpha::Premultiplied);
    EXPECT_EQ(body.Surface().pixel(60, 30) >> 24, 255u);
    // An ellipse: the corners stay clear.
    EXPECT_EQ(body.Surface().pixel(1, 1), 0u);
    EXPECT_EQ(body.Surface().pixel(118, 58), 0u);
    const gfx::Surface preview = object->RenderPreview();
    ASSERT_TRUE(preview.isValid());
    // The glow's centre, 5 above the bottom, in the first colour, yellow.
    const uint32_t lit = preview.pixel(60, 55);
    EXPECT_GT(lit >> 16 & 0xFF, 200u);
    EXPECT_GT(lit >> 8 & 0xFF, 200u);
    EXPECT_EQ(preview.pixel(1, 1), 0u);
}

TEST_P(ButtonThemes, ASelectedButtonPreviewsInItsSelectedPart)
{
    CBkgWorker worker;   // never started: the new preview is only asked for
    CEditorObject::UseWorker(&worker);
    auto object = Make(17);
    auto& button = static_cast<CObjButton&>(*object);
    const gfx::Surface normal = object->RenderPreview();
    EXPECT_FALSE(button.IsPreviewPending());
    object->Select(true);
    EXPECT_TRUE(button.IsPreviewPending());
    const gfx::Surface selected = object->RenderPreview();
    EXPECT_FALSE(samePixels(normal, selected));
    EXPECT_EQ(selected.pixel(60, 45), button.RenderState(CObjButton::kPartSelected, PictureAlpha::Premultiplied)
                                          .Surface()
                                          .pixel(60, 45));
    object.reset();
    CEditorObject::UseWorker(nullptr);
}

INSTANTIATE_TEST_SUITE_P(FourThemes, ButtonThemes, ::testing::Values(u"Lacquer", u"Dune", u"Alloy", u"Timber"));

} // namespace
