#!/usr/bin/env python3
"""Writes a synthetic site of PAGES pages for benchmarks, twice: as a Velmora script with its
blocks, and as the same site for hugo (same pages, text, headings and links).

Usage: generate_site.py FOLDER PAGES
  FOLDER/site/src/site.txt   the Velmora script (FOLDER becomes drive C:, so C:\\site\\src\\site.txt);
                             its blocks in FOLDER/site/src/blocks, one per page, an image beside
                             each block, and keywords.txt, the index source.
  FOLDER/site/web/           the site catalog: Velmora writes the built site here.
  FOLDER/hugo/               the hugo twin, with its own small theme in layouts/.

The outline: home, site map, keyword index and news page, then 20 sections (fewer below 44
pages) of parts of pages (three levels). Every page holds about 3 KB of text, a title and two headings, three links by
page name and one image. Every tenth page carries a news item for the one collection. The
output is the same for the same arguments."""
import os
import random
import sys

SECTIONS = 20
KEYWORDS = 200
SYLLABLES = ["ka", "lo", "mi", "ren", "tu", "sa", "vor", "bel", "dun", "fi", "gar", "hol",
             "ist", "jem", "kor", "lan", "mup", "nor", "ope", "pra", "qui", "ros", "sil", "tam"]
FILLER = ("the of and a to in is was that for on are with as by at from this be or have an "
          "which one had not but all were when there can more if out so what up its about into "
          "than them only other new some could time these two may then first any like now such "
          "our over even most made after also did many before must through back years where "
          "much your way well down should because each just those people how too little state "
          "good very make world still own see men work long get here between both life being "
          "under never day same another know while last might us great old year off come since "
          "against go came right used take three").split()


class Page:
    def __init__(self, level, name, path, kind="P"):
        self.level, self.name, self.path, self.kind = level, name, path, kind
        self.children = []
        self.parent = None
        self.links, self.keywords, self.paragraphs, self.headings = [], [], [], []
        self.news = None

    def add(self, child):
        child.parent = self
        self.children.append(child)
        return child

    @property
    def folder(self):  # the page's folder inside the site, "" for the root, "s0/p1" below
        return os.path.dirname(self.path)


def make_words(rng, count, length):
    words = set()
    while len(words) < count:
        words.add("".join(rng.choice(SYLLABLES) for _ in range(length)))
    return sorted(words)


def make_outline(pages):
    """The pages in outline (script) order: four top pages, then sections, parts and pages."""
    home = Page(1, "Home", "index.html", "I")
    top = [home, Page(1, "Sitemap", "sitemap.html", "C"),
           Page(1, "Keywords", "keywords.html", "IX"), Page(1, "News", "news.html")]
    # A small site has fewer sections, each with one part at least.
    count = min(SECTIONS, (pages - len(top)) // 2)
    rest = pages - len(top) - count
    if count < 1:
        sys.exit(f"at least {len(top) + 2} pages, please")
    parts_each = max(1, round((rest / count) ** 0.5) - 1)
    leaves = rest - count * parts_each
    sections, parts = [], []
    for s in range(count):
        section = Page(1, f"Section{s}", f"s{s}/index.html")
        sections.append(section)
        for p in range(parts_each):
            parts.append(section.add(Page(2, f"Part{s}-{p}", f"s{s}/p{p}/index.html")))
    for n in range(leaves):  # dealt round the parts so they differ by one page at most
        part = parts[n % len(parts)]
        part.add(Page(3, f"Page{n}", f"{part.folder}/page{n}.html"))
    ordered = list(top)
    for section in sections:
        ordered.append(section)
        for part in section.children:
            ordered.append(part)
            ordered.extend(part.children)
    return ordered


def fill_text(ordered, keywords, rng):
    """Gives every page its paragraphs, headings, three page-name links and its keywords."""
    for number, page in enumerate(ordered):
        page.links = [ordered[rng.randrange(len(ordered))] for _ in range(3)]
        page.keywords = [keywords[(number * 7 + k * 13) % len(keywords)] for k in range(3)]
        page.headings = [f"About {rng.choice(FILLER)} {rng.choice(FILLER)}",
                         f"More on {rng.choice(FILLER)} {rng.choice(FILLER)}"]
        paragraphs = []
        for _ in range(6):
            words = [rng.choice(FILLER) for _ in range(80)]
            paragraphs.append(" ".join(words).capitalize() + ".")
        for k, keyword in enumerate(page.keywords):  # keywords stand in the paragraphs
            spot = paragraphs[2 * k].split(" ")
            spot.insert(10 + k, keyword)
            paragraphs[2 * k] = " ".join(spot)
        page.paragraphs = paragraphs
        if page.level == 3 and number % 10 == 0:
            page.news = f"News from {page.name}: {rng.choice(FILLER)} {rng.choice(FILLER)}"


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", newline="") as f:
        f.write(text)


# ---- Velmora ----

def velmora_block(page):
    """The page's block: trail, title, three paragraphs under each of two headings, the links
    by page name and the image in the block's folder. Lines end in CR LF."""
    p = page.paragraphs
    links = ", ".join(f'<a href="{t.name}">{t.name}</a>' for t in page.links)
    lines = ["<!--BLOCK-->",
             '<p class="trail"><!--TRAIL--><!--/TRAIL--></p>',
             "<h1><!--PAGENAME--><!--/PAGENAME--></h1>",
             f'<p><img src="pic.gif" width="20" height="20" alt="figure"> {p[0]}</p>',
             f"<p>{p[1]} See also {links}.</p>",
             f"<h2>{page.headings[0]}</h2>", f"<p>{p[2]}</p>", f"<p>{p[3]}</p>",
             f"<h2>{page.headings[1]}</h2>", f"<p>{p[4]}</p>", f"<p>{p[5]}</p>"]
    if page.news:
        lines.append(f"<p><!--NEWS-->{page.news}<!--/NEWS--></p>")
    if page.name == "News":
        lines.append('<!--COLLECTION NAME="news" REFERENCE="ON"--><!--/COLLECTION-->')
    lines.append("<!--/BLOCK-->")
    return "\r\n".join(lines) + "\r\n"


def write_velmora(folder, ordered, keywords, synonyms, gif):
    src = os.path.join(folder, "site", "src")
    script = ["// Generated benchmark site", "VERSION=2.0", "CATALOG=C:\\site\\web\\",
              "SITENAME=Bench", "KEYWORDS=bench,site", "MESSAGE=generated",
              "SITEAUTHOR=bench", "SITEORG=http://www.example.org/",
              "INDEX:C:\\site\\src\\keywords.txt", "COLLECT:news,<!--NEWS-->,<!--/NEWS-->",
              "// Page section"]
    images = set()
    for page in ordered:
        block = os.path.join("blocks", page.folder, page.path.split("/")[-1])
        script.append(f"{page.level},{page.name},{page.kind},{page.path.replace('/', chr(92))}")
        script.append("BLOCKS:C:\\site\\src\\" + block.replace("/", "\\"))
        write(os.path.join(src, block), velmora_block(page))
        images.add(os.path.join(src, "blocks", page.folder, "pic.gif"))
    for image in images:
        with open(image, "wb") as f:
            f.write(gif)
    write(os.path.join(src, "site.txt"), "\r\n".join(script) + "\r\n")
    index = [",".join([k] + synonyms[k]) for k in keywords]
    write(os.path.join(src, "keywords.txt"), "\r\n".join(index) + "\r\n")
    os.makedirs(os.path.join(folder, "site", "web"), exist_ok=True)


# ---- hugo ----

HUGO_CONFIG = """baseURL = "http://www.example.org/"
title = "Bench"
uglyURLs = true
disableKinds = ["taxonomy", "term", "RSS", "sitemap"]
[markup.tableOfContents]
  startLevel = 2
  endLevel = 2
"""

HUGO_LAYOUTS = {
    "_default/baseof.html": """<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>{{ .Title }}</title>
<meta name="keywords" content="bench,site"></head>
<body>
<table width="630"><tr><td width="130" valign="top">{{ partial "menu.html" . }}</td>
<td width="500" valign="top">{{ block "main" . }}{{ end }}</td></tr></table>
<div class="footer">site: bench, page: {{ .Title }}, generated</div>
</body></html>
""",
    "_default/single.html": """{{ define "main" }}{{ partial "page.html" . }}{{ end }}
""",
    "_default/list.html": """{{ define "main" }}{{ partial "page.html" . }}{{ end }}
""",
    "index.html": """{{ define "main" }}{{ partial "page.html" . }}{{ end }}
""",
    "_default/sitemap.html": """{{ define "main" }}{{ partial "page.html" . }}
<table><tr><td valign="top">{{ partial "tree.html" (dict "page" .Site.Home "level" 1) }}</td></tr></table>
{{ end }}
""",
    "partials/page.html": """<p class="trail">{{ partial "breadcrumb.html" . }}</p>
<h1>{{ .Title }}</h1>
<div class="toc">{{ .TableOfContents }}</div>
{{ .Content }}
""",
    # The trail: home, the ancestors, the page's own name.
    "partials/breadcrumb.html": """{{ $here := . }}{{ if not .IsHome }}<a href="{{ .Site.Home.RelPermalink }}">Home</a> &gt; {{ end }}{{ range .Ancestors.Reverse }}{{ if not .IsHome }}<a href="{{ .RelPermalink }}">{{ .Title }}</a> &gt; {{ end }}{{ end }}{{ .Title }}""",
    # The section menu: the top pages; below each ancestor its children.
    "partials/menu.html": """{{ $here := . }}<div class="l1"><a href="{{ .Site.Home.RelPermalink }}">Home</a></div>
{{ range .Site.Home.Pages }}<div class="l1">{{ if .Eq $here }}<b>{{ .Title }}</b>{{ else }}<a href="{{ .RelPermalink }}">{{ .Title }}</a>{{ end }}</div>
{{ if or (.Eq $here) ($here.IsDescendant .) }}{{ range .Pages }}{{ if or (.Eq $here) ($here.IsDescendant .) (.Parent.Eq $here) (.Parent.Eq $here.Parent) }}<div class="l2">{{ if .Eq $here }}<b>{{ .Title }}</b>{{ else }}<a href="{{ .RelPermalink }}">{{ .Title }}</a>{{ end }}</div>
{{ if or (.Eq $here) ($here.IsDescendant .) }}{{ range .Pages }}<div class="l3">{{ if .Eq $here }}<b>{{ .Title }}</b>{{ else }}<a href="{{ .RelPermalink }}">{{ .Title }}</a>{{ end }}</div>
{{ end }}{{ end }}{{ end }}{{ end }}{{ end }}{{ end }}""",
    # The site map: every page in outline order, indented by level.
    "partials/tree.html": """{{ $level := .level }}{{ range .page.Pages }}<div class="t{{ $level }}"><a href="{{ .RelPermalink }}">{{ .Title }}</a></div>
{{ if .IsSection }}{{ partial "tree.html" (dict "page" . "level" (add $level 1)) }}{{ end }}{{ end }}""",
}


def hugo_content(page, weight):
    p = page.paragraphs
    links = ", ".join(f'[{t.name}]({{{{< relref "/{hugo_key(t)}" >}}}})' for t in page.links)
    front = [f'title: "{page.name}"', f"weight: {weight}"]
    if page.kind == "C":
        front.append("layout: sitemap")
    body = [f"![figure](/blocks/{page.folder + '/' if page.folder else ''}pic.gif) {p[0]}",
            f"{p[1]} See also {links}.",
            f"## {page.headings[0]}", p[2], p[3], f"## {page.headings[1]}", p[4], p[5]]
    if page.news:
        body.append(page.news)
    return "---\n" + "\n".join(front) + "\n---\n\n" + "\n\n".join(body) + "\n"


def hugo_key(page):
    """The content file of a page: sections and parts are branch bundles (_index.md)."""
    if page.children:
        return page.folder + "/_index.md"
    if page.kind == "I":
        return "_index.md"
    return page.path[:-len(".html")] + ".md"


def write_hugo(folder, ordered, gif):
    hugo = os.path.join(folder, "hugo")
    write(os.path.join(hugo, "config.toml"), HUGO_CONFIG)
    for name, text in HUGO_LAYOUTS.items():
        write(os.path.join(hugo, "layouts", name), text)
    images = set()
    for weight, page in enumerate(ordered, 1):
        write(os.path.join(hugo, "content", hugo_key(page)), hugo_content(page, weight))
        images.add(os.path.join(hugo, "static", "blocks", page.folder, "pic.gif"))
    for image in images:
        os.makedirs(os.path.dirname(image), exist_ok=True)
        with open(image, "wb") as f:
            f.write(gif)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    folder, pages = sys.argv[1], int(sys.argv[2])
    rng = random.Random(pages)
    words = make_words(rng, 3 * KEYWORDS, 4)
    keywords, rest = words[:KEYWORDS], words[KEYWORDS:]
    synonyms = {k: [rest[2 * i], rest[2 * i + 1]] for i, k in enumerate(keywords)}
    ordered = make_outline(pages)
    fill_text(ordered, keywords, rng)
    # A 1x1 GIF.
    gif = bytes.fromhex("47494638396101000100800000ffffff00000021f90401000000002c00000000"
                        "010001000002024401003b")
    write_velmora(folder, ordered, keywords, synonyms, gif)
    write_hugo(folder, ordered, gif)
    print(len(ordered))


if __name__ == "__main__":
    main()
