#include <gtest/gtest.h>

#include <vector>

#include "foundation/TextHelpers.h"
#include "foundation/xml/DXMLParser.h"

namespace {

const std::string kDeclaration = "<?xml version=\"1.0\" standalone=\"yes\" encoding=\"UTF-8\"?>\n";

// name[attribute=stored value,...]'stored text'(children), "?" for an empty name.
std::string summary(const DXMLElement& element)
{
    std::string out = element.name().empty() ? "?" : wideToUtf8(element.name());
    if (element.attributeCount() > 0) {
        out += "[";
        for (int i = 0; i < element.attributeCount(); ++i)
            out += (i ? "," : "") + wideToUtf8(element.attributeName(i)) + "=" + wideToUtf8(element.storedAttributeValue(i));
        out += "]";
    }
    if (!element.storedText().empty() && element.children().empty())
        out += "'" + wideToUtf8(element.storedText()) + "'";
    if (!element.children().empty()) {
        out += "(";
        for (std::size_t i = 0; i < element.children().size(); ++i)
            out += (i ? " " : "") + summary(*element.children()[i]);
        out += ")";
    }
    return out;
}

std::string topLevel(const DXMLElement& root)
{
    std::string out;
    for (std::size_t i = 0; i < root.children().size(); ++i)
        out += (i ? " " : "") + summary(*root.children()[i]);
    return out;
}

// Parses from a buffer of exactly the input's size, so any over-read shows.
std::string parseToSummary(const std::string& input, DXMLParser::Whitespace mode = DXMLParser::Whitespace::KeepInContent)
{
    const std::vector<uint8_t> bytes(input.begin(), input.end());
    DXMLParser parser(bytes, mode);
    EXPECT_TRUE(parser.parse());
    return topLevel(parser.root());
}

// Leaf texts count; the text of an element with children is the whitespace before its
// end tag, which writers never rely on.
void expectSameTree(const DXMLElement& a, const DXMLElement& b)
{
    EXPECT_EQ(a.name(), b.name());
    ASSERT_EQ(a.attributeCount(), b.attributeCount());
    for (int i = 0; i < a.attributeCount(); ++i) {
        EXPECT_EQ(a.attributeName(i), b.attributeName(i));
        EXPECT_EQ(a.storedAttributeValue(i), b.storedAttributeValue(i));
    }
    ASSERT_EQ(a.children().size(), b.children().size());
    if (a.children().empty()) {
        EXPECT_EQ(a.storedText(), b.storedText());
    }
    for (std::size_t i = 0; i < a.children().size(); ++i)
        expectSameTree(*a.children()[i], *b.children()[i]);
}

} // namespace

TEST(XmlParser, ReadsElementsAttributesAndEmptyElements)
{
    EXPECT_EQ(parseToSummary(kDeclaration + "<a b=\"\" c=\"2\"><d/></a>"), "a[b=,c=2](d)");
    // An empty last value still ends the start tag at its ">".
    EXPECT_EQ(parseToSummary(kDeclaration + "<a b=\"\">text</a>"), "a[b=]'text'");
    EXPECT_EQ(parseToSummary(kDeclaration + "<a>1</a><b>2</b>"), "a'1' b'2'");
}

TEST(XmlParser, MalformedInputGivesAPartialTree)
{
    struct Case {
        const char* what;
        std::string input;
        std::string tree;
    };
    const Case cases[] = {
        {"empty", "", ""},
        {"no markup at all", "plain words", ""},
        {"declaration only", "<?xml", ""},
        {"truncated text", kDeclaration + "<a>tex", "a'tex'"},
        {"truncated start tag", kDeclaration + "<a><b x=\"1\"", "a(b[x=1])"},
        {"truncated value", kDeclaration + "<a b=\"12", "a[b=12]"},
        {"truncated after =", kDeclaration + "<a b=", "a[b=]"},
        {"stray end tag at top level", kDeclaration + "</x><a/>", "a"},
        {"stray end tags after the root", kDeclaration + "<a>1</a></a></a><b/>", "a'1' b"},
        {"lone < at the end", kDeclaration + "<a>t</a><", "a't' ?"},
        {"lone </ at the end", kDeclaration + "<a>t</", "a't'"},
        {"missing end tags", kDeclaration + "<a><b><c>x", "a(b(c'x'))"},
        {"lone & in text", kDeclaration + "<a>x&</a>", "a'x&'"},
        {"no declaration loses the first start tag", "<a><b/></a>", "b"},
        {"invalid UTF-8", kDeclaration + "<a>\xff</a>", "a'\xef\xbf\xbd'"},
        {"quote at the end", kDeclaration + "<a b=\"", "a[b=]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseToSummary(c.input), c.tree) << c.what;

    // Every prefix of a document parses without reading past its end.
    const std::string document = kDeclaration + "<a x=\"1\" y=\"\"><b>t&amp;u</b><c/></a>";
    for (std::size_t n = 0; n <= document.size(); ++n)
        parseToSummary(document.substr(0, n));
}

TEST(XmlParser, AttributeWithoutValueReadsEmpty)
{
    const std::string input = kDeclaration + "<a b=c=\"2\">x</a>";
    const std::vector<uint8_t> bytes(input.begin(), input.end());
    DXMLParser parser(bytes);
    parser.parse();
    const DXMLElement* a = parser.root().getChild(u"a");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->attributeCount(), 2);
    EXPECT_EQ(a->getAttribute(u"b"), u"2");
    EXPECT_EQ(a->getAttribute(u"c"), u"");
}

TEST(XmlParser, EngineModeSkipsWhitespaceBeforeEveryToken)
{
    const std::string input = kDeclaration + "<tags>\n\t<tag name=\" x \">  v 1 </tag>\n\t<tag> </tag>\n</tags>";
    EXPECT_EQ(parseToSummary(input, DXMLParser::Whitespace::KeepInContent), "tags(tag[name= x ]'  v 1 ' tag' ')");
    EXPECT_EQ(parseToSummary(input, DXMLParser::Whitespace::SkipBeforeEveryToken), "tags(tag[name= x ]'v 1 ' tag)");

    const std::vector<uint8_t> bytes(input.begin(), input.end());
    DXMLParser parser(bytes, DXMLParser::Whitespace::SkipBeforeEveryToken);
    parser.parse();
    EXPECT_EQ(parser.root().getChild(u"tags")->storedText(), u"");
}

TEST(XmlParser, WrittenDocumentReadsBackAsTheSameTree)
{
    const std::u16string awkward = u"a/b = \"c\" <d> & e;&amp;lt; -= x-- \u00e9\u20ac\u65e5\u672c\xD83D\xDE00";
    DXMLElement project(u"project");
    project.setAttribute(u"name", awkward);
    project.setIntAttribute(u"formatVersion", 2);
    project.setBoolAttribute(u"premultiplied", true);
    project.setAttribute(u"empty", u"");
    DXMLElement* page = project.addChild(u"page");
    page->setAttribute(u"name", u"Seite 1/\u00fcber");
    page->addChild(u"objectName")->setText(awkward);
    page->addChild(u"empty");
    page->addChild(u"lines")->setText(u"one\ntwo\r\nthree\ttab");
    DXMLElement* nested = page->addChild(u"nested");
    nested->addChild(u"deeper")->addChild(u"deepest")->setText(u"/");
    project.addChild(u"tags")->addChild(u"tag")->setAttribute(u"address", u"memory");

    std::string bytes = kDeclaration;
    project.write(bytes);
    EXPECT_NE(bytes.find("&slash;"), std::string::npos);
    EXPECT_EQ(bytes.find("a/b"), std::string::npos);

    for (auto mode : {DXMLParser::Whitespace::KeepInContent, DXMLParser::Whitespace::SkipBeforeEveryToken}) {
        DXMLParser parser(bytes.data(), bytes.size(), mode);
        ASSERT_TRUE(parser.parse());
        ASSERT_EQ(parser.root().getChildCount(), 1);
        const DXMLElement& read = *parser.root().getChild(u"project");
        expectSameTree(project, read);
        EXPECT_EQ(read.getAttribute(u"name"), awkward);
        EXPECT_EQ(read.getChild(u"page")->getChild(u"objectName")->getText(), awkward);
        EXPECT_EQ(read.parent(), &parser.root());

        std::string again = kDeclaration;
        read.write(again);
        EXPECT_EQ(again, bytes);
    }
}

TEST(XmlParser, DeepNestingIsParsedAndFreed)
{
    std::string input = kDeclaration;
    for (int i = 0; i < 100000; ++i)
        input += "<a>";
    DXMLParser parser(input.data(), input.size());
    parser.parse();
    int depth = 0;
    for (const DXMLElement* e = parser.root().getChild(u"a"); e; e = e->getChild(u"a"))
        ++depth;
    EXPECT_EQ(depth, 100000);
    // Parsing again replaces the tree.
    parser.parse();
    EXPECT_EQ(parser.root().getChildCount(), 1);
}
