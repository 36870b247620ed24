#include "editor/objects/text/CObjText.h"

#include "editor/document/CPropertyBase.h"
#include "editor/document/CResourceIndex.h"
#include "editor/objects/CObjectCompileContext.h"
#include "editor/objects/shared/CObjectPicture.h"
#include "editor/objects/shared/CObjectProperty.h"
#include "editor/objects/shared/CObjectRecordWriter.h"
#include "foundation/DRIFFFile.h"
#include "foundation/target/TargetClassData.h"
#include "foundation/target/TargetTextWords.h"
#include "foundation/xml/DXMLElement.h"

namespace {

constexpr int32_t kMessageFieldType = 8;
constexpr std::u16string_view kAppearance = u"Appearance";
constexpr std::u16string_view kBehavior = u"Behavior";

std::u16string valueOf(const CSelectable& owner, std::u16string_view category, std::u16string_view caption)
{
    const CPropertyBase* property = owner.FindProperty(category, caption);
    return property ? property->GetValueText() : std::u16string();
}

} // namespace

bool CObjText::IsMessageField() const
{
    return GetObjectTypeIndex() == kMessageFieldType;
}

void CObjText::WriteXml(DXMLElement& parent) const
{
    WriteTextXml(*this, parent);
}

void CObjText::WriteTextXml(const CEditorObject& object, DXMLElement& parent)
{
    DXMLElement* element = parent.addChild(u"object");
    element->addChild(u"type")->setText(object.GetTypeName());
    object.WritePropertiesXml(*element);
    object.WriteFont(*element);
    object.WritePosition(*element);
}

std::vector<CObjText::PictureText> CObjText::PictureTexts() const
{
    std::vector<PictureText> pictures;
    if (IsMessageField()) {
        // Not above 0, or empty, counts one message.
        const int64_t wanted = CObjectProperty::Count(*this, kBehavior, u"Nr of text messages", 1, 1);
        for (std::u16string& message : CObjectProperty::Tokens(valueOf(*this, kBehavior, u"Text messages"),
                                                               ListTokens::EndedBy, std::size_t(wanted)))
            pictures.push_back({std::move(message), {}});
        return pictures;
    }
    // An empty text shows nothing: the object compiles to a record the engine skips.
    const std::u16string text = valueOf(*this, kAppearance, u"Text");
    if (text.empty())
        return pictures;
    pictures.push_back({text, {}});
    // The plain picture, then one per extra colour while at most "Nr of color states"
    // pictures have been made.
    const int64_t states = CObjectProperty::Count(*this, kBehavior, u"Nr of color states", 0, 0);
    if (states > 0)
        for (std::u16string& colour : CObjectProperty::Tokens(valueOf(*this, kBehavior, u"Extra text colors"),
                                                              ListTokens::Split, std::size_t(states)))
            pictures.push_back({text, std::move(colour)});
    return pictures;
}

gfx::Surface CObjText::RenderText(const PictureText& picture) const
{
    const DSize size = GetWorkSize();
    if (!CObjectPicture::IsDrawable(size))
        return {};
    gfx::Surface drawn = RenderTextPreview(picture.text, size, picture.colorText);
    // An empty message, or a text no face can draw, is a clear picture: it keeps its place.
    return drawn.isValid() ? std::move(drawn) : gfx::Surface(size.width, size.height);
}

void CObjText::CollectImages(DRIFFFile& target, CResourceIndex& resources)
{
    m_pictureCount = 0;
    m_pictureSkipped = false;
    const PictureAlpha alpha = CObjectPicture::AlphaOf(resources.TargetFlags());
    for (const PictureText& text : PictureTexts()) {
        const CObjectPicture picture = CObjectPicture::Adopt(RenderText(text), alpha);
        if (!picture.IsValid()) {
            m_pictureSkipped = true;
            continue;
        }
        picture.Collect(target, resources);
        ++m_pictureCount;
    }
}

int CObjText::Compile(DRIFFFile& target, CObjectCompileContext& context)
{
    if (m_pictureSkipped)
        CObjectRecordWriter::Warn(*this, CompileDiagnostic::EmptyPicture, u"object size",
                                  CObjectRecordWriter::SizeText(GetWorkSize()), context);
    if (m_pictureCount == 0) {
        CObjectRecordWriter::WriteEmptyRecord(target);
        return 0;
    }
    const CDiagramRect bounds = GetRect();
    const gfx::Rect rect{bounds.left, bounds.top, bounds.right, bounds.bottom};
    if (m_pictureCount > 1) {
        CObjectRecordWriter::WriteHeader(target, *this, target::WidgetType::MessageField, context);
        target::MessageFieldClassData data;
        data.head.count = uint32_t(m_pictureCount);
        for (int32_t i = 0; i < m_pictureCount; ++i)
            data.images.push_back(context.resources.TakeNext());
        data.tail = CObjectRecordWriter::ResolveTag(*this, u"Value tag", context);
        target::writeClassData(target, data);
    } else {
        CObjectRecordWriter::WriteHeader(target, *this, target::WidgetType::StaticText, context);
        target::StaticTextWords words;
        words.textImage = context.resources.TakeNext();
        target::writeClassData(target, words);
    }
    CompileElement(target, target::ElementKind::UnscaledBitmap, rect, context);
    // In the place of the frame picture's element.
    CompileElement(target, target::ElementKind::Placeholder, rect, context);
    return 0;
}

gfx::Surface CObjText::RenderPreview()
{
    const std::vector<PictureText> texts = PictureTexts();
    if (texts.empty())
        return {};
    return RenderText({texts.front().text, {}});
}
