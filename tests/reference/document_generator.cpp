#include "tests/reference/document_generator.h"

namespace caplift::reference {

namespace {

const char* const kElementNames[] = {
    "title",      "title",      "title",      "text",   "text",           "text",
    "text-style", "text-style", "text-style", "clip",   "spine",          "asset-clip",
    "x:title",    "y:text",     "Title",      "titles", "text-style-def", "gap"};

const char* const kWhiteSpace[] = {
    " ",        "\n",       "\t",       "\r\n",         "\r",       "&#13;",    "&#9;",
    "&#10;",    "&#xA0;",   "&#x85;",   "&#x2028;",     "&#x2029;", "&#x3000;", "&#x2003;",
    "&#x200B;", "&#xFEFF;", "\xC2\xA0", "\xE2\x80\xA8", "&#x1680;", "&#x202F;", "  \n  "};

const char* const kWords[] = {"Hello",
                              "World",
                              "Chocolats du CaliBressan",
                              "The French Chocolatier\xE2\x80\xA6",
                              "caf\xC3\xA9",
                              "\xF0\x9F\x98\x80",
                              "a",
                              "&amp;",
                              "&lt;b&gt;",
                              "&#x41;",
                              "x-y",
                              "1"};

const char* const kTimes[] = {"0s",
                              "5s",
                              "3600s",
                              "1.5s",
                              "-1.5s",
                              "2e1s",
                              "1001/30000s",
                              "1001/60000s",
                              "10",
                              "5/0s",
                              "-5/0s",
                              "0/0s",
                              "1s2",
                              "3S",
                              " 5s",
                              "5 s",
                              "abc",
                              "/",
                              "/30000s",
                              "1/xs",
                              "1/2/3s",
                              "1//2s",
                              "1/2/s",
                              "x/1/2s",
                              "",
                              "s",
                              "inf",
                              "-inf",
                              "nan",
                              "nan(x_1)s",
                              "0x1p3s",
                              "1e400s",
                              "1e-400s",
                              "86399313/24000s",
                              "8648640000/2400000s",
                              "0.9996s",
                              "1.9995s",
                              "12.0125s",
                              "2.675s",
                              "359999.999s",
                              "360000s",
                              "9.3e18s",
                              "+7s",
                              ".5s",
                              "5.s",
                              "1e",
                              "0x",
                              "&#x73;",
                              "4&#x2F;2s"};

}  // namespace

std::uint64_t DocumentGenerator::random() {
  // splitmix64: small, and the same sequence everywhere.
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

std::string DocumentGenerator::timeValue() {
  if (!chance(15)) return pick(kTimes);
  std::string value = std::to_string(below(100000));
  if (chance(50)) {
    value += '/';
    value += std::to_string(below(60000));
  }
  if (chance(80)) value += 's';
  return value;
}

std::string DocumentGenerator::characterData() {
  std::string out;
  const std::size_t pieces = 1 + below(4);
  for (std::size_t i = 0; i < pieces; ++i) {
    const std::size_t kind = below(10);
    if (kind < 4) {
      out += pick(kWords);
    } else if (kind < 8) {
      out += pick(kWhiteSpace);
    } else if (kind == 8) {
      out += "<![CDATA[" + std::string(chance(50) ? " <text-style>c\n" : "\n \t") + "]]>";
    } else if (hasEntities_) {
      out += pick({"&t;", "&ws;", "&ts;", "&ti;", "&ext;", "&empty;"});
    } else {
      out += "&#x20;";
    }
  }
  return out;
}

std::string DocumentGenerator::attributes() {
  std::string out;
  const char* const names[] = {"offset", "duration", "start", "name", "x:offset", "y:start"};
  for (const char* name : names) {
    if (!chance(45)) continue;
    const std::string key = name;
    std::string value = key == "name" ? characterData() : timeValue();
    // Entities holding markup are not allowed in attribute values: keep that failure rare.
    if (!chance(10)) {
      for (const char* markup : {"&ts;", "&ti;"}) {
        for (std::size_t at; (at = value.find(markup)) != std::string::npos;)
          value.replace(at, 4, "&t;");
      }
    }
    // Quotes and markup cannot stand in an attribute value as they are.
    for (std::size_t at; (at = value.find_first_of("<\"")) != std::string::npos;) {
      value.replace(at, 1, value[at] == '<' ? "&lt;" : "&quot;");
    }
    out += " " + key + "=\"" + value + "\"";
  }
  if (chance(1)) out += " xmlns=\"urn:other\"";
  return out;
}

void DocumentGenerator::content(std::string& out, int depth) {
  const std::size_t count = depth == 0 ? 1 + below(6) : below(depth > 5 ? 2 : 5);
  for (std::size_t i = 0; i < count; ++i) {
    switch (below(12)) {
      case 0:
      case 1:
      case 2:
      case 3:
      case 4:
      case 5:
        element(out, depth + 1);
        break;
      case 6:
      case 7:
      case 8:
        out += characterData();
        break;
      case 9:
        out += chance(50) ? "<!-- comment <title> -->" : "<?pi <text-style>x?>";
        break;
      case 10:
        out += pick(kWhiteSpace);
        break;
      default:
        if (hasEntities_) out += pick({"&ts;", "&ti;", "&t;"});
        break;
    }
  }
}

void DocumentGenerator::element(std::string& out, int depth) {
  const std::string name = depth > 7 ? "gap" : pick(kElementNames);
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
      if (chance(20)) out += pick(kWhiteSpace);
    }
    content(out, depth + 1);
    out += "</text>";
  }
  content(out, depth);
  out += "</" + name + ">";
}

std::string DocumentGenerator::prolog() {
  std::string out;
  if (chance(10)) out += "\xEF\xBB\xBF";
  if (chance(50)) {
    out += "<?xml version=\"1.0\"";
    if (chance(60))
      out += std::string(" encoding=\"") + pick({"UTF-8", "ISO-8859-1", "UTF-16", "ebcdic"}) + "\"";
    out += "?>\n";
  }
  hasEntities_ = chance(30);
  if (hasEntities_) {
    out +=
        "<!DOCTYPE fcpxml [\n"
        "<!ENTITY t \"text &#xA0;entity\">\n"
        "<!ENTITY ws \"&#x2028; \">\n"
        "<!ENTITY empty \"\">\n"
        "<!ENTITY ts \"<text-style>E&#10;</text-style>\">\n"
        "<!ENTITY ti \"<title offset='1s' duration='2s' name='entity'><text><text-style>&t;"
        "</text-style></text></title>\">\n"
        "<!ENTITY ext SYSTEM \"/nonexistent/external.ent\">\n"
        "<!ATTLIST title duration CDATA \"7s\" name CDATA \"defaulted\">\n"
        "<!ATTLIST clip offset NMTOKEN #IMPLIED>\n"
        "]>\n";
  } else if (chance(20)) {
    out += "<!DOCTYPE fcpxml>\n";
  }
  return out;
}

std::string DocumentGenerator::next() {
  std::string out = prolog();
  out += "<fcpxml xmlns:x=\"urn:x\">";
  if (chance(20)) {
    // A title as the root's only child, or the root itself.
    out.clear();
    out = prolog();
    element(out, 0);
  } else {
    content(out, 0);
    out += "</fcpxml>";
  }
  if (chance(3)) out.resize(below(out.size() + 1));  // broken on purpose
  if (chance(2)) out += "<after/>";
  return out;
}

}  // namespace caplift::reference
