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
constexpr std::string_view kCdata = "<![CDATA[ <text-style>c\n]]>|<![CDATA[\n \t]]>";
constexpr std::string_view kTimes =
    "0s|5s|3600s|1.5s|-1.5s|2e1s|1001/30000s|10|5/0s|0/0s|1s2|3S| 5s|5 s|abc|/|1/2/3s|1//2s|x/1/2s|"
    "|s|inf|nan(x_1)s|0x1p3s|1e400s|86399313/24000s|0.9996s|1.9995s|12.0125s|2.675s|360000s|"
    "9.3e18s|+7s|.5s|&#x73;|4&#x2F;2s";
// Entities of the DTD below; those holding markup, and external ones, are refused in attributes.
constexpr std::string_view kEntities = "&t;|&ws;|&ts;|&ti;|&ext;|&empty;|&t;|&ts;|&ti;";
constexpr std::string_view kAttributeEntities = "&t;|&ws;|&empty;|&t;|&ws;|&empty;|&t;|&ext;|&ts;";
constexpr std::string_view kDtd =
    "<!DOCTYPE fcpxml [\n<!ENTITY t \"text &#xA0;entity\">\n<!ENTITY ws \"&#x2028; \">\n"
    "<!ENTITY empty \"\">\n<!ENTITY ts \"<text-style>E&#10;</text-style>\">\n"
    "<!ENTITY ti \"<title offset='1s' duration='2s' name='entity'><text><text-style>&t;"
    "</text-style></text></title>\">\n<!ENTITY ext SYSTEM \"/nonexistent/external.ent\">\n"
    "<!ATTLIST title duration CDATA \"7s\" name CDATA \"defaulted\">\n"
    "<!ATTLIST clip offset NMTOKEN #IMPLIED>\n]>\n";

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
    for (auto skip = below(1 + std::count(choices.begin(), choices.end(), '|')); skip > 0; --skip) {
      choices.remove_prefix(choices.find('|') + 1);
    }
    return std::string(choices.substr(0, choices.find('|')));
  }

  // Character data, or an attribute's value; in the ones of time attributes, numbers of every form.
  std::string text(std::string_view inAttribute) {
    if (inAttribute != "" && inAttribute != "name") {
      return chance(85) ? pick(kTimes)
                        : std::to_string(below(100000)) +
                              (chance(50) ? "/" + std::to_string(below(60000)) : "") +
                              (chance(80) ? "s" : "");
    }
    std::string out;
    for (std::size_t pieces = 1 + below(4); pieces > 0; --pieces) {
      const std::size_t kind = below(10);
      out += kind < 4                           ? pick(kWords)
             : kind < 8                         ? pick(kSpaces)
             : kind == 8 && inAttribute.empty() ? pick(kCdata)
             : entities ? pick(inAttribute.empty() ? kEntities : kAttributeEntities)
                        : "&#x20;";
    }
    return out;
  }

  void content(std::string& out, int depth) {
    for (auto count = depth == 0 ? 1 + below(6) : below(depth > 5 ? 2 : 5); count > 0; --count) {
      const std::size_t kind = below(12);
      if (kind < 6) {
        element(out, depth + 1);
      } else {
        out += kind < 9     ? text("")
               : kind == 9  ? (chance(50) ? "<!-- comment <title> -->" : "<?pi <text-style>x?>")
               : kind == 10 ? pick(kSpaces)
                            : (entities ? pick(kEntities) : "");
      }
    }
  }

  void element(std::string& out, int depth) {
    const std::string name = depth > 7 ? "gap" : pick(kNames);
    out += "<" + name;
    for (const char* attribute : {"offset", "duration", "start", "name", "x:offset", "y:start"}) {
      if (chance(45)) out += std::string(" ") + attribute + "=\"" + text(attribute) + "\"";
    }
    out += chance(1) ? " xmlns=\"urn:other\"" : "";
    if (chance(15)) {
      out += "/>";
      return;
    }
    out += ">";
    if (name == "title" && chance(60)) {
      // The usual shape of an export: style runs inside a text element, then anything.
      out += "<text>";
      for (std::size_t runs = 1 + below(3); runs > 0; --runs) {
        out += "<text-style ref=\"ts\">" + text("") + "</text-style>" +
               (chance(20) ? pick(kSpaces) : "");
      }
      content(out, depth + 1);
      out += "</text>";
    }
    content(out, depth);
    out += "</" + name + ">";
  }
};

}  // namespace

std::string generatedDocument(std::uint64_t number) {
  Generator generator{number * 0xD1B54A32D192ED03ULL + 20240611};
  std::string out = generator.chance(10) ? "\xEF\xBB\xBF" : "";
  if (generator.chance(50)) {
    out += "<?xml version=\"1.0\"" +
           (generator.chance(60)
                ? " encoding=\"" + generator.pick("UTF-8|ISO-8859-1|UTF-16|ebcdic") + "\""
                : "") +
           "?>\n";
  }
  generator.entities = generator.chance(30);
  out += generator.entities ? kDtd : generator.chance(20) ? "<!DOCTYPE fcpxml>\n" : "";
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
