#!/usr/bin/env python3
"""Writes a synthetic site for benchmarks: a script with PAGES pages in a balanced outline
(sections, subsections, pages), a site map and an index page, and a few shared blocks.
Usage: generate_site.py FOLDER PAGES   (FOLDER becomes drive C:, the script is C:\\site\\site.txt)"""
import os
import sys


def main():
    folder, pages = sys.argv[1], int(sys.argv[2])
    site = os.path.join(folder, "site")
    os.makedirs(os.path.join(site, "blocks"), exist_ok=True)
    lines = ["VERSION=2.0", "CATALOG=C:\\site\\", "SITENAME=Bench", "KEYWORDS=bench",
             "MESSAGE=generated", "SITEAUTHOR=bench", "SITEORG=http://www.example.org/",
             "1,Home,I,index.html", "BLOCKS:blocks\\home.html",
             "1,Sitemap,C,map.html"]
    sections = max(1, round(pages ** (1 / 3)))
    per_section = max(1, pages // sections)
    subsections = max(1, round(per_section ** 0.5))
    n = 0
    for s in range(sections):
        lines.append(f"1,Section{s},P,s{s}\\index.html")
        lines.append("BLOCKS:blocks\\section.html")
        for u in range(subsections):
            lines.append(f"2,Part{s}-{u},P,s{s}\\p{u}\\index.html")
            lines.append("BLOCKS:blocks\\part.html")
            for _ in range(per_section // subsections):
                lines.append(f"3,Page{n},P,s{s}\\p{u}\\page{n}.html")
                lines.append(f"BLOCKS:blocks\\text{n % 20}.html")
                n += 1
    with open(os.path.join(site, "site.txt"), "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")
    body = "<h1><!--PAGENAME--><!--/PAGENAME--></h1>\r\n<h2>First</h2>\r\n<p>Text.</p>\r\n" \
           "<h2>Second</h2>\r\n<p>More text.</p>\r\n"
    for name in ["home", "section", "part"] + [f"text{i}" for i in range(20)]:
        with open(os.path.join(site, "blocks", name + ".html"), "w", newline="") as f:
            f.write(f"<!--BLOCK-->\r\n{body}<!--/BLOCK-->\r\n")
    print(n + 2 + sections + sections * subsections)


if __name__ == "__main__":
    main()
