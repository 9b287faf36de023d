// Text that Velmora writes into attribute values: escaping, and the anchor names that a page's
// links and their targets share.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// The text with " & < > written as character references; a text without them is returned as
// it is, so names without those characters are written exactly as before.
std::string EscapeAttribute(std::string_view text);

// Markup text as the reader sees it, for the five references a text commonly escapes with
// (&amp; &lt; &gt; &quot; &#39;); others stay as written.
std::string DecodeBasicReferences(std::string_view text);

// Whether the text is a page that begins with "<!DOCTYPE html>" (any letter case, white space
// or a byte order mark before it). Such pages get id anchors instead of named ones.
bool BeginsWithHtml5Doctype(std::string_view text);

// A name that stands in a fragment and in an id as it is: white space becomes "-", and the
// other characters a fragment may not hold literally (and "%") are percent-encoded, so that
// href="#N" finds id="N" without any decoding. Never empty.
std::string FragmentName(std::string_view text);

// An anchor that a link of the form "#" + name reaches: <a id="name"></a> on doctype pages,
// <a name="name"></a> elsewhere, with the name escaped. content stands between the tags.
std::string AnchorElement(std::string_view name, bool bIdAnchor, std::string_view content = {});

}  // namespace velmora
