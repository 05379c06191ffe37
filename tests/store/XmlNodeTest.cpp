#include "store/XmlNode.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct DocumentDeleter {
    void operator()(xmlDocPtr document) const { xmlFreeDoc(document); }
};
using Document = std::unique_ptr<xmlDoc, DocumentDeleter>;

Document NewDiary()
{
    Document document(xmlNewDoc(BAD_CAST "1.0"));
    xmlDocSetRootElement(document.get(),
                         xmlNewDocNode(document.get(), nullptr, BAD_CAST "diary", nullptr));
    return document;
}

TEST(XmlNode, AttributesKnowMissingFromEmpty)
{
    Document document = NewDiary();
    xmlNodePtr log = AppendElement(RootElement(document.get()), "log");
    bool present = true;
    EXPECT_EQ(GetAttribute(log, "href", &present), QString());
    EXPECT_FALSE(present);
    SetAttribute(log, "href", QString());
    EXPECT_EQ(GetAttribute(log, "href", &present), QString());
    EXPECT_TRUE(present);
    SetAttribute(log, "href", QString::fromUtf8("C:\\メモ & \"1\""));
    EXPECT_EQ(GetAttribute(log, "href"), QString::fromUtf8("C:\\メモ & \"1\""));
    RemoveAttribute(log, "href");
    GetAttribute(log, "href", &present);
    EXPECT_FALSE(present);
    RemoveAttribute(log, "href"); // removing twice is harmless
    EXPECT_EQ(GetAttribute(nullptr, "href", &present), QString());
    EXPECT_FALSE(present);
}

TEST(XmlNode, TextIsNeverParsedAsMarkup)
{
    Document document = NewDiary();
    xmlNodePtr log = AppendElement(RootElement(document.get()), "log");
    // xmlNodeSetContent would read "& B" as an entity reference and lose it.
    SetTextContent(log, "A & B &amp; <c/> &#65;");
    EXPECT_EQ(TextContent(log), "A & B &amp; <c/> &#65;");
    ASSERT_NE(log->children, nullptr);
    EXPECT_EQ(log->children->type, XML_TEXT_NODE);
    EXPECT_EQ(log->children->next, nullptr);
}

TEST(XmlNode, SettingTextReplacesEveryChild)
{
    Document document = NewDiary();
    xmlNodePtr log = AppendElement(RootElement(document.get()), "log");
    AppendElement(log, "old");
    SetTextContent(log, "first");
    SetTextContent(log, "second");
    EXPECT_EQ(TextContent(log), "second");
    EXPECT_TRUE(ChildElements(log).isEmpty());
    SetTextContent(log, QString());
    EXPECT_EQ(TextContent(log), QString());
}

TEST(XmlNode, TextKeepsLfForCrLf)
{
    Document document = NewDiary();
    xmlNodePtr log = AppendElement(RootElement(document.get()), "log");
    SetTextContent(log, "a\r\nb\nc\rd");
    EXPECT_EQ(TextContent(log), "a\nb\nc\rd");
}

TEST(XmlNode, IllegalCharactersAreRemoved)
{
    QString controls;
    for (char16_t c = 0; c < 0x20; ++c)
        controls.append(QChar(c));
    EXPECT_EQ(RemoveXmlIllegalChars(controls), "\t\n\r");
    EXPECT_EQ(RemoveXmlIllegalChars(QString(QChar(0xFFFE)) + "a" + QChar(0xFFFF)), "a");
    const QString pair = QString::fromUtf8("😀");
    EXPECT_EQ(RemoveXmlIllegalChars(pair), pair);
    EXPECT_EQ(RemoveXmlIllegalChars(QString(pair[0]) + "x" + pair[1] + pair[0]), "x");
    EXPECT_EQ(RemoveXmlIllegalChars(QString(pair[1]) + pair), pair);
    EXPECT_EQ(RemoveXmlIllegalChars("ab" + pair + "c\x01" + pair[0] + "d"), "ab" + pair + "cd");
    const QString kept = QString::fromUtf8("\x7F\u0080\u00A0\uFFFD\uFEFF本");
    EXPECT_EQ(RemoveXmlIllegalChars(kept), kept);
}

TEST(XmlNode, ChildElementsSkipTextAndFilterByName)
{
    Document document = NewDiary();
    xmlNodePtr root = RootElement(document.get());
    xmlNodePtr first = AppendElement(root, "log");
    xmlAddChild(root, xmlNewText(BAD_CAST "\n"));
    AppendElement(root, "note");
    xmlNodePtr second = AppendElement(root, "log");
    EXPECT_EQ(ChildElements(root).size(), 3);
    EXPECT_EQ(ChildElements(root, "log"), QList<xmlNodePtr>({first, second}));
    EXPECT_EQ(ElementName(first), "log");
    EXPECT_TRUE(ChildElements(nullptr).isEmpty());
    EXPECT_EQ(RootElement(nullptr), nullptr);
    EXPECT_EQ(AppendElement(nullptr, "log"), nullptr);
}

} // namespace
