#include <gtest/gtest.h>

#include <cstdint>
#include <regex>
#include <string>
#include <vector>

#include "res/resources.h"

namespace velmora {
namespace {

const char* const kTemplates[] = {
    "standard_page.html", "frame_page.html",     "f_f_template.html",   "f_t_template.html",
    "f_l_template.html",  "print_template.html", "block_template.html", "wrapper_template.html"};

TEST(BuiltinFiles, TextsStopAtTheMarkerAndUseCrLf) {
  std::vector<std::string> names(std::begin(kTemplates), std::end(kTemplates));
  names.push_back("missing_page.html");
  names.push_back("def.css");
  for (const char* pszModern : {"modern_page.html", "modern_print.html", "modern_block.html",
                                "modern_wrapper.html", "modern_welcome.html", "modern.css"})
    names.push_back(pszModern);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    std::string_view bytes;
    ASSERT_TRUE(BuiltinFile(name, bytes));
    std::string text = LoadResourceText(name);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.find("END_OF_RESOURCE"), std::string::npos);
    EXPECT_LT(text.size(), bytes.size());
    EXPECT_TRUE(text.ends_with("\r\n"));
    for (size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1))
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare line feed at " << i;
  }
  std::string_view bytes;
  EXPECT_FALSE(BuiltinFile("no_such_file.html", bytes));
  EXPECT_EQ(LoadResourceText("no_such_file.html"), "");
  EXPECT_EQ(LoadResourceText("logo.gif"), "");  // no marker: not a text
}

TEST(BuiltinFiles, TemplatesNameThemselvesAndShareTheHead) {
  for (const char* pszName : kTemplates) {
    SCOPED_TRACE(pszName);
    std::string text = LoadResourceText(pszName);
    EXPECT_NE(text.find("<!-- Template file Velmora 2.0"), std::string::npos);
    if (std::string(pszName) == "wrapper_template.html") {
      EXPECT_TRUE(text.starts_with("<!-- Template file Velmora 2.0"));
      EXPECT_EQ(text.find("<html>"), std::string::npos);
      continue;
    }
    EXPECT_NE(text.find("<link rel=STYLESHEET href=\"gfx/def.css\">"), std::string::npos);
    EXPECT_NE(text.find("charset=iso-8859-1"), std::string::npos);
    bool bBlock = std::string(pszName) == "block_template.html";
    EXPECT_NE(text.find(bBlock ? "<title>a Velmora block</title>" : "<title>Any page</title>"),
              std::string::npos);
    bool bFrameset = std::string(pszName) == "f_f_template.html";
    EXPECT_NE(text.find(bFrameset ? "content=\"Velmora\"" : "content=\"VELMORA\""),
              std::string::npos);
    if (!bFrameset && !bBlock) {
      EXPECT_NE(text.find("<a name=\"TopOfPage\">"), std::string::npos);
    }
    // Pages that carry content take the site's keywords into their head.
    const bool bFrame =
        std::string(pszName) == "f_t_template.html" || std::string(pszName) == "f_l_template.html";
    EXPECT_EQ(text.find("<meta name=\"KEYWORDS\" content=\"\">") != std::string::npos,
              !bFrameset && !bBlock && !bFrame);
  }
}

TEST(BuiltinFiles, StandardPageHoldsThePlaceholdersTheBuildExpects) {
  std::string text = LoadResourceText("standard_page.html");
  for (const char* pszPart :
       {"<!--SITEORG/--><a href=", "<img src=\"gfx/logo.gif\" width=\"125\" height=\"30\"",
        "<p class=\"sitename\"><!--SITENAME--> NAME <!--/SITENAME--></p>",
        "usemap=\"#n_buttons.map\"", "<!--BASEDON APPEND=\"ON\"-->",
        "<div class=\"basedhead\">Based on:</div><br>", "<!--INPUT/-->",
        "<!--WIDEBLOCK-->\r\n<!--/WIDEBLOCK-->", "<!--DATE-->2000<!--/DATE-->",
        "<!--AMESSAGE-->hello<!--/AMESSAGE--><br>", "<!--STAMP--> <!--/STAMP-->",
        "<map name=\"n_buttons.map\">",
        "<!--PREV/--><area shape=\"rect\" coords=\"0,0,14,29\" href=\"../index.html\"",
        "<!--HOME/--><area shape=\"rect\" coords=\"15,0,30,29\" href=\"../index.html\"",
        "<!--NEXT/--><area shape=\"rect\" coords=\"31,0,45,29\" href=\"../index.html\""})
    EXPECT_NE(text.find(pszPart), std::string::npos) << pszPart;
  // Every printable area is closed, and the block lies inside one.
  size_t open = text.find("<!--PRINTABLE-->");
  EXPECT_LT(open, text.find("<!--BLOCK-->"));
  EXPECT_LT(text.find("<!--/BLOCK-->"), text.find("<!--/PRINTABLE-->"));
  EXPECT_EQ(text.find("<!--TOC"), std::string::npos);

  std::string missing = LoadResourceText("missing_page.html");
  EXPECT_NE(missing.find("<title>Missing Page</title>"), std::string::npos);
  EXPECT_NE(missing.find("Name :<!--_PAGENAME--><br>"), std::string::npos);
  EXPECT_NE(missing.find("Local address: <!--_LOCALFILENAME--><br>"), std::string::npos);
  EXPECT_NE(missing.find("Remote address: <!--_REMOTEFILENAME--><br>"), std::string::npos);
  EXPECT_NE(LoadResourceText("block_template.html")
                .find("<!--BLOCK-->\r\n<p>Content for  "
                      "block:<br><!--BLOCKFILENAME/--></p>\r\n<!--/BLOCK-->"),
            std::string::npos);
}

TEST(BuiltinFiles, StylesheetDefinesEveryClassThePagesUse) {
  std::string css = LoadResourceText("def.css");
  std::vector<std::string> classes = {"localtoc",   "basedon",  "basedhead",  "indexkeyword",
                                      "indexentry", "sitename", "mainfooter", "leftfooter"};
  for (const char* pszPrefix : {"clevel", "aclevel", "tlevel"})
    for (int n = 0; n <= 10; ++n) classes.push_back(pszPrefix + std::to_string(n));
  for (const std::string& name : classes)
    EXPECT_NE(css.find("." + name + " {"), std::string::npos) << name;
}

// The build points every "gfx" of a page at the page's resource folder, wherever it stands, so
// the modern texts name it only in their stylesheet link.
TEST(BuiltinFiles, ModernTextsNameTheResourceFolderOnlyForTheStylesheet) {
  auto count = [](const std::string& text) {
    size_t n = 0;
    for (size_t at = text.find("gfx"); at != std::string::npos; at = text.find("gfx", at + 1)) ++n;
    return n;
  };
  for (const char* pszName : {"modern_page.html", "modern_print.html"}) {
    std::string text = LoadResourceText(pszName);
    EXPECT_NE(text.find("<link rel=\"stylesheet\" href=\"gfx/def.css\">"), std::string::npos);
    EXPECT_EQ(count(text), 1u) << pszName;
  }
  // A block file lies in the folder "blocks": its own look is one folder up.
  std::string block = LoadResourceText("modern_block.html");
  EXPECT_NE(block.find("href=\"../gfx/def.css\""), std::string::npos);
  EXPECT_EQ(count(block), 1u);
  for (const char* pszName : {"modern_wrapper.html", "modern_welcome.html", "modern.css"})
    EXPECT_EQ(count(LoadResourceText(pszName)), 0u) << pszName;
}

TEST(BuiltinFiles, ModernStylesheetStylesEveryClassInBothSchemesAndOnPaper) {
  std::string css = LoadResourceText("modern.css");
  // The level classes are styled through prefix selectors, the rest one by one.
  for (const char* pszPrefix :
       {"[class^=\"clevel\"]", "[class^=\"aclevel\"]", "[class^=\"tlevel\"]"})
    EXPECT_NE(css.find(pszPrefix), std::string::npos) << pszPrefix;
  for (const char* pszClass :
       {"localtoc", "basedon", "basedhead", "indexkeyword", "indexentry", "sitename", "mainfooter",
        "leftfooter", "skip-link", "wrapped", "cards", "note"})
    EXPECT_NE(css.find(std::string(".") + pszClass), std::string::npos) << pszClass;
  for (const char* pszPart :
       {"@media (prefers-color-scheme: dark)", "@media print", ":focus-visible"})
    EXPECT_NE(css.find(pszPart), std::string::npos) << pszPart;
  // Widths follow the reader's font size and the window, so the layout reflows on phones.
  EXPECT_FALSE(std::regex_search(css, std::regex("(^|[\\s;{])(min-|max-)?width:\\s*[0-9.]+px")));
}

// Decodes a one-image GIF far enough to count its pixels, so a broken code stream shows.
size_t CountGifPixels(std::string_view gif) {
  auto byte = [&](size_t i) { return static_cast<std::uint8_t>(gif[i]); };
  size_t pos = 13;
  if (byte(10) & 0x80)
    pos += 3u << ((byte(10) & 7) + 1);
  while (pos < gif.size() && byte(pos) == 0x21) {  // extensions
    pos += 2;
    while (byte(pos)) pos += byte(pos) + 1;
    ++pos;
  }
  if (pos >= gif.size() || byte(pos) != 0x2C || (byte(pos + 9) & 0x80))
    return 0;
  pos += 10;
  const int nMinSize = byte(pos++);
  std::string data;
  while (byte(pos)) {
    data.append(gif.substr(pos + 1, byte(pos)));
    pos += byte(pos) + 1;
  }
  const int nClear = 1 << nMinSize;
  std::vector<size_t> lengths;  // only entry lengths matter for counting
  int nSize = nMinSize + 1;
  size_t bit = 0, pixels = 0, previous = 0;
  auto reset = [&] {
    lengths.assign(nClear + 2, 1);
    nSize = nMinSize + 1;
    previous = 0;
  };
  reset();
  while (bit + nSize <= data.size() * 8) {
    int code = 0;
    for (int i = 0; i < nSize; ++i, ++bit)
      code |= ((static_cast<std::uint8_t>(data[bit / 8]) >> (bit % 8)) & 1) << i;
    if (code == nClear) {
      reset();
      continue;
    }
    if (code == nClear + 1)
      return pixels;
    if (code > static_cast<int>(lengths.size()))
      return 0;
    size_t length = code < static_cast<int>(lengths.size()) ? lengths[code] : previous + 1;
    if (previous)
      lengths.push_back(previous + 1);
    pixels += length;
    previous = length;
    if (lengths.size() == (1u << nSize) && nSize < 12)
      ++nSize;
  }
  return 0;
}

TEST(BuiltinFiles, ImagesAreCompleteGifsOfTheirSizes) {
  struct {
    const char* pszName;
    int nWidth, nHeight;
  } images[] = {{"logo.gif", 125, 30},
                {"navigare.gif", 50, 30},
                {"up.gif", 17, 9},
                {"bullet.gif", 3, 5},
                {"pixel.gif", 1, 1}};
  for (const auto& image : images) {
    SCOPED_TRACE(image.pszName);
    std::string_view gif;
    ASSERT_TRUE(BuiltinFile(image.pszName, gif));
    ASSERT_GT(gif.size(), 20u);
    EXPECT_EQ(gif.substr(0, 6), "GIF89a");
    EXPECT_EQ(static_cast<std::uint8_t>(gif[6]) | static_cast<std::uint8_t>(gif[7]) << 8,
              image.nWidth);
    EXPECT_EQ(static_cast<std::uint8_t>(gif[8]) | static_cast<std::uint8_t>(gif[9]) << 8,
              image.nHeight);
    EXPECT_EQ(gif.back(), ';');
    EXPECT_EQ(CountGifPixels(gif), static_cast<size_t>(image.nWidth * image.nHeight));
  }
  // The background strip is wide and low, so it repeats down the page only.
  std::string_view strip;
  ASSERT_TRUE(BuiltinFile("left_bg.gif", strip));
  int nWidth = static_cast<std::uint8_t>(strip[6]) | static_cast<std::uint8_t>(strip[7]) << 8;
  int nHeight = static_cast<std::uint8_t>(strip[8]) | static_cast<std::uint8_t>(strip[9]) << 8;
  EXPECT_GE(nWidth, 800);
  EXPECT_LE(nHeight, 8);
  EXPECT_EQ(CountGifPixels(strip), static_cast<size_t>(nWidth * nHeight));
}

}  // namespace
}  // namespace velmora
