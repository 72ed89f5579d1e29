// A small strict, non-validating XML 1.0 reader for gauge files. Debian packages no XML library
// for MinGW, and the bench is built for Windows too; gauge files are small and use a plain
// subset of XML, so a reader of our own costs less than carrying a library's sources.
//
// Read: elements, attributes in either quote, text, CDATA, comments, the XML declaration and
// processing instructions (both skipped), a UTF-8 byte order mark, the five named entities and
// numeric character references (undone, so scripts arrive as the script reader wants them; a
// referenced line feed, &#10;, as a carriage return, so that only the file's own line breaks
// count as lines).
// Every element, attribute and text piece keeps the line it starts on. A document that is not
// well-formed gives one error with its line. Text bytes are passed through as they are (the
// encoding named in the declaration is not converted).
//
// Two tolerances, both for files the simulator is known to load: "--" inside a comment (rows of
// dashes are common decoration), and line breaks inside attribute values kept as they are
// rather than turned into spaces, so a script written across lines of an attribute keeps its
// line numbers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "bench/panels/findings.h"

namespace bench::panels {

struct XmlAttribute {
  std::string name;
  std::string value;   // entities undone
  int line = 0;        // the line of the name
  int value_line = 0;  // the line of the opening quote
};

struct XmlNode {
  bool is_text = false;
  std::string name;  // element name; empty for text
  // Text with entities undone; a run of text and CDATA sections is one piece. Comments and
  // processing instructions split text into pieces.
  std::string text;
  int line = 0;  // where the element's tag or the text piece starts
  std::vector<XmlAttribute> attributes;
  std::vector<XmlNode> children;

  // The first attribute of this name, or nullptr.
  const XmlAttribute* Attribute(std::string_view name) const;
};

// Elements may nest this deep; deeper is refused (no gauge comes close).
constexpr int kXmlMaxDepth = 256;

// Parses bytes read from file (the name only labels the error). On success fills root with the
// document element and returns true; otherwise fills error (with file and line) and returns
// false.
bool ParseXml(std::string_view bytes, const std::string& file, XmlNode* root, Finding* error);

}  // namespace bench::panels
