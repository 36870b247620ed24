#include <gtest/gtest.h>

#include "foundation/xml/DXMLElement.h"

TEST(XmlElement, TextIsStoredEscapedAndDecodedInOnePass)
{
    struct Case {
        std::u16string text;
        std::u16string stored;
    };
    const Case cases[] = {
        {u"a/b<c", u"a&slash;b&lt;c"},
        {u"&lt;", u"&amp;lt;"},                    // must not come back as "<"
        {u"&amp;slash;", u"&amp;amp;slash;"},
        {u"x > y & z", u"x &gt; y &amp; z"},
        {u"/start", u"&slash;start"},
        {u"a -= b; x--; y-=1", u"a -= b; x--; y-=1"}, // no characters inserted
        {u"soft \u00ad= hyphen", u"soft \u00ad= hyphen"},
        {u"quote \" and = stay in text", u"quote \" and = stay in text"},
        {u"", u""},
    };
    for (const Case& c : cases) {
        DXMLElement element(u"e");
        element.setText(c.text);
        EXPECT_EQ(element.storedText(), c.stored);
        EXPECT_EQ(element.getText(), c.text);
    }
}

TEST(XmlElement, AttributesAreReplacedOrAppendedAndEscaped)
{
    DXMLElement element(u"tag");
    element.setAttribute(u"id", u"1");
    element.setBoolAttribute(u"on", true);
    element.setIntAttribute(u"n", -42);
    element.setAttribute(u"id", u"a/b=\"c\"<d>&e");
    element.setBoolAttribute(u"on", false);

    ASSERT_EQ(element.attributeCount(), 3);
    EXPECT_EQ(element.findAttribute(u"id"), 0);
    EXPECT_EQ(element.findAttribute(u"ID"), -1);
    EXPECT_EQ(element.getAttribute(u"id"), u"a/b=\"c\"<d>&e");
    EXPECT_EQ(element.storedAttributeValue(0), u"a&slash;b&#61;&quot;c&quot;&lt;d&gt;&amp;e");
    EXPECT_EQ(element.getAttribute(u"on"), u"FALSE");
    EXPECT_EQ(element.getAttribute(u"n"), u"-42");
    EXPECT_EQ(element.getAttribute(u"missing"), u"");
}

TEST(XmlElement, ChildrenByNameAndIndex)
{
    DXMLElement element(u"a");
    DXMLElement* q = element.addChild(u"q");
    DXMLElement* p0 = element.addChild(u"p");
    DXMLElement* p1 = element.addChild(u"p");
    EXPECT_EQ(p1->parent(), &element);
    EXPECT_EQ(element.getChild(DXMLElement::anyName, -1), q);
    EXPECT_EQ(element.getChild(DXMLElement::anyName, 2), p1);
    EXPECT_EQ(element.getChild(u"p", -1), p0);
    EXPECT_EQ(element.getChild(u"p", 0), p0);
    EXPECT_EQ(element.getChild(u"p", 1), p1);
    EXPECT_EQ(element.getChild(u"p", 2), nullptr);
    EXPECT_EQ(element.getChild(u"P", -1), nullptr);
    EXPECT_EQ(element.getChildCount(), 3);
    EXPECT_EQ(element.getChildCount(u"p"), 2);
    EXPECT_EQ(element.getChildCount(u"none"), 0);
}

TEST(XmlElement, WritesLeavesOnOneLineAndParentsIndented)
{
    DXMLElement leaf(u"tag");
    leaf.setAttribute(u"id", u"1");
    leaf.setText(u"x");
    std::string bytes;
    leaf.write(bytes);
    EXPECT_EQ(bytes, "<tag id=\"1\">x</tag>\n");

    DXMLElement parent(u"a");
    parent.addChild(u"b")->setText(u"y/z");
    parent.setText(u"ignored: an element with children writes no text");
    bytes.clear();
    parent.write(bytes, 1);
    EXPECT_EQ(bytes, "\t<a>\n\t\t<b>y&slash;z</b>\n\t</a>\n");

    // A nameless element writes only its children, one level deeper, or its text.
    DXMLElement holder;
    holder.addChild(u"c");
    bytes.clear();
    holder.write(bytes);
    EXPECT_EQ(bytes, "\t<c></c>\n");
    DXMLElement textOnly;
    textOnly.setText(u"\u00e9");
    bytes.clear();
    textOnly.write(bytes);
    EXPECT_EQ(bytes, "\xc3\xa9");
}

TEST(XmlElement, DeepTreesAreFreedWithoutRecursion)
{
    DXMLElement top(u"d");
    DXMLElement* element = &top;
    for (int i = 0; i < 300000; ++i)
        element = element->addChild(u"d");
    // A level of tabs per depth: the output of a deep tree grows with the square of it.
    DXMLElement shallow(u"d");
    element = &shallow;
    for (int i = 0; i < 1000; ++i)
        element = element->addChild(u"d");
    std::string bytes;
    shallow.write(bytes);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 2 * 1000 + 1);
    EXPECT_TRUE(bytes.ends_with("\n\t\t</d>\n\t</d>\n</d>\n"));
}
