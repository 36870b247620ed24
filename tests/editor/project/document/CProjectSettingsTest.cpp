// The root's attributes: every one written and read back, the defaults, the page size
// rule and the older documents' rules.

#include <gtest/gtest.h>

#include "editor/project/document/CProjectSettings.h"
#include "foundation/xml/DXMLElement.h"

namespace {

CProjectSettings everyAttributeChanged()
{
    CProjectSettings settings;
    settings.importCnt = 3;
    settings.grid = false;
    settings.gridSnap = true;
    settings.gridStyle = 2;
    settings.zoom = u"150%";
    settings.language = u"German";
    settings.holdFirst = 700;
    settings.holdRepeat = 120;
    settings.password = u"a<b>&\"c";
    settings.SSstart = 45;
    settings.layerInitiallyVisible = false;
    settings.layerHorzPosition = -12;
    settings.layerVertPosition = 34;
    settings.target.pageSize = u"640x480";
    settings.target.targetFlags = 13;
    settings.target.colorBits = 16;
    settings.target.textAliasing = 2;
    settings.target.tagMemorySize = 4096;
    settings.target.nativeEncoding = 10;   // "UTF-8"
    return settings;
}

TEST(CProjectSettings, EveryAttributeRoundTripsInTheDocumentsOrder)
{
    const CProjectSettings written = everyAttributeChanged();
    DXMLElement root(u"project");
    written.WriteAttributes(root);
    ASSERT_EQ(root.attributeCount(), 20);
    EXPECT_EQ(root.attributeName(0), u"formatVersion");
    EXPECT_EQ(root.attributeName(19), u"nativeEncoding");
    EXPECT_EQ(root.getAttribute(u"grid"), u"FALSE");
    EXPECT_EQ(root.getAttribute(u"gridSnap"), u"TRUE");
    EXPECT_EQ(root.getAttribute(u"nativeEncoding"), u"UTF-8");
    // Escaped in the document, the text itself when read.
    EXPECT_EQ(root.storedAttributeValue(root.findAttribute(u"password")).find(u'<'), std::u16string_view::npos);

    std::string bytes;
    root.write(bytes);
    EXPECT_EQ(bytes.find("a<b"), std::string::npos);

    CProjectSettings read;
    read.ReadAttributes(root);
    EXPECT_EQ(read, written);
}

TEST(CProjectSettings, DefaultsAndWhatAMissingAttributeLeaves)
{
    const CProjectSettings defaults;
    EXPECT_EQ(defaults.target.pageSize, u"800x480");
    EXPECT_EQ(defaults.target.targetFlags, 5);
    EXPECT_EQ(defaults.target.colorBits, 32);
    EXPECT_EQ(defaults.target.tagMemorySize, 8192);
    EXPECT_EQ(defaults.target.nativeEncoding, 11u);
    EXPECT_EQ(defaults.holdFirst, 1000);
    EXPECT_EQ(defaults.holdRepeat, 300);

    DXMLElement bare(u"project");
    CProjectSettings read = everyAttributeChanged();
    read.ReadAttributes(bare);
    EXPECT_EQ(read.formatVersion, 0) << "no formatVersion marks an older document";
    read.formatVersion = CProjectSettings::kFormatVersion;
    EXPECT_EQ(read, everyAttributeChanged());
}

TEST(CProjectSettings, OlderDocumentsRules)
{
    DXMLElement root(u"project");
    root.setAttribute(u"password", u"\"secret");
    root.setAttribute(u"layerInitiallyVisible", u"");
    root.setAttribute(u"nativeEncoding", u"no-such-encoding");
    CProjectSettings read;
    read.password = u"kept";
    read.layerInitiallyVisible = false;
    read.target.nativeEncoding = 23;
    read.ReadAttributes(root);
    EXPECT_EQ(read.password, u"");
    EXPECT_FALSE(read.layerInitiallyVisible);
    EXPECT_EQ(read.target.nativeEncoding, 23u);

    root.setAttribute(u"password", u"");
    root.setAttribute(u"layerInitiallyVisible", u"true");
    read.password = u"kept";
    read.ReadAttributes(root);
    EXPECT_EQ(read.password, u"kept");
    EXPECT_TRUE(read.layerInitiallyVisible);
}

TEST(CPageSize, SidesAreClampedAndOneNumberIsSquare)
{
    struct Case {
        std::u16string_view text;
        CPageSize size;
    };
    const Case cases[] = {
        {u"800x480", {800, 480}}, {u"50x9000", {100, 5000}}, {u"640", {640, 640}},
        {u"x", {100, 100}},       {u"", {100, 100}},         {u"99999999999x12", {5000, 100}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CPageSize::Parse(c.text), c.size) << std::string(c.text.begin(), c.text.end());
}

} // namespace
