// Writes the starting inputs of the fuzz targets: documents for the conversion and time texts for
// the time target. Real exports are handed to the fuzzer by run.sh as a second, read-only folder.
//   caplift_fuzz_seeds CONVERT_DIR TIME_DIR
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/reference/document_generator.h"

namespace {

// Small documents, each showing one thing the conversion or the parser policy deals with.
const char* const kDocuments[] = {
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<fcpxml version=\"1.9\"><library><event>"
    "<project name=\"P\"><sequence><spine><clip offset=\"10s\" start=\"3600s\" duration=\"20s\">"
    "<title offset=\"3605s\" duration=\"2s\" name=\"Caption\"><text><text-style ref=\"ts1\">Hello"
    "</text-style></text><text-style-def id=\"ts1\"><text-style font=\"Helvetica\"/>"
    "</text-style-def></title></clip></spine></sequence></project></event></library></fcpxml>\n",
    "<spine><title offset='5s' duration='3s' name='Caption A'/></spine>",
    "<c><title name='Name'><text><text-style> \n</text-style><text-style>&#xA0;</text-style>"
    "</text></title></c>",
    "<c><title><text><text-style>one\n\n  \ntwo</text-style></text></title></c>",
    "<c><title><text><text-style>a<text-style>b</text-style>c</text-style></text></title></c>",
    "<c><title name='outer' offset='1s'><spine offset='2s'><title name='inner' offset='3s'>"
    "<text><text-style>I</text-style></text></title></spine></title><title name='after'/></c>",
    "<c><title offset='5/0s' duration='1s'/><title offset='0/0s'/><title offset='1e400s'/>"
    "<title offset='-1s'/><title offset='0.9996s' duration='86399313/24000s'/></c>",
    "<!DOCTYPE c [<!ENTITY e 'ent'><!ENTITY t \"<title name='t'>&e;</title>\">"
    "<!ATTLIST title offset CDATA '7s'>]><c>&t;<x xmlns='urn:o'>&t;</x><title><text>"
    "<text-style>&lt;<![CDATA[<b>]]>&#x41;&e;<!-- no --><?pi no?></text-style></text></title></c>",
    "<c xmlns:x='urn:x'><x:title name='a'/><title xmlns='urn:d' name='b'/>"
    "<title x:offset='5s' name='c'><x:text><text-style>no</text-style></x:text></title></c>",
    "\xEF\xBB\xBF<?xml version='1.0' encoding='ISO-8859-1'?><title name='caf\xC3\xA9'/>",
    "<!DOCTYPE t [<!ENTITY e SYSTEM '/etc/hostname'>]><title name='n&e;'/>",
    "<!DOCTYPE t SYSTEM '/etc/hostname'><title/>",
    "<!DOCTYPE t [<!ENTITY a '&b;'><!ENTITY b '&a;'>]><t>&a;</t>",
    "<fcpxml>\n<title name=\"A\">\n</fcpxml>\n",
    "<title name='\xE9t\xE9'/>",
    "<title/>\xF0\x9F\x98",
};

const char* const kTimes[] = {
    "0s",       "3600s",   "1.5s",    "-1.5s",       "2e1s",    "1001/30000s",
    "5/0s",     "-5/0s",   "0/0s",    "1s2",         "3S",      " 5s",
    "5 s",      "1/2/3s",  "1//2s",   "x/1/2s",      "nan(x)s", "0x1.8p3s",
    "1e400s",   "1e-400s", "0.9996s", "359999.999s", "9.3e18s", "86399313/24000s",
    "12.0125s", "2.675s",  "-inf",    "INFINITY/1s", "",        "/",
};

void write(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "caplift_fuzz_seeds: cannot write %s\n", path.c_str());
    std::exit(1);
  }
}

std::string numbered(const char* prefix, std::size_t n) {
  char name[64];
  std::snprintf(name, sizeof name, "%s-%04zu", prefix, n);
  return name;
}

// Three doubles as the time target reads them after the text: title offset, parent offset, start.
std::string doubles(double a, double b, double c) {
  std::string bytes(3 * sizeof(double), '\0');
  const double values[3] = {a, b, c};
  std::memcpy(bytes.data(), values, sizeof values);
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: caplift_fuzz_seeds CONVERT_DIR TIME_DIR\n");
    return 2;
  }
  const std::filesystem::path convertDir = argv[1];
  const std::filesystem::path timeDir = argv[2];
  std::filesystem::create_directories(convertDir);
  std::filesystem::create_directories(timeDir);

  std::size_t n = 0;
  for (const char* document : kDocuments) write(convertDir / numbered("doc", n++), document);
  caplift::reference::DocumentGenerator generator(20240611);
  for (int i = 0; i < 200; ++i) write(convertDir / numbered("generated", i), generator.next());

  n = 0;
  for (const char* time : kTimes) write(timeDir / numbered("time", n++), time);
  write(timeDir / numbered("doubles", 0), doubles(3605, 10, 3600));
  write(timeDir / numbered("doubles", 1), doubles(1.9995, 0.0005, -1e-17));
  write(timeDir / numbered("doubles", 2), doubles(9.2233720368547748e18, 1024, 0));
  write(timeDir / numbered("doubles", 3), doubles(-0.0, 1e308, -1e308));
  return 0;
}
