#include "platform/text_encoding.h"

#include <cstdint>
#include <cstring>

namespace velmora {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kUtf32LeMark{"\xFF\xFE\x00\x00", 4};
constexpr std::string_view kUtf32BeMark{"\x00\x00\xFE\xFF", 4};

std::string_view MarkOf(ETextEncoding encoding) {
  switch (encoding) {
    case ETextEncoding::kUtf8Bom:
      return kUtf8Mark;
    case ETextEncoding::kUtf16Le:
      return kUtf16LeMark;
    case ETextEncoding::kUtf16Be:
      return kUtf16BeMark;
    case ETextEncoding::kUtf32Le:
      return kUtf32LeMark;
    case ETextEncoding::kUtf32Be:
      return kUtf32BeMark;
    case ETextEncoding::kPlain:
      break;
  }
  return {};
}

// The length of the UTF-8 sequence at text[i] and its code point; 0 when it is not one.
size_t Utf8Sequence(std::string_view text, size_t i, uint32_t& code) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  size_t length = 0;
  uint32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (i + length > text.size())
    return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80)
      return 0;
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    return 0;
  return length;
}

uint32_t Unit(std::string_view bytes, size_t at, size_t width, bool bBigEndian) {
  uint32_t value = 0;
  for (size_t k = 0; k < width; ++k) {
    const uint32_t byte = static_cast<unsigned char>(bytes[at + (bBigEndian ? k : width - 1 - k)]);
    value = (value << 8) | byte;
  }
  return value;
}

void AppendUnit(std::string& out, uint32_t value, size_t width, bool bBigEndian) {
  for (size_t k = 0; k < width; ++k) {
    const size_t shift = 8 * (bBigEndian ? width - 1 - k : k);
    out += static_cast<char>((value >> shift) & 0xFF);
  }
}

bool DecodeUtf16(std::string_view bytes, bool bBigEndian, std::string& text) {
  if (bytes.size() % 2 != 0)
    return false;
  text.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); i += 2) {
    uint32_t code = Unit(bytes, i, 2, bBigEndian);
    if (code >= 0xDC00 && code <= 0xDFFF)
      return false;
    if (code >= 0xD800 && code <= 0xDBFF) {
      if (i + 4 > bytes.size())
        return false;
      const uint32_t low = Unit(bytes, i + 2, 2, bBigEndian);
      if (low < 0xDC00 || low > 0xDFFF)
        return false;
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    }
    AppendUtf8(text, code);
  }
  return true;
}

bool DecodeUtf32(std::string_view bytes, bool bBigEndian, std::string& text) {
  if (bytes.size() % 4 != 0)
    return false;
  text.reserve(bytes.size() / 2);
  for (size_t i = 0; i < bytes.size(); i += 4) {
    const uint32_t code = Unit(bytes, i, 4, bBigEndian);
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
      return false;
    AppendUtf8(text, code);
  }
  return true;
}

}  // namespace

void AppendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

ETextEncoding EncodingOfMark(std::string_view bytes) {
  // The UTF-32 little-endian mark begins with the UTF-16 one, so it is looked for first.
  if (bytes.starts_with(kUtf32LeMark))
    return ETextEncoding::kUtf32Le;
  if (bytes.starts_with(kUtf32BeMark))
    return ETextEncoding::kUtf32Be;
  if (bytes.starts_with(kUtf8Mark))
    return ETextEncoding::kUtf8Bom;
  if (bytes.starts_with(kUtf16LeMark))
    return ETextEncoding::kUtf16Le;
  if (bytes.starts_with(kUtf16BeMark))
    return ETextEncoding::kUtf16Be;
  return ETextEncoding::kPlain;
}

bool DecodeText(std::string_view bytes, std::string& text, ETextEncoding& encoding) {
  text.clear();
  encoding = EncodingOfMark(bytes);
  const std::string_view body = bytes.substr(MarkOf(encoding).size());
  bool ok = true;
  switch (encoding) {
    case ETextEncoding::kPlain:
    case ETextEncoding::kUtf8Bom:
      text.assign(body);
      break;
    case ETextEncoding::kUtf16Le:
    case ETextEncoding::kUtf16Be:
      ok = DecodeUtf16(body, encoding == ETextEncoding::kUtf16Be, text);
      break;
    case ETextEncoding::kUtf32Le:
    case ETextEncoding::kUtf32Be:
      ok = DecodeUtf32(body, encoding == ETextEncoding::kUtf32Be, text);
      break;
  }
  if (!ok)
    text.clear();
  return ok;
}

std::string EncodeText(std::string_view text, ETextEncoding encoding) {
  std::string out(MarkOf(encoding));
  if (encoding == ETextEncoding::kPlain || encoding == ETextEncoding::kUtf8Bom) {
    out.append(text);
    return out;
  }
  const bool bWide = encoding == ETextEncoding::kUtf32Le || encoding == ETextEncoding::kUtf32Be;
  const bool bBigEndian =
      encoding == ETextEncoding::kUtf16Be || encoding == ETextEncoding::kUtf32Be;
  out.reserve(out.size() + text.size() * (bWide ? 4 : 2));
  for (size_t i = 0; i < text.size();) {
    uint32_t code = 0;
    size_t length = Utf8Sequence(text, i, code);
    if (length == 0) {
      code = static_cast<unsigned char>(text[i]);
      length = 1;
    }
    i += length;
    if (bWide) {
      AppendUnit(out, code, 4, bBigEndian);
    } else if (code >= 0x10000) {
      AppendUnit(out, 0xD800 + ((code - 0x10000) >> 10), 2, bBigEndian);
      AppendUnit(out, 0xDC00 + ((code - 0x10000) & 0x3FF), 2, bBigEndian);
    } else {
      AppendUnit(out, code, 2, bBigEndian);
    }
  }
  return out;
}

void DropByteOrderMark(std::string& text) {
  if (text.empty() || EncodingOfMark(text) == ETextEncoding::kPlain)
    return;
  std::string decoded;
  ETextEncoding encoding = ETextEncoding::kPlain;
  if (DecodeText(text, decoded, encoding))
    text = std::move(decoded);
  else
    text.erase(0, MarkOf(encoding).size());
}

bool IsAscii(std::string_view text) {
  size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    uint64_t word = 0;
    std::memcpy(&word, text.data() + i, 8);
    if (word & 0x8080808080808080ull)
      return false;
  }
  for (; i < text.size(); ++i)
    if (static_cast<unsigned char>(text[i]) >= 0x80)
      return false;
  return true;
}

bool IsValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    uint32_t code = 0;
    const size_t length = Utf8Sequence(text, i, code);
    if (length == 0)
      return false;
    i += length;
  }
  return true;
}

}  // namespace velmora
