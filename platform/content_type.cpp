#include "platform/platform.h"

namespace caplift::platform {

ContentType ContentType::xml() {
  return {"public.xml", "XML document", {"xml", "fcpxml"}};
}

ContentType ContentType::srt() {
  return {"public.srt", "SubRip subtitles", {"srt"}};
}

}  // namespace caplift::platform
