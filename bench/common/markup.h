// Text put into the bench's HTML and SVG outputs: whatever a panel author wrote (tooltips,
// file and gauge names) must show as written and never be read as markup.
#pragma once

#include <string>
#include <string_view>

namespace bench {

// & < > " and ' as character references, so the text is safe between tags and inside an
// attribute value in either kind of quotes.
std::string EscapeMarkup(std::string_view text);

}  // namespace bench
