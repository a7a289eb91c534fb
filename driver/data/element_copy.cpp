// Level elements as clipboard text: one header line, then JSON. Parsing never
// throws: every field's type and range is checked before it is read.
#include "data/element_copy.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include <nlohmann/json.hpp>

using nlohmann::json;

// The order every element's fields are written in.
static const char* const copyFieldNames[] = {"kind", "value", "x", "y", "paramA", "paramB", "flags"};
constexpr uint32_t CopyWordLimit = 0xFFFF;  // values, parameters and flags are file words

std::string elementCopyText(const ElementCopy& copy) {
  json elements = json::array();
  for (const CopiedElement& e : copy.elements) {
    json element = json::object();
    const int64_t fields[] = {e.kind, e.value, e.x, e.y, e.paramA, e.paramB, e.flags};
    for (size_t i = 0; i < std::size(fields); ++i) element[copyFieldNames[i]] = fields[i];
    elements.push_back(std::move(element));
  }
  const json whole = {{"style", copy.style}, {"elements", std::move(elements)}};
  return std::string(ElementCopyHeader) + "\n" + whole.dump() + "\n";
}

static bool copyStemValid(const json& style) {
  if (!style.is_string()) return false;
  const std::string& stem = style.get_ref<const std::string&>();
  if (stem.empty() || stem.size() > 8) return false;
  for (char c : stem)
    if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) return false;
  return true;
}

// One field as an integer in [low, high], or false.
static bool copyField(const json& element, const char* name, int64_t low, int64_t high, int64_t* out) {
  const auto found = element.find(name);
  if (found == element.end() || !found->is_number_integer()) return false;
  // Unsigned past the signed range would wrap; held at its top it fails the range.
  *out = found->is_number_unsigned() ? int64_t(std::min<uint64_t>(found->get<uint64_t>(), INT64_MAX))
                                     : found->get<int64_t>();
  return *out >= low && *out <= high;
}

static bool copyElement(const json& element, CopiedElement* out) {
  if (!element.is_object()) return false;
  const int64_t low[] = {ObjectKindTerrainCell, 0, -ElementCopyMaxOffset, -ElementCopyMaxOffset, 0, 0, 0};
  const int64_t high[] = {ObjectKindStillByOverride, CopyWordLimit, ElementCopyMaxOffset, ElementCopyMaxOffset,
                          CopyWordLimit, CopyWordLimit, CopyWordLimit};
  int64_t v[std::size(copyFieldNames)];
  for (size_t i = 0; i < std::size(copyFieldNames); ++i)
    if (!copyField(element, copyFieldNames[i], low[i], high[i], &v[i])) return false;
  *out = {uint32_t(v[0]), uint32_t(v[1]), int32_t(v[2]), int32_t(v[3]), uint32_t(v[4]), uint32_t(v[5]), uint32_t(v[6])};
  return true;
}

int parseElementCopy(const std::string& text, ElementCopy* out) {
  *out = ElementCopy{};
  const size_t lineEnd = text.find('\n');
  std::string header = text.substr(0, lineEnd);
  if (!header.empty() && header.back() == '\r') header.pop_back();  // a copy kept in a text file
  if (lineEnd == std::string::npos || header != ElementCopyHeader) return 1;
  const json whole = json::parse(text.begin() + static_cast<long>(lineEnd) + 1, text.end(), nullptr, false);
  if (!whole.is_object()) return 1;
  const auto style = whole.find("style");
  if (style == whole.end() || !copyStemValid(*style)) return 1;
  const auto elements = whole.find("elements");
  if (elements == whole.end() || !elements->is_array() || elements->empty() || elements->size() > LevelPoolSize)
    return 1;
  ElementCopy copy;
  copy.style = style->get<std::string>();
  copy.elements.resize(elements->size());
  for (size_t i = 0; i < elements->size(); ++i)
    if (!copyElement((*elements)[i], &copy.elements[i])) return 1;
  *out = std::move(copy);
  return 0;
}
