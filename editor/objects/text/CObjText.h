#pragma once
// Rows 2 "text" and 8 "messageField": a fixed text, optionally in one of several colours
// chosen by its "Value tag", or one of several fixed messages chosen by it. Every text is
// rendered into a picture of the object's size; the engine shows the picture the tag
// selects. With more than one picture the object compiles as a message field, with one
// as a static text, whatever its own row.

#include <cstdint>
#include <string>
#include <vector>

#include "editor/objects/CEditorObject.h"

class CObjectPicture;

class CObjText : public CEditorObject {
public:
    explicit CObjText(int32_t objectTypeIndex) : CEditorObject(objectTypeIndex) {}

    bool CanDeferRender() const override { return false; }
    void WriteXml(DXMLElement& parent) const override;
    // "type", the properties, the font, the position: the XML of the texts and the fields.
    static void WriteTextXml(const CEditorObject& object, DXMLElement& parent);
    void CollectImages(DRIFFFile& target, CResourceIndex& resources) override;
    int Compile(DRIFFFile& target, CObjectCompileContext& context) override;
    gfx::Surface RenderPreview() override;

    // The texts the pictures show, in picture order, and the colour text of each (empty
    // for the font colour): "Text" and its extra colours (row 2) or the messages (row 8).
    struct PictureText {
        std::u16string text;
        std::u16string colorText;
    };
    std::vector<PictureText> PictureTexts() const;
    // The text picture: cleared, the object's size, the text drawn with the object's font
    // and alignments; invalid when the object has no size.
    gfx::Surface RenderText(const PictureText& picture) const;
    // Pictures registered by the last collection.
    int32_t PictureCount() const { return m_pictureCount; }

private:
    bool IsMessageField() const;

    int32_t m_pictureCount = 0;
    bool m_pictureSkipped = false;
};
