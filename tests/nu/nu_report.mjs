// Reads the Nu checker's JSON and fails on every error that is not of a kind the built-in
// templates carry by design. Pages that begin with the HTML5 doctype must have no error at all.
// Usage: node nu_report.mjs NU_JSON NAME=ROOT...
import { readFileSync } from "node:fs";
import { fileURLToPath } from "node:url";

// The kinds the built-in templates carry on purpose: they are written as pages of their time,
// and stay the default. Each with the reason it is accepted.
const byDesign = [
  [/^Start tag seen without seeing a doctype first/, "the templates have no doctype"],
  [/^Internal encoding declaration “iso-8859-1” disagrees with the actual encoding/,
    "the templates declare ISO 8859-1 (the checker reads files as UTF-8)"],
  [/^Bad value “text\/html; charset=iso-8859-1” for attribute “content” on element “meta”/,
    "the templates declare ISO 8859-1 (the checker reads files as UTF-8)"],
  [/^Element “a” is missing required attribute “href”/,
    "anchors are named (<a name>), the form pages without a doctype keep", /<a name="/],
  [/^Attribute “(valign|vspace|hspace)” not allowed on element “img”/,
    "the menu's bullet image is placed by the attributes of its time"],
  [/^The “(frameset|frame|noframes)” element is obsolete/, "the frames variant is a frameset"],
  [/^Bad value “#[^”]*” for attribute “href” on element “a”: Illegal character in fragment/,
    "local tables of contents name anchors by the heading text, blanks included, on pages "
    + "without a doctype, where hand-written links rely on those names"],
];

const [jsonPath, ...siteArgs] = process.argv.slice(2);
const sites = siteArgs.map((arg) => {
  const at = arg.indexOf("=");
  return { name: arg.slice(0, at), root: arg.slice(at + 1) + "/", errors: 0, unexpected: [] };
});
const kinds = new Map();
const report = JSON.parse(readFileSync(jsonPath, "utf8"));
const html5 = new Map();
function isHtml5(file) {
  if (!html5.has(file)) {
    const start = readFileSync(file, "latin1").replace(/^\uFEFF?\s*/, "").slice(0, 20);
    html5.set(file, /^<!doctype\s+html\s*>/i.test(start));
  }
  return html5.get(file);
}

for (const message of report.messages) {
  if (message.type !== "error" && message.type !== "non-document-error")
    continue;
  const file = message.url ? fileURLToPath(message.url) : "";
  const site = sites.find((s) => file.startsWith(s.root));
  if (!site)
    throw new Error(`message for an unknown file: ${JSON.stringify(message)}`);
  ++site.errors;
  const accepted = !isHtml5(file) && byDesign.find(([pattern, , extract]) =>
    pattern.test(message.message) && (!extract || extract.test(message.extract ?? "")));
  if (accepted) {
    kinds.set(accepted[1], (kinds.get(accepted[1]) ?? 0) + 1);
  } else {
    site.unexpected.push(`${file.slice(site.root.length)}:${message.lastLine}: ${message.message}` +
                         (message.extract ? `\n    ${message.extract.replace(/\s+/g, " ")}` : ""));
  }
}

let failed = 0;
for (const site of sites) {
  console.log(`${site.name}: ${site.errors} Nu errors, ${site.unexpected.length} not by design`);
  for (const line of site.unexpected) console.log(`  ${line}`);
  failed += site.unexpected.length;
}
console.log("accepted by design:");
for (const [reason, count] of kinds) console.log(`  ${count}  ${reason}`);
process.exit(failed ? 1 : 0);
