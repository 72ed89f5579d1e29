// The gauge files' XML: what a well-formed file gives the gauge reader, and the one error with
// its line that a malformed file gives instead.
#include <gtest/gtest.h>

#include <string>

#include "bench/panels/formats/xml_reader.h"

namespace {

using bench::panels::Finding;
using bench::panels::ParseXml;
using bench::panels::XmlNode;

TEST(XmlReader, KeepsTextUnescapedAndTheLineOfEveryPiece) {
  const std::string document =
      "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
      "<!-- a comment -- with dashes -->\r\n"
      "<Gauge Name='Bus &amp; battery' Version=\"1.0\">\r\n"
      "  <?editor keep this?>\r\n"
      "  <Update>1 (&gt;L:x, bool) &#x41;&#66;</Update>\n"
      "  <Click Kind=\"LeftSingle\"\n"
      "         Event=\"A\r\nB\"/>\n"
      "  <Value><![CDATA[(L:a) 2 < if{ 1 }]]> &lt;tail&#x20AC;</Value>\n"
      "</Gauge>\n"
      "<!-- after the root -->\n";
  XmlNode root;
  Finding error;
  ASSERT_TRUE(ParseXml(document, "g.xml", &root, &error)) << error.line << ": " << error.message;
  EXPECT_EQ(root.name, "Gauge");
  EXPECT_EQ(root.line, 3);
  EXPECT_EQ(root.Attribute("Name")->value, "Bus & battery");
  std::vector<const XmlNode*> elements;
  for (const XmlNode& child : root.children)
    if (!child.is_text) elements.push_back(&child);
  ASSERT_EQ(elements.size(), 3u);
  const XmlNode& update = *elements[0];
  EXPECT_EQ(update.line, 5);
  ASSERT_EQ(update.children.size(), 1u);
  EXPECT_EQ(update.children[0].text, "1 (>L:x, bool) AB");
  EXPECT_EQ(update.children[0].line, 5);
  const XmlNode& click = *elements[1];
  EXPECT_EQ(click.line, 6);
  EXPECT_EQ(click.Attribute("Event")->line, 7);
  EXPECT_EQ(click.Attribute("Event")->value, "A\nB");  // line breaks kept, CR LF as one
  EXPECT_EQ(elements[2]->children[0].text, "(L:a) 2 < if{ 1 } <tail\xE2\x82\xAC");
  EXPECT_EQ(elements[2]->line, 9);  // the Event value above ends on line 8
}

TEST(XmlReader, CommentsSplitTextIntoPiecesWithTheirOwnLines) {
  XmlNode root;
  Finding error;
  ASSERT_TRUE(ParseXml("<a>one <!-- two\nthree -->\nfour<b/>five</a>", "f", &root, &error));
  ASSERT_EQ(root.children.size(), 4u);
  EXPECT_EQ(root.children[0].text, "one ");
  EXPECT_EQ(root.children[1].text, "\nfour");
  EXPECT_EQ(root.children[1].line, 2);
  EXPECT_EQ(root.children[2].name, "b");
  EXPECT_EQ(root.children[3].text, "five");
  EXPECT_EQ(root.children[3].line, 3);
}

struct Malformed {
  const char* what;
  std::string document;
  int line;
  const char* says;
};

TEST(XmlReader, AMalformedDocumentGivesOneErrorOnItsLine) {
  std::string deep;
  for (int i = 0; i < 300; ++i) deep += "<e>";
  const Malformed cases[] = {
      {"raw < in text", "<a>\n1 2 < if{ }\n</a>", 2, "raw '<' in text; write &lt;"},
      {"raw & in text", "<a>\n\nx & y</a>", 3, "raw '&'; write &amp;"},
      {"& without ;", "<a>&amp</a>", 1, "raw '&'"},
      {"unknown entity", "<a>\n&nbsp;</a>", 2, "unknown entity &nbsp;"},
      {"bad character reference", "<a>&#xZZ;</a>", 1, "character reference holds 'Z'"},
      {"reference to no character", "<a>&#0;</a>", 1, "names no character"},
      {"mismatched end tag", "<a>\n<b>\n</a>", 3, "</a> closes <b> (line 2)"},
      {"unclosed element", "<a>\n<b>\n</b>\n", 4, "ends inside <a> (line 1)"},
      {"junk after the root", "<a/>\n<b/>", 2, "more after the root element </a>"},
      {"text after the root", "<a></a>\ntext", 2, "more after the root element"},
      {"text before the root", "text<a/>", 1, "text before the root element"},
      {"empty document", "  \n", 2, "no root element"},
      {"attribute without quotes", "<a\nb=1/>", 2, "the value of b has no quotes"},
      {"attribute without value", "<a b>", 1, "the attribute b has no value"},
      {"attributes run together", "<a b='1'c='2'/>", 1, "no space before 'c'"},
      {"attribute twice", "<a b='1' b='2'/>", 1, "<a> has b twice"},
      {"< in an attribute", "<a\n b='x < y'/>", 2, "raw '<' in the value of b"},
      {"& in an attribute", "<a b='x & y'/>", 1, "raw '&'"},
      {"unclosed attribute value", "<a b='x\n\n/>", 1, "the value of b is never closed"},
      {"unclosed tag", "<a\n", 1, "the tag <a> is never closed"},
      {"unclosed comment", "<a>\n<!-- x\n</a>", 2, "a comment is never closed"},
      {"unclosed CDATA", "<a>\n\n<![CDATA[ x </a>", 3, "CDATA section is never closed"},
      {"]]> in text", "<a>x ]]> y</a>", 1, "']]>' in text"},
      {"declaration not first", "\n<?xml version='1.0'?><a/>", 2, "XML declaration belongs on the first line"},
      {"document type", "<!DOCTYPE a><a/>", 1, "document type declaration"},
      {"UTF-16", std::string("\xFF\xFE<\0a\0/\0>\0", 10), 1, "UTF-16"},
      {"broken end tag", "<a></a b>", 1, "a broken end tag </a"},
      {"nested too deep", deep, 1, "nested deeper than 256"},
  };
  for (const Malformed& c : cases) {
    SCOPED_TRACE(c.what);
    XmlNode root;
    Finding error;
    EXPECT_FALSE(ParseXml(c.document, "gauges/g.xml", &root, &error));
    EXPECT_EQ(error.file, "gauges/g.xml");
    EXPECT_EQ(error.line, c.line);
    EXPECT_NE(error.message.find(c.says), std::string::npos) << error.message;
  }
}

}  // namespace
