// The small hypertext documents of the balloon tips and the hypertext box, turned
// into the markup of the SysLink control: plain text with line breaks and
// <a href="...">...</a> links.
#pragma once

#include <string>

namespace hs::win::ui {

// Converts `html` (UTF-8) to SysLink markup (UTF-8). Block tags (p, div, h1-h6,
// li, br) become line breaks; a link keeps its text and carries its msg attribute
// (or, without one, its href) as the link's target; every other tag is dropped,
// the contents of head, style, script and title with it. Runs of white space
// collapse to one space as in HTML; entities &amp; &lt; &gt; &quot; &nbsp; and
// numeric ones are decoded. Text that would read as markup is kept literal.
std::string HtmlToLinkMarkup(const std::string& html);

}  // namespace hs::win::ui
