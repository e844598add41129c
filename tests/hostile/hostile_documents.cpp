#include "tests/hostile/hostile_documents.h"

namespace caplift::testing {

namespace {

// Fills `bytes` bytes with `unit`, whole units only.
std::string repeated(const std::string& unit, std::size_t bytes) {
  std::string text;
  text.reserve(bytes);
  while (text.size() + unit.size() <= bytes) text += unit;
  return text;
}

std::string titleWithText(const std::string& text) {
  return "<fcpxml><spine><clip offset='10s' start='3600s'>"
         "<title offset='3605s' duration='2s' name='n'><text><text-style>" +
         text + "</text-style></text></title></clip></spine></fcpxml>\n";
}

}  // namespace

std::string billionLaughs() {
  std::string document = "<?xml version='1.0'?>\n<!DOCTYPE fcpxml [\n<!ENTITY l0 'lol'>\n";
  for (int i = 1; i <= 10; ++i) {
    document += "<!ENTITY l" + std::to_string(i) + " '";
    for (int k = 0; k < 10; ++k) document += "&l" + std::to_string(i - 1) + ";";
    document += "'>\n";
  }
  return document + "]>\n" + titleWithText("&l10;");
}

std::string quadraticBlowup(std::size_t entityBytes, std::size_t references) {
  return "<!DOCTYPE fcpxml [<!ENTITY a '" + std::string(entityBytes, 'a') + "'>]>\n" +
         titleWithText(repeated("&a;", 3 * references));
}

std::string deepNesting(std::size_t depth) {
  return repeated("<a>", 3 * depth) + "<title name='deep'/>" + repeated("</a>", 4 * depth);
}

std::string hugeAttribute(const char* name, std::size_t bytes) {
  return std::string("<fcpxml><title ") + name + "='" + std::string(bytes, '1') +
         "'><text><text-style>t</text-style></text></title></fcpxml>\n";
}

std::string hugeText(std::size_t bytes) {
  return titleWithText(repeated("Lorem ipsum dolor sit amet.\n", bytes));
}

std::string hugeCharacterReferences(std::size_t bytes) {
  return titleWithText(repeated("&#x41;", bytes));
}

std::string compoundBomb(int uses, int depth) {
  std::string document =
      "<fcpxml><resources><media id='m0'><sequence><spine>"
      "<title name='t' offset='0s' duration='1s'/></spine></sequence></media>";
  for (int k = 1; k <= depth; ++k) {
    document += "<media id='m" + std::to_string(k) + "'><sequence><spine>";
    for (int i = 0; i < uses; ++i) document += "<ref-clip ref='m" + std::to_string(k - 1) + "'/>";
    document += "</spine></sequence></media>";
  }
  return document + "</resources><project name='P'><sequence><spine><ref-clip ref='m" +
         std::to_string(depth) + "'/></spine></sequence></project></fcpxml>\n";
}

std::string smallExport() {
  return R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE fcpxml [<!ENTITY show "Caf&#xE9; &amp; Co">]>
<fcpxml version="1.10">
  <resources>
    <format id="r1" name="FFVideoFormat1080p2997" frameDuration="1001/30000s"/>
    <effect id="r2" name="Basic Title" uid=".../Titles.localized/Basic Text.localized"/>
  </resources>
  <library>
    <event name="Day 1">
      <project name="Cut &#8220;A&#8221;">
        <sequence format="r1" duration="360360/30000s" tcStart="0s">
          <spine>
            <!-- the interview -->
            <asset-clip ref="r3" offset="0s" name="Interview" start="3600s" duration="120120/30000s">
              <title ref="r2" lane="1" offset="3603s" name="Lower third" start="3600s" duration="2s">
                <text>
                  <text-style ref="ts1">&show;
</text-style>
                  <text-style ref="ts2">Stra&#223;e  <![CDATA[<5>]]> 日本語 😀</text-style>
                </text>
                <text-style-def id="ts1"><text-style font="Helvetica" fontSize="63"/></text-style-def>
              </title>
            </asset-clip>
            <gap offset="120120/30000s" start="3600s" duration="1001/30000s">
              <title offset="3600s" duration="1001/1000s" name="Fallback name"/>
            </gap>
          </spine>
        </sequence>
      </project>
    </event>
  </library>
</fcpxml>
)";
}

}  // namespace caplift::testing
