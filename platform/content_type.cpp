#include "platform/platform.h"

namespace caplift::platform {

ContentType ContentType::xml() {
  return {"public.xml", "XML document", {"xml", "fcpxml"}};
}

ContentType ContentType::fcpxmlBundle() {
  return {"com.apple.finalcutpro.xmld", "FCPXML bundle", {"fcpxmld"}, true};
}

ContentType ContentType::srt() {
  return {"public.srt", "SubRip subtitles", {"srt"}};
}

}  // namespace caplift::platform
