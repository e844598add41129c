#include <memory>

#include "app/app_delegate.h"
#include "platform/qt/qt_platform.h"

// The application's one delegate. It lives until the process ends and is never released: the
// platform only refers to it, and its windows must not be torn down after the toolkit is gone.
caplift::AppDelegate* delegate = nullptr;

int main(int argc, char** argv) {
  // The platform takes the toolkit's own arguments; the application has none of its own.
  std::unique_ptr<caplift::platform::Platform> platform =
      caplift::platform::makeQtPlatform(argc, argv);
  delegate = new caplift::AppDelegate(*platform);
  platform->setDelegate(delegate);
  platform->run();
  return 0;
}
