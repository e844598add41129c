#include "platform/qt/panels.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace caplift::platform::qt {

namespace {

QString qstr(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

QFileDialog::Options dialogOptions() {
#ifdef Q_OS_MACOS
  return {};
#else
  // Qt's own dialog everywhere else: it behaves the same on every desktop, and it is the one
  // that can treat a bundle folder as a document.
  return QFileDialog::DontUseNativeDialog;
#endif
}

// An open dialog that takes a package folder as the chosen document instead of entering it.
class PackageAwareFileDialog final : public QFileDialog {
 public:
  explicit PackageAwareFileDialog(std::vector<ContentType> types) : types_(std::move(types)) {
    connect(this, &QFileDialog::directoryEntered, this, [this](const QString& folder) {
      if (!chosenPackage_.isEmpty() || !isPackagePath(folder, types_)) return;
      chosenPackage_ = folder;
      QDialog::accept();
    });
  }
  const QString& chosenPackage() const { return chosenPackage_; }

  void accept() override {
    const QStringList files = selectedFiles();
    if (files.size() == 1 && isPackagePath(files.front(), types_)) {
      chosenPackage_ = files.front();
      QDialog::accept();
      return;
    }
    QFileDialog::accept();
  }

 private:
  std::vector<ContentType> types_;
  QString chosenPackage_;
};

QString withoutTrailingSlash(QString path) {
  while (path.size() > 1 && path.endsWith('/')) path.chop(1);
  return path;
}

}  // namespace

QString nameFilterFor(const std::vector<ContentType>& types) {
  QStringList descriptions;
  QStringList patterns;
  for (const ContentType& type : types) {
    if (!type.description.empty()) {
      descriptions.append(QCoreApplication::translate("Platform", type.description.c_str()));
    }
    for (const std::string& extension : type.extensions) {
      const QString pattern = QStringLiteral("*.") + qstr(extension);
      if (!patterns.contains(pattern)) patterns.append(pattern);
    }
  }
  if (patterns.isEmpty()) return {};
  return QStringLiteral("%1 (%2)").arg(descriptions.join(QStringLiteral(", ")), patterns.join(' '));
}

bool isPackagePath(const QString& path, const std::vector<ContentType>& types) {
  const QFileInfo info(withoutTrailingSlash(path));
  if (!info.isDir()) return false;
  for (const ContentType& type : types) {
    if (!type.isPackage) continue;
    for (const std::string& extension : type.extensions) {
      if (info.fileName().endsWith('.' + qstr(extension), Qt::CaseInsensitive)) return true;
    }
  }
  return false;
}

std::optional<std::string> runOpenDialog(const OpenPanelRequest& request, QString& directory,
                                         const QList<QAction*>& shortcuts) {
  PackageAwareFileDialog dialog(request.allowedContentTypes);
  dialog.addActions(shortcuts);
  dialog.setOptions(dialogOptions());
  dialog.setWindowTitle(qstr(request.title));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  const QString filter = nameFilterFor(request.allowedContentTypes);
  if (!filter.isEmpty()) dialog.setNameFilter(filter);
  if (!directory.isEmpty()) dialog.setDirectory(directory);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  QString chosen = dialog.chosenPackage();
  if (chosen.isEmpty()) {
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    chosen = files.front();
  }
  chosen = withoutTrailingSlash(chosen);
  directory = QFileInfo(chosen).absolutePath();
  return chosen.toStdString();
}

std::optional<std::string> runSaveDialog(const SavePanelRequest& request, const QString& directory,
                                         const QList<QAction*>& shortcuts) {
  QFileDialog dialog;
  dialog.addActions(shortcuts);
  dialog.setOptions(dialogOptions());
  dialog.setWindowTitle(qstr(request.title));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  const QString filter = nameFilterFor(request.allowedContentTypes);
  if (!filter.isEmpty()) dialog.setNameFilter(filter);
  for (const ContentType& type : request.allowedContentTypes) {
    if (!type.extensions.empty()) {
      dialog.setDefaultSuffix(qstr(type.extensions.front()));
      break;
    }
  }
  if (!directory.isEmpty()) dialog.setDirectory(directory);
  dialog.selectFile(qstr(request.nameFieldStringValue));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return files.front().toStdString();
}

int runAlertBox(const AlertRequest& request, const QIcon& icon, const QList<QAction*>& shortcuts) {
  QMessageBox box;
  box.addActions(shortcuts);
  box.setWindowTitle(QCoreApplication::applicationName());
  if (!icon.isNull()) box.setIconPixmap(icon.pixmap(64, 64));
  box.setTextFormat(Qt::RichText);
  box.setText(QStringLiteral("<b>%1</b>")
                  .arg(qstr(request.messageText).toHtmlEscaped().replace('\n', "<br>")));
  box.setInformativeText(qstr(request.informativeText));
  // A path or a parser message must read as it is, never as markup.
  if (auto* informative = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
    informative->setTextFormat(Qt::PlainText);
    // Wide enough that a saved path or a parser message reads on one or two lines, not one
    // path component per line.
    informative->setMinimumWidth(380);
  }
  std::vector<QAbstractButton*> buttons;
  for (const std::string& title : request.buttonTitles) {
    const QMessageBox::ButtonRole role =
        buttons.empty() ? QMessageBox::AcceptRole : QMessageBox::RejectRole;
    buttons.push_back(box.addButton(qstr(title).replace('&', "&&"), role));
  }
  if (buttons.empty()) buttons.push_back(box.addButton(QMessageBox::Ok));
  box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
  if (buttons.size() == 1) box.setEscapeButton(buttons.front());
  box.exec();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (box.clickedButton() == buttons[i]) return int(i);
  }
  return 0;
}

}  // namespace caplift::platform::qt
