#include "tests/reference/document_generator.h"

#include <algorithm>
#include <string_view>

namespace caplift::reference {

namespace {

// Choices, separated by "|".
constexpr std::string_view kNames =
    "title|title|title|text|text|text|text-style|text-style|text-style|clip|spine|asset-clip|"
    "x:title|y:text|Title|titles|text-style-def|gap";
constexpr std::string_view kSpaces =
    " |\n|\t|\r\n|\r|&#13;|&#9;|&#10;|&#xA0;|&#x85;|&#x2028;|&#x2029;|&#x3000;|&#x2003;|&#x200B;|"
    "&#xFEFF;|\xC2\xA0|\xE2\x80\xA8|&#x1680;|&#x202F;|  \n  ";
constexpr std::string_view kWords =
    "Hello|World|Chocolats du CaliBressan|The French Chocolatier\xE2\x80\xA6|caf\xC3\xA9|"
    "\xF0\x9F\x98\x80|a|&amp;|&lt;b&gt;|&#x41;|x-y|1";
constexpr std::string_view kTimes =
    "0s|5s|3600s|1.5s|-1.5s|2e1s|1001/30000s|10|5/0s|0/0s|1s2|3S| 5s|5 s|abc|/|1/2/3s|1//2s|x/1/2s|"
    "|s|inf|nan(x_1)s|0x1p3s|1e400s|86399313/24000s|0.9996s|1.9995s|12.0125s|2.675s|360000s|"
    "9.3e18s|+7s|.5s|&#x73;|4&#x2F;2s";
constexpr std::string_view kEntityData = "&t;|&ws;|&ts;|&ti;|&ext;|&empty;";
constexpr std::string_view kEntityContent = "&ts;|&ti;|&t;";

struct Generator {
  std::uint64_t state;
  bool entities = false;

  std::uint64_t random() {
    // splitmix64: small, and the same sequence everywhere.
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  std::size_t below(std::size_t n) { return static_cast<std::size_t>(random() % n); }
  bool chance(std::size_t percent) { return below(100) < percent; }
  std::string pick(std::string_view choices) {
    for (std::size_t skip = below(1 + std::count(choices.begin(), choices.end(), '|')); skip > 0;
         --skip) {
      choices.remove_prefix(choices.find('|') + 1);
    }
    return std::string(choices.substr(0, choices.find('|')));
  }

  std::string timeValue() {
    if (!chance(15)) return pick(kTimes);
    return std::to_string(below(100000)) + (chance(50) ? "/" + std::to_string(below(60000)) : "") +
           (chance(80) ? "s" : "");
  }

  std::string characterData() {
    std::string out;
    for (std::size_t pieces = 1 + below(4); pieces > 0; --pieces) {
      const std::size_t kind = below(10);
      out += kind < 4   ? pick(kWords)
             : kind < 8 ? pick(kSpaces)
             : kind == 8
                 ? "<![CDATA[" + std::string(chance(50) ? " <text-style>c\n" : "\n \t") + "]]>"
             : entities ? pick(kEntityData)
                        : "&#x20;";
    }
    return out;
  }

  std::string attributes() {
    std::string out;
    for (const char* name : {"offset", "duration", "start", "name", "x:offset", "y:start"}) {
      if (!chance(45)) continue;
      std::string value = std::string_view(name) == "name" ? characterData() : timeValue();
      if (!chance(10)) {  // entities holding markup are not allowed in attribute values: rarely
        for (const char* markup : {"&ts;", "&ti;"}) {
          for (std::size_t at; (at = value.find(markup)) != std::string::npos;) {
            value.replace(at, 4, "&t;");
          }
        }
      }
      // Quotes and markup cannot stand in an attribute value as they are.
      for (std::size_t at; (at = value.find_first_of("<\"")) != std::string::npos;) {
        value.replace(at, 1, value[at] == '<' ? "&lt;" : "&quot;");
      }
      out += std::string(" ") + name + "=\"" + value + "\"";
    }
    return chance(1) ? out + " xmlns=\"urn:other\"" : out;
  }

  void content(std::string& out, int depth) {
    for (std::size_t count = depth == 0 ? 1 + below(6) : below(depth > 5 ? 2 : 5); count > 0;
         --count) {
      const std::size_t kind = below(12);
      if (kind < 6) {
        element(out, depth + 1);
      } else if (kind < 9) {
        out += characterData();
      } else if (kind == 9) {
        out += chance(50) ? "<!-- comment <title> -->" : "<?pi <text-style>x?>";
      } else {
        out += kind == 10 ? pick(kSpaces) : entities ? pick(kEntityContent) : "";
      }
    }
  }

  void element(std::string& out, int depth) {
    const std::string name = depth > 7 ? "gap" : pick(kNames);
    out += "<" + name + attributes();
    if (chance(15)) {
      out += "/>";
      return;
    }
    out += ">";
    if (name == "title" && chance(60)) {
      // The usual shape of an export: style runs inside a text element, then anything.
      out += "<text>";
      for (std::size_t runs = 1 + below(3); runs > 0; --runs) {
        out += "<text-style ref=\"ts\">" + characterData() + "</text-style>";
        if (chance(20)) out += pick(kSpaces);
      }
      content(out, depth + 1);
      out += "</text>";
    }
    content(out, depth);
    out += "</" + name + ">";
  }

  std::string prolog() {
    std::string out = chance(10) ? "\xEF\xBB\xBF" : "";
    if (chance(50)) {
      out += "<?xml version=\"1.0\"" +
             (chance(60) ? " encoding=\"" + pick("UTF-8|ISO-8859-1|UTF-16|ebcdic") + "\"" : "") +
             "?>\n";
    }
    entities = chance(30);
    if (entities) {
      out +=
          "<!DOCTYPE fcpxml [\n<!ENTITY t \"text &#xA0;entity\">\n<!ENTITY ws \"&#x2028; \">\n"
          "<!ENTITY empty \"\">\n<!ENTITY ts \"<text-style>E&#10;</text-style>\">\n"
          "<!ENTITY ti \"<title offset='1s' duration='2s' name='entity'><text><text-style>&t;"
          "</text-style></text></title>\">\n<!ENTITY ext SYSTEM \"/nonexistent/external.ent\">\n"
          "<!ATTLIST title duration CDATA \"7s\" name CDATA \"defaulted\">\n"
          "<!ATTLIST clip offset NMTOKEN #IMPLIED>\n]>\n";
    } else if (chance(20)) {
      out += "<!DOCTYPE fcpxml>\n";
    }
    return out;
  }
};

}  // namespace

std::string generatedDocument(std::uint64_t number) {
  Generator generator{number * 0xD1B54A32D192ED03ULL + 20240611};
  std::string out = generator.prolog();
  if (generator.chance(20)) {
    generator.element(out, 0);  // a title as the root, or its only child
  } else {
    out += "<fcpxml xmlns:x=\"urn:x\">";
    generator.content(out, 0);
    out += "</fcpxml>";
  }
  if (generator.chance(3)) out.resize(generator.below(out.size() + 1));  // broken on purpose
  if (generator.chance(2)) out += "<after/>";
  return out;
}

}  // namespace caplift::reference
