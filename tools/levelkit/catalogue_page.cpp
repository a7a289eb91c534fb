// The catalogue page: plain HTML and one small style sheet, no script, so it
// reads the same in any browser and straight from the disk.
#include <cstdio>

#include "catalogue.h"

static const char* const PageHead = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>%TITLE%</title>
<style>
body { font-family: sans-serif; margin: 1em; color: #222; background: #f4f4f4; }
table { border-collapse: collapse; }
th, td { border: 1px solid #ccc; padding: 4px 8px; text-align: left; vertical-align: top; background: #fff; }
th { background: #e8e8e8; position: sticky; top: 0; }
td.number, td.count { text-align: right; }
td.picture img { display: block; image-rendering: pixelated; }
ul { margin: 0; padding-left: 1.2em; }
.error { color: #b00000; }
.warning { color: #8a5a00; }
</style>
</head>
<body>
<h1>%TITLE%</h1>
)";

static const char* const TableHead =
    "<table>\n<thead><tr><th>#</th><th>Picture</th><th>Name</th><th>Style</th><th>Size</th><th>Time</th>"
    "<th>Release rate</th><th>Skills</th><th>Objects</th><th>Check</th></tr></thead>\n<tbody>\n";

std::string htmlEscape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

static std::string cell(const std::string& html, const char* cssClass = nullptr) {
  return cssClass ? "<td class=\"" + std::string(cssClass) + "\">" + html + "</td>" : "<td>" + html + "</td>";
}

static std::string pictureCell(const CatalogueEntry& e) {
  if (e.picture.empty()) return cell("no picture", "picture");
  const std::string alt = htmlEscape("Level " + std::to_string(e.number) + ": " + e.facts.name);
  return cell("<a href=\"" + e.picture + "\"><img src=\"" + e.picture + "\" width=\"" +
                  std::to_string(e.pictureWidth) + "\" height=\"" + std::to_string(e.pictureHeight) +
                  "\" alt=\"" + alt + "\"></a>",
              "picture");
}

// Slots without uses are left out: the skills form stores unticked slots so.
static std::string skillsCell(const LevelFacts& f) {
  std::string items;
  for (const SkillSlot& s : f.skills) {
    if (s.count == 0) continue;
    const std::string name = s.name.empty() ? "code " + std::to_string(s.code) : s.name;
    items += "<li>" + htmlEscape(name) + " &times; " + std::to_string(s.count) + "</li>";
  }
  return cell(items.empty() ? "none" : "<ul>" + items + "</ul>");
}

static std::string findingsCell(const std::vector<Finding>& findings) {
  if (findings.empty()) return cell("ok");
  std::string items;
  for (const Finding& f : findings) {
    const char* severity = f.severity == FindingError ? "error" : "warning";
    items += "<li class=\"" + std::string(severity) + "\">" + severity + ": " + htmlEscape(f.reason) + "</li>";
  }
  return cell("<ul>" + items + "</ul>");
}

static std::string entryRow(const CatalogueEntry& e) {
  char number[8], time[32];
  std::snprintf(number, sizeof number, "%03d", e.number);
  std::string row = "<tr id=\"level" + std::string(number) + "\">" + cell(std::to_string(e.number), "number") +
                    pictureCell(e);
  if (!e.readable) return row + "<td colspan=\"7\">unreadable</td>" + findingsCell(e.findings) + "</tr>\n";
  const LevelFacts& f = e.facts;
  std::snprintf(time, sizeof time, "%d:%02d", f.timeMinutes, f.timeSeconds);
  return row + cell(htmlEscape(f.name)) + cell(std::to_string(f.style) + " " + htmlEscape(f.styleName)) +
         cell(std::to_string(f.width) + " &times; " + std::to_string(f.height)) + cell(time, "count") +
         cell(std::to_string(f.releaseRate), "count") + skillsCell(f) + cell(std::to_string(f.objects), "count") +
         findingsCell(e.findings) + "</tr>\n";
}

std::string cataloguePage(const std::string& title, const std::vector<CatalogueEntry>& entries) {
  std::string head = PageHead;
  const std::string escapedTitle = htmlEscape(title);
  for (size_t at = head.find("%TITLE%"); at != std::string::npos; at = head.find("%TITLE%", at))
    head.replace(at, 7, escapedTitle);
  int withFindings = 0;
  for (const CatalogueEntry& e : entries) withFindings += !e.findings.empty();
  std::string page = head + "<p>" + std::to_string(entries.size()) + " levels, " + std::to_string(withFindings) +
                     " with check findings. Sizes are in blocks (16 &times; 8 pixels).</p>\n" + TableHead;
  for (const CatalogueEntry& e : entries) page += entryRow(e);
  return page + "</tbody>\n</table>\n</body>\n</html>\n";
}
