#include "markup/text_operations.h"

#include <algorithm>

#include "markup/attribute_text.h"
#include "platform/strings.h"

namespace velmora {

namespace {

constexpr size_t npos = std::string::npos;

// Finds a key at or after a position; when case does not matter, the earlier of its
// all-lower-case and all-upper-case forms (mixed forms are not looked for), both in one pass.
// The last find is kept while it still answers, so a key missing from the text is not searched
// for through the whole rest of the text on every call.
class CKeyFinder {
 public:
  CKeyFinder(const std::string& text, const std::string& key, bool matchCase)
      : m_text(text), m_lower(matchCase ? key : ToLower(key)) {
    if (!matchCase)
      m_upper = ToUpper(key);
    m_bEither = m_upper != m_lower && !m_upper.empty();
  }
  size_t Find(size_t pos) {
    if (m_from > pos || (m_found != npos && m_found < pos)) {
      m_found = m_bEither ? FindEitherText(m_text, m_lower, m_upper, pos)
                          : FindText(m_text, m_lower, pos);
      m_from = pos;
    }
    return m_found;
  }

 private:
  const std::string& m_text;
  std::string m_lower;
  std::string m_upper;
  bool m_bEither = false;
  size_t m_found = npos;
  size_t m_from = npos;  // npos: not searched yet
};

}  // namespace

size_t FindQuoteWithin(const std::string& text, size_t from, size_t key, size_t maxDistance) {
  const size_t reach = maxDistance < text.size() - key ? key + maxDistance + 1 : text.size();
  return std::string_view(text).substr(0, reach).find('"', from);
}

std::string TextBetween(const std::string& text, const std::string& left,
                        const std::string& right) {
  size_t l = FindText(text, left);
  size_t r = FindText(text, right);
  // A left marker at the very start does not count.
  if (l == npos || r == npos || l == 0 || r == 0 || l >= r)
    return {};
  size_t from = l + left.size();
  return from < r ? text.substr(from, r - from) : std::string();
}

void CollectQuotedValues(const std::string& text, const std::string& key, size_t maxDistance,
                         std::vector<std::string>& values) {
  if (key.empty())
    return;
  size_t pos = 0;
  while (true) {
    size_t k = FindText(text, key, pos);
    if (k == npos)
      return;
    size_t open = FindQuoteWithin(text, k + key.size(), k, maxDistance);
    if (open == npos) {
      pos = k + key.size();
      continue;
    }
    size_t close = text.find('"', open + 1);
    if (close == npos)
      return;
    values.push_back(Trim(std::string_view(text).substr(open + 1, close - open - 1)));
    pos = close;
  }
}

bool GetQuotedValueAfter(const std::string& text, size_t& position, const std::string& key,
                         std::string& value, size_t maxDistance) {
  value.clear();
  position = position == npos ? npos : FindText(text, key, position);
  if (position == npos)
    return false;
  size_t open = text.find('"', position);
  if (open == npos || open - position > maxDistance)
    return false;
  size_t close = text.find('"', open + 1);
  if (close == npos)
    return false;
  value = text.substr(open + 1, close - open - 1);
  return true;
}

// The replacing operations below find their spans in one pass. Each search resumes at a
// point from which the rewritten text and the original read the same, so the result equals
// rewriting the text after every single replacement.

namespace {

using CSpans = std::vector<std::pair<size_t, size_t>>;  // [from, to), in order, disjoint

// Puts newText(i) in place of each span. Spans near the end of the text (navigation links,
// footers) or as long as their new texts are replaced in place from the last on, which moves
// only what follows each; others are written into a new text in one pass, so a text of many
// spans is not moved once for each.
template <typename NewText>
void ReplaceSpans(std::string& text, const CSpans& spans, NewText newText) {
  size_t nMoved = 0, nAdded = 0;
  for (size_t i = 0; i < spans.size(); ++i) {
    // A new text as long as the old one moves nothing.
    if (newText(i).size() != spans[i].second - spans[i].first)
      nMoved += text.size() - spans[i].second;
    nAdded += newText(i).size();
  }
  if (nMoved <= text.size() / 2) {
    for (size_t i = spans.size(); i-- > 0;)
      text.replace(spans[i].first, spans[i].second - spans[i].first, newText(i));
    return;
  }
  std::string out;
  out.reserve(text.size() + nAdded);
  size_t copied = 0;
  for (size_t i = 0; i < spans.size(); ++i) {
    out.append(text, copied, spans[i].first - copied);
    out += newText(i);
    copied = spans[i].second;
  }
  out.append(text, copied);
  text = std::move(out);
}

}  // namespace

namespace {
// Replaces the quoted value that follows key1 (and key2 after it, when given); the shared core of
// the two quoted-value replacements. Returns the number of values replaced.
int ReplaceQuotedValues(std::string& text, const std::string& key1, const std::string& key2,
                        const std::string& newValue, bool all, bool matchCase) {
  CSpans spans;
  size_t pos = 0;
  CKeyFinder first(text, key1, matchCase), second(text, key2, matchCase);
  while (true) {
    size_t k1 = first.Find(pos);
    if (k1 == npos)
      break;
    size_t k2 = key2.empty() ? k1 : second.Find(k1);
    if (k2 == npos)
      break;
    size_t open = text.find('"', k2 + key2.size());
    if (open == npos)
      break;
    size_t close = text.find('"', open + 1);
    if (close == npos)
      break;
    spans.emplace_back(open + 1, close);
    pos = close;
    if (!all)
      break;
  }
  ReplaceSpans(text, spans, [&](size_t) -> const std::string& { return newValue; });
  return static_cast<int>(spans.size());
}
}  // namespace

int ReplaceQuotedAfter(std::string& text, const std::string& key, const std::string& newValue) {
  return ReplaceQuotedValues(text, key, {}, newValue, true, true);
}

void ReplaceQuotedAfterKeys(std::string& text, const std::string& key1, const std::string& key2,
                            const std::string& newValue, bool all, bool matchCase) {
  if (!text.empty())
    ReplaceQuotedValues(text, key1, key2, newValue, all, matchCase);
}

int ReplaceBetween(std::string& text, const std::string& left, const std::string& right,
                   const std::string& newText, size_t nMaxBytes) {
  if (left.empty())
    return 0;
  CSpans spans;
  size_t pos = 0;
  size_t nSize = text.size();
  while (true) {
    size_t l = FindText(text, left, pos);
    if (l == npos)
      break;
    size_t from = l + left.size();
    size_t r = FindText(text, right, from);
    if (r == npos)
      break;
    spans.emplace_back(from, r);
    nSize = nSize - (r - from) + newText.size();
    if (nSize > nMaxBytes)
      return -1;
    pos = r + right.size();
  }
  ReplaceSpans(text, spans, [&](size_t) -> const std::string& { return newText; });
  return static_cast<int>(spans.size());
}

size_t StripTags(std::string& text) {
  // Text survives only at depth 0; a stray ">" drops text until a "<" restores the balance.
  int depth = 0;
  size_t kept = 0;
  for (char c : text) {
    if (c == '<')
      ++depth;
    else if (c == '>')
      --depth;
    else if (depth == 0)
      text[kept++] = c;
  }
  text.resize(kept);
  return kept;
}

bool IsPlainPageName(const std::string& value) {
  return !value.empty() && value.find_first_of("/:.") == npos && value[0] != '#';
}

std::string TargetAttribute(const std::string& target) {
  // A plain frame name is written unquoted, as it always was; any other is quoted and escaped.
  if (!target.empty() && target.find_first_of(" \t\r\n\f\"'=<>`&") == npos)
    return " target=" + target;
  return " target=\"" + EscapeAttribute(target) + "\"";
}

std::string MakeLink(const std::string& address, const std::string& text,
                     const std::string& target) {
  if (address.empty())
    return text;
  const std::string shown = text.empty() ? EscapeAttribute(address) : text;
  std::string link = "<a href=\"" + EscapeAttribute(address) + "\"";
  if (!target.empty())
    link += TargetAttribute(target);
  return link + ">" + shown + "</a>";
}

}  // namespace velmora
