#include "bench/panels/formats/xml_reader.h"

#include <cstdint>

namespace bench::panels {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsNameStart(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u == ':' || u >= 0x80;
}
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

// XML reads CR LF and a lone CR as one line feed; doing it first keeps line counting simple.
std::string NormalizeLineEnds(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r') {
      out += bytes[i];
    } else {
      out += '\n';
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    }
  }
  return out;
}

bool IsXmlChar(uint32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

void AppendUtf8(uint32_t c, std::string* out) {
  if (c < 0x80) {
    *out += static_cast<char>(c);
  } else if (c < 0x800) {
    *out += static_cast<char>(0xC0 | c >> 6);
    *out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out += static_cast<char>(0xE0 | c >> 12);
    *out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | c >> 18);
    *out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    *out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

class XmlParser {
 public:
  XmlParser(std::string_view bytes, const std::string& file, Finding* error)
      : file_(file), error_(error) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    utf16_ = bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF";
    src_ = NormalizeLineEnds(bytes);
  }

  bool Parse(XmlNode* root) {
    if (utf16_) return Fail("the file is UTF-16; save it as UTF-8 (or ANSI)");
    if (StartsWith("<?xml") && pos_ + 5 < src_.size() && IsSpace(src_[pos_ + 5]) &&
        !SkipPast("?>", "the XML declaration"))
      return false;
    if (!SkipMisc()) return false;
    if (pos_ >= src_.size()) return Fail("no root element; a gauge file holds one element");
    if (src_[pos_] != '<' || !IsNameStart(Peek(1)))
      return Fail("text before the root element; remove it");
    if (!ReadContent(root) || !SkipMisc()) return false;
    if (pos_ < src_.size())
      return Fail("more after the root element </" + root->name +
                  ">; a file holds one root element, remove the rest");
    return true;
  }

 private:
  char Peek(size_t ahead) const { return pos_ + ahead < src_.size() ? src_[pos_ + ahead] : '\0'; }
  bool StartsWith(std::string_view s) const { return src_.compare(pos_, s.size(), s) == 0; }
  void Advance(size_t n) {
    for (size_t end = pos_ + n; pos_ < end; ++pos_)
      if (src_[pos_] == '\n') ++line_;
  }
  bool Fail(const std::string& message) { return FailAt(line_, message); }
  bool FailAt(int line, const std::string& message) {
    *error_ = Finding{file_, line, Severity::kError, message};
    return false;
  }

  // Skips to just after the terminator of a construct that opened at pos_.
  bool SkipPast(std::string_view terminator, const char* what) {
    int start = line_;
    size_t end = src_.find(terminator, pos_);
    if (end == std::string::npos)
      return FailAt(start,
                    std::string(what) + " is never closed; end it with " + std::string(terminator));
    Advance(end + terminator.size() - pos_);
    return true;
  }

  // White space, comments and processing instructions, before and after the root element.
  bool SkipMisc() {
    while (pos_ < src_.size()) {
      if (IsSpace(src_[pos_])) {
        Advance(1);
      } else if (StartsWith("<!--")) {
        if (!SkipPast("-->", "a comment")) return false;
      } else if (StartsWith("<?")) {
        if (!SkipInstruction()) return false;
      } else if (StartsWith("<!DOCTYPE")) {
        return Fail("a document type declaration is not read here; remove it");
      } else {
        return true;
      }
    }
    return true;
  }

  bool SkipInstruction() {
    if (StartsWith("<?xml") && (IsSpace(Peek(5)) || Peek(5) == '?'))
      return Fail("an XML declaration belongs on the first line, before anything else; move it");
    return SkipPast("?>", "a processing instruction");
  }

  bool ReadName(std::string* name) {
    size_t start = pos_;
    if (pos_ >= src_.size() || !IsNameStart(src_[pos_])) return false;
    while (pos_ < src_.size() && IsNameChar(src_[pos_])) ++pos_;
    name->assign(src_, start, pos_ - start);
    return true;
  }

  // At '&': appends what the reference stands for.
  bool ReadReference(std::string* out) {
    size_t semicolon = src_.find(';', pos_);
    size_t limit = semicolon == std::string::npos ? src_.size() : semicolon;
    std::string_view body(src_.data() + pos_ + 1, limit - pos_ - 1);
    static const char* const kRaw = "a raw '&'; write &amp; for an ampersand";
    if (semicolon == std::string::npos || body.empty() || body.size() > 12) return Fail(kRaw);
    if (body[0] == '#') {
      if (!ReadCharacterReference(body.substr(1), out)) return false;
    } else if (body == "lt" || body == "gt" || body == "amp" || body == "quot" || body == "apos") {
      *out += body == "lt"     ? '<'
              : body == "gt"   ? '>'
              : body == "amp"  ? '&'
              : body == "quot" ? '"'
                               : '\'';
    } else {
      for (char c : body)
        if (!IsNameChar(c)) return Fail(kRaw);
      return Fail("unknown entity &" + std::string(body) +
                  "; XML knows &lt; &gt; &amp; &quot; &apos; and &#N;");
    }
    pos_ = semicolon + 1;
    return true;
  }

  bool ReadCharacterReference(std::string_view digits, std::string* out) {
    bool hex = !digits.empty() && digits[0] == 'x';
    if (hex) digits.remove_prefix(1);
    uint32_t value = 0;
    for (char c : digits) {
      int d = c >= '0' && c <= '9'                            ? c - '0'
              : hex && (c | 0x20) >= 'a' && (c | 0x20) <= 'f' ? (c | 0x20) - 'a' + 10
                                                              : -1;
      if (d < 0)
        return Fail("a character reference holds '" + std::string(1, c) + "'; write &#N; or &#xH;");
      value = value * (hex ? 16 : 10) + d;
    }
    if (digits.empty() || !IsXmlChar(value))
      return Fail("a character reference names no character XML allows; correct or remove it");
    // A line feed written as &#10; comes out as a carriage return: to a script both are white
    // space, and the text's line feeds stay the file's own, so lines counted in it are the
    // file's lines (the checks point at them).
    AppendUtf8(value == '\n' ? '\r' : value, out);
    return true;
  }

  bool ReadAttributeValue(XmlAttribute* attribute) {
    char quote = Peek(0);
    if (quote != '"' && quote != '\'')
      return Fail("the value of " + attribute->name + " has no quotes; write " + attribute->name +
                  "=\"...\"");
    attribute->value_line = line_;
    Advance(1);
    while (true) {
      if (pos_ >= src_.size())
        return FailAt(attribute->value_line,
                      "the value of " + attribute->name + " is never closed; end it with " + quote);
      char c = src_[pos_];
      if (c == quote) break;
      if (c == '<') return Fail("a raw '<' in the value of " + attribute->name + "; write &lt;");
      if (c == '&') {
        if (!ReadReference(&attribute->value)) return false;
      } else {
        attribute->value += c;
        Advance(1);
      }
    }
    Advance(1);
    return true;
  }

  bool ReadAttribute(XmlNode* element) {
    XmlAttribute attribute;
    attribute.line = line_;
    if (!ReadName(&attribute.name))
      return Fail("'" + std::string(1, Peek(0)) + "' in the tag <" + element->name +
                  ">; an attribute is written name=\"value\"");
    if (element->Attribute(attribute.name))
      return Fail("<" + element->name + "> has " + attribute.name + " twice; keep one");
    while (IsSpace(Peek(0))) Advance(1);
    if (Peek(0) != '=')
      return Fail("the attribute " + attribute.name + " has no value; write " + attribute.name +
                  "=\"...\"");
    Advance(1);
    while (IsSpace(Peek(0))) Advance(1);
    if (!ReadAttributeValue(&attribute)) return false;
    element->attributes.push_back(std::move(attribute));
    return true;
  }

  // At '<' of a start tag; *empty tells whether it was <name/>.
  bool ReadStartTag(XmlNode* element, bool* empty) {
    element->line = line_;
    Advance(1);
    ReadName(&element->name);
    while (true) {
      bool spaced = false;
      while (IsSpace(Peek(0))) Advance(1), spaced = true;
      if (pos_ >= src_.size())
        return FailAt(element->line,
                      "the tag <" + element->name + "> is never closed; end it with >");
      if (Peek(0) == '>' || (Peek(0) == '/' && Peek(1) == '>')) break;
      if (!spaced)
        return Fail("no space before '" + std::string(1, Peek(0)) + "' in the tag <" +
                    element->name + ">; separate attributes with a space");
      if (!ReadAttribute(element)) return false;
    }
    *empty = Peek(0) == '/';
    Advance(*empty ? 2 : 1);
    return true;
  }

  bool ReadEndTag(const XmlNode& open) {
    Advance(2);
    std::string name;
    ReadName(&name);
    while (IsSpace(Peek(0))) Advance(1);
    if (Peek(0) != '>') return Fail("a broken end tag </" + name + "; write </" + open.name + ">");
    if (name != open.name)
      return Fail("</" + name + "> closes <" + open.name + "> (line " + std::to_string(open.line) +
                  "); close <" + open.name + "> first");
    Advance(1);
    return true;
  }

  // The text piece being collected for the innermost open element.
  struct Piece {
    std::string text;
    int line = 0;
    bool open = false;
  };
  void Extend(Piece* piece) {
    if (!piece->open) *piece = Piece{"", line_, true};
  }
  void Flush(Piece* piece, XmlNode* parent) {
    if (!piece->open) return;
    XmlNode text;
    text.is_text = true;
    text.line = piece->line;
    text.text = std::move(piece->text);
    parent->children.push_back(std::move(text));
    piece->open = false;
  }

  bool ReadCdata(Piece* piece) {
    Extend(piece);
    int start = line_;
    size_t end = src_.find("]]>", pos_);
    if (end == std::string::npos)
      return FailAt(start, "a CDATA section is never closed; end it with ]]>");
    piece->text.append(src_, pos_ + 9, end - pos_ - 9);
    Advance(end + 3 - pos_);
    return true;
  }

  bool ReadText(Piece* piece) {
    Extend(piece);
    if (src_[pos_] == '&') return ReadReference(&piece->text);
    if (src_[pos_] == ']' && StartsWith("]]>")) return Fail("']]>' in text; write ]]&gt;");
    piece->text += src_[pos_];
    Advance(1);
    return true;
  }

  // Markup met inside an element, at '<'.
  bool ReadMarkup(std::vector<XmlNode*>* open, Piece* piece) {
    XmlNode* parent = open->back();
    if (StartsWith("<![CDATA[")) return ReadCdata(piece);
    Flush(piece, parent);
    if (StartsWith("</")) return ReadEndTag(*parent) && (open->pop_back(), true);
    if (StartsWith("<!--")) return SkipPast("-->", "a comment");
    if (StartsWith("<?")) return SkipInstruction();
    if (!IsNameStart(Peek(1))) return Fail("a raw '<' in text; write &lt; for a less-than sign");
    if (static_cast<int>(open->size()) >= kXmlMaxDepth)
      return Fail("elements nested deeper than " + std::to_string(kXmlMaxDepth) + "; flatten them");
    parent->children.emplace_back();
    XmlNode* child = &parent->children.back();
    bool empty = false;
    if (!ReadStartTag(child, &empty)) return false;
    if (!empty) open->push_back(child);
    return true;
  }

  // The root element and everything inside it. Only the innermost open element's children
  // grow, so pointers to the open elements stay valid.
  bool ReadContent(XmlNode* root) {
    bool empty = false;
    if (!ReadStartTag(root, &empty)) return false;
    if (empty) return true;
    std::vector<XmlNode*> open{root};
    Piece piece;
    while (!open.empty()) {
      if (pos_ >= src_.size()) {
        const XmlNode& inner = *open.back();
        return Fail("the file ends inside <" + inner.name + "> (line " +
                    std::to_string(inner.line) + "); close it with </" + inner.name + ">");
      }
      if (!(src_[pos_] == '<' ? ReadMarkup(&open, &piece) : ReadText(&piece))) return false;
    }
    return true;
  }

  std::string src_;
  size_t pos_ = 0;
  int line_ = 1;
  bool utf16_ = false;
  const std::string& file_;
  Finding* error_;
};

}  // namespace

const XmlAttribute* XmlNode::Attribute(std::string_view wanted) const {
  for (const XmlAttribute& a : attributes)
    if (a.name == wanted) return &a;
  return nullptr;
}

bool ParseXml(std::string_view bytes, const std::string& file, XmlNode* root, Finding* error) {
  *root = XmlNode{};
  return XmlParser(bytes, file, error).Parse(root);
}

}  // namespace bench::panels
