#pragma once
// The common base of pages and page objects: what the user selects and edits in the
// properties pane. It owns two property containers ("Properties" and "Format") built
// from two lists of definition records, reads and writes them as XML children, and
// offers the colour helpers objects use while compiling.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/document/CPropertyContainer.h"
#include "editor/document/CPropertyDefinition.h"
#include "editor/document/CPropertySelectedList.h"

class CDiagramEntityContainer;
struct CActionCompileContext;
class CResourceIndex;
class CWinFreeImage;
class DFontFileDescriptor;
class DRIFFFile;
class DXMLElement;

// The first list and container hold the "Properties", the second the "Format" side
// (the theme's "Style" group and the text group).
enum class DefinitionList { First, Second };

class CSelectable {
public:
    explicit CSelectable(int32_t objectTypeIndex);
    virtual ~CSelectable();
    CSelectable(const CSelectable&) = delete;
    CSelectable& operator=(const CSelectable&) = delete;

    virtual void OnStyleChanged(std::u16string_view styleName);
    // Redraws the owner in its open page editor; the base has nothing to redraw.
    virtual void Invalidate();
    // What the class answers for the parts of its definitions; the base takes the
    // answers of its type's row in the definition table.
    virtual bool HasScaling() const;
    virtual bool IsFocusable() const;
    virtual bool IsInvisible() const;
    // The entity container of the page editor the owner is open in; none while closed.
    virtual CDiagramEntityContainer* GetOwnerEditor() const;

    int32_t GetObjectTypeIndex() const { return m_objectTypeIndex; }
    bool IsPage() const;

    // Appends the records of text to a list; an object's first list gets the common
    // part in front and its "Scaling" and "Navigation" parts after.
    void ParsePropertyDefinitions(std::u16string_view text, DefinitionList list);
    // Builds categories and properties from a list's records into its container,
    // adding to what the container holds.
    void BuildProperties(DefinitionList list);
    // Parses the definitions of the owner's type from the definition table into both
    // lists and builds both containers from them.
    void InitDefinedProperties();
    // The theme's style definitions in place of the current "Style" group.
    void ReplaceStyleDefinitions(std::u16string_view text);

    CPropertyContainer& GetProperties() { return m_properties; }
    const CPropertyContainer& GetProperties() const { return m_properties; }
    CPropertyContainer& GetFormat() { return m_format; }
    const CPropertyContainer& GetFormat() const { return m_format; }
    CPropertyContainer& GetContainer(DefinitionList list) { return list == DefinitionList::First ? m_properties : m_format; }
    const std::vector<CPropertyDefinition>& GetDefinitions(DefinitionList list) const
    {
        return list == DefinitionList::First ? m_definitions : m_formatDefinitions;
    }
    // A property of the first container, or none.
    CPropertyBase* FindProperty(std::u16string_view category, std::u16string_view caption) const;

    // One child per property record of the first list, then of the second, named by
    // its key and holding the value.
    void WritePropertiesXml(DXMLElement& element) const;
    // Reads the first list, then the second; objects that keep children of their own
    // between the two read each list through ReadPropertyList.
    void ReadPropertiesXml(const DXMLElement& element);
    void ReadPropertyList(const DXMLElement& element, DefinitionList list);

    // "Properties" or "Format" names the container; any other name counts as missing.
    void MergeProperty(std::u16string_view containerName, std::u16string_view category,
                       std::u16string_view caption, CPropertySelectedList& merged) const;

    // That "Appearance" value clamped to 0..255; 0 when missing, empty or negative.
    int32_t GetAppearanceInt(std::u16string_view caption) const;
    // A stored colour (red in the low byte) as the target's ARGB word with the owner's
    // "Transparency".
    uint32_t GetTargetColor(uint32_t storedColor) const;
    static uint32_t ColorToTarget(uint32_t storedColor, int32_t transparency);

    // The image collector: appends exactly one entry to the resource index and returns
    // it: the offset of the image chunk holding the picture converted for the compile's
    // colour depth (written into target unless equal content is there already), or 0
    // when there is no picture. Stored with LZO when the compile's target flags ask.
    static uint32_t CollectImage(DRIFFFile& target, CResourceIndex& resources, const CWinFreeImage* image);
    // The same for a font: the whole file as a "font" chunk, once per content; a face
    // that is none, or a file that cannot be read or is empty, appends 0.
    static uint32_t CollectFont(DRIFFFile& target, CResourceIndex& resources, const DFontFileDescriptor* face);
    static uint32_t CollectFont(DRIFFFile& target, CResourceIndex& resources, const std::filesystem::path& fontFile);

    // Writes the action block of the owner's "_Action script"; 0, or the code of the
    // error that stopped it.
    int CompileActions(DRIFFFile& target, CActionCompileContext& context) const;

    // Runs a value read from a document past the panes that rename references;
    // true when the text changed.
    static bool ApplyPropertyChangeHook(std::u16string_view category, std::u16string_view caption,
                                        std::u16string& text);

private:
    int32_t m_objectTypeIndex;
    CPropertyContainer m_properties;
    CPropertyContainer m_format;
    std::vector<CPropertyDefinition> m_definitions;
    std::vector<CPropertyDefinition> m_formatDefinitions;
};
