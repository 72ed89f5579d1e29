#include "bench/script/compile/macro_expansion.h"

#include <algorithm>
#include <cctype>

#include "bench/script/compile/token_syntax.h"

namespace bench::script {
namespace {

// Deeper than any real panel nests its macros; a macro that uses itself stops here too.
constexpr size_t kMaxDepth = 16;
// Macros that use each other several times grow with the power of their depth; real scripts
// are a few kilobytes.
constexpr size_t kMaxText = 1 << 20;

bool NameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool NameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

class Expander {
 public:
  Expander(const MacroLookup& lookup, ExpandedText* out, const ExpansionError& error)
      : lookup_(lookup), out_(out), error_(error) {}

  bool ok() const { return ok_; }

  // Appends text. The script's own text counts its lines; a macro's text is all on `line`.
  void Append(std::string_view text, int line, int macro) {
    for (size_t i = 0; i < text.size();) {
      if (text[i] == '@' && i + 1 < text.size() && NameStart(text[i + 1])) {
        size_t end = i + 1;
        while (end < text.size() && NameChar(text[end])) ++end;
        std::string_view name = text.substr(i + 1, end - i - 1);
        std::vector<std::string_view> arguments;
        size_t after = end;
        if (end < text.size() && text[end] == '(' && !ReadArguments(text, end, &after, &arguments))
          Fail(line, macro, "the arguments of @" + std::string(name) + " are not closed with ')'");
        Use(name, arguments, line, macro);
        if (macro < 0) line += LineBreaks(text.substr(i, after - i));
        i = after;
        continue;
      }
      Put(text[i], line, macro);
      if (macro < 0 && text[i] == '\n') ++line;
      ++i;
    }
  }

 private:
  static int LineBreaks(std::string_view text) {
    int count = 0;
    for (char c : text) count += c == '\n';
    return count;
  }

  void Put(char c, int line, int macro) {
    out_->text.push_back(c);
    out_->lines.push_back(line);
    out_->macros.push_back(macro);
  }

  void Fail(int line, int macro, const std::string& message) {
    ok_ = false;
    error_(line, macro, message);
  }

  // text[open] is '('; arguments are split at the commas outside nested parentheses.
  static bool ReadArguments(std::string_view text, size_t open, size_t* after,
                            std::vector<std::string_view>* arguments) {
    int depth = 0;
    size_t start = open + 1;
    for (size_t i = open; i < text.size(); ++i) {
      char c = text[i];
      if (c == '(') {
        ++depth;
      } else if (c == ')' && --depth == 0) {
        arguments->push_back(Trim(text.substr(start, i - start)));
        *after = i + 1;
        return true;
      } else if (c == ',' && depth == 1) {
        arguments->push_back(Trim(text.substr(start, i - start)));
        start = i + 1;
      }
    }
    *after = text.size();
    return false;
  }

  void Use(std::string_view name, const std::vector<std::string_view>& arguments, int line,
           int macro) {
    const MacroText* found = lookup_ ? lookup_(name) : nullptr;
    if (!found)
      return Fail(line, macro,
                  "undefined macro @" + std::string(name) + "; define it with <Macro Name=\"" +
                      std::string(name) + "\">");
    int index = NameIndex(name);
    if (expanding_.size() >= kMaxDepth) return Fail(line, index, TooDeep(name, index));
    if (out_->text.size() + found->text.size() > kMaxText)
      return Fail(line, index, "the macros expand to more than a megabyte of text");
    std::string body;
    if (!Substitute(found->text, arguments, &body))
      return Fail(line, index,
                  "@" + std::string(name) + " uses an argument it is not given; write @" +
                      std::string(name) + "(...) with one value per @N");
    expanding_.push_back(index);
    Append(body, line, index);
    expanding_.pop_back();
  }

  // Deeper than the bench goes: a macro already being expanded uses itself and would never
  // end; otherwise the macros are only nested deep.
  std::string TooDeep(std::string_view name, int index) const {
    bool again = std::find(expanding_.begin(), expanding_.end(), index) != expanding_.end();
    if (again) return "@" + std::string(name) + " expands into itself";
    return "@" + std::string(name) + " is nested " + std::to_string(kMaxDepth + 1) +
           " macros deep; the bench expands " + std::to_string(kMaxDepth) +
           " at most: use fewer levels of macros";
  }

  int NameIndex(std::string_view name) {
    for (size_t i = 0; i < out_->names.size(); ++i)
      if (out_->names[i] == name) return static_cast<int>(i);
    out_->names.emplace_back(name);
    return static_cast<int>(out_->names.size() - 1);
  }

  // @1, @2, ... replaced by the arguments; false when one is missing.
  static bool Substitute(std::string_view body, const std::vector<std::string_view>& arguments,
                         std::string* out) {
    for (size_t i = 0; i < body.size(); ++i) {
      if (body[i] != '@' || i + 1 >= body.size() ||
          !std::isdigit(static_cast<unsigned char>(body[i + 1]))) {
        out->push_back(body[i]);
        continue;
      }
      size_t number = 0, end = i + 1;
      while (end < body.size() && std::isdigit(static_cast<unsigned char>(body[end])) &&
             number < 1000)
        number = number * 10 + (body[end++] - '0');
      if (number == 0 || number > arguments.size()) return false;
      out->append(arguments[number - 1]);
      i = end - 1;
    }
    return true;
  }

  const MacroLookup& lookup_;
  ExpandedText* out_;
  const ExpansionError& error_;
  std::vector<int> expanding_;  // the macros being expanded, outermost first
  bool ok_ = true;
};

}  // namespace

bool ExpandMacros(std::string_view text, int first_line, const MacroLookup& lookup,
                  ExpandedText* out, const ExpansionError& error) {
  Expander expander(lookup, out, error);
  expander.Append(text, first_line, -1);
  return expander.ok();
}

}  // namespace bench::script
