#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>

#include "app/app_delegate.h"
#include "app/command_line.h"
#include "app/translations.h"
#include "platform/qt_dialogs.h"
#include "ui/main_menu_builder.h"

// The application's one delegate. It lives until the process ends and is never released: its
// windows must not be torn down after the toolkit has gone.
caplift::AppDelegate* delegate = nullptr;

int main(int argc, char** argv) {
  // Without a display Qt cannot start, and help must not need one.
  if (const auto status = caplift::answerWithoutWindows(argc, argv)) return *status;
  // Qt takes its own arguments; what is left is the document to open, if any.
  QApplication application(argc, argv);
  // The name and version the About window, the settings and --version show.
  QApplication::setApplicationName(QStringLiteral("Caplift"));
  QApplication::setApplicationVersion(QStringLiteral(CAPLIFT_VERSION));
  // Where the settings live: ~/.config/Caplift on Linux, org.caplift.Caplift on macOS.
  QApplication::setOrganizationName(QStringLiteral("Caplift"));
  QApplication::setOrganizationDomain(QStringLiteral("caplift.org"));
  // Lets desktops match the windows with caplift.desktop and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("caplift"));
  QIcon icon;
  for (const int size : {16, 32, 48, 64, 128, 256, 512}) {
    icon.addFile(QStringLiteral(":/icons/icon_%1.png").arg(size), QSize(size, size));
  }
  QApplication::setWindowIcon(icon);
  const auto texts = caplift::loadTranslation(QLocale::system());
  QTranslator qtTexts;
  if (texts) {
    QApplication::installTranslator(texts.get());
    // Qt's own texts (the file dialog's buttons and the like) in the same language, where the
    // system has them.
    if (qtTexts.load("qtbase_" + texts->language(),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
      QApplication::installTranslator(&qtTexts);
    }
  }

  static caplift::platform::QtDialogs dialogs(&caplift::MainMenuBuilder::shortcuts);
  delegate = new caplift::AppDelegate(dialogs);
  if (const QStringList arguments = QApplication::arguments(); arguments.size() > 1) {
    delegate->applicationOpenFile(arguments[1]);
  }
  caplift::runApplication(*delegate);
  return 0;
}
