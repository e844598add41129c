#include "platform/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>
#include <algorithm>

#include "convert/cues/formats.h"
#include "convert/io/input_path.h"

namespace caplift::platform {

namespace {

bool isBundle(const QString& path) {
  const QFileInfo info(QDir::cleanPath(path));
  return info.isDir() && info.fileName().endsWith(kBundleExtension, Qt::CaseInsensitive);
}

// An open dialog that takes a bundle folder as the chosen document instead of entering it.
class BundleAwareFileDialog final : public QFileDialog {
 public:
  BundleAwareFileDialog() {
    connect(this, &QFileDialog::directoryEntered, this, [this](const QString& folder) {
      if (chosenBundle.isEmpty() && isBundle(folder)) choose(folder);
    });
  }
  void accept() override {
    const QStringList files = selectedFiles();
    if (files.size() == 1 && isBundle(files.front())) return choose(files.front());
    QFileDialog::accept();
  }
  QString chosenBundle;

 private:
  void choose(const QString& bundle) {
    chosenBundle = QDir::cleanPath(bundle);
    QDialog::accept();
  }
};

// Qt's own dialog, the same on every desktop and the one that can take a bundle as a document.
// Its columns take the width of their contents, so that no size, type or date is cut.
void prepare(QFileDialog& dialog, const QString& title, const QString& directory,
             const QList<QAction*>& shortcuts) {
#ifndef Q_OS_MACOS
  dialog.setOption(QFileDialog::DontUseNativeDialog);
#endif
  dialog.setWindowTitle(title);
  dialog.addActions(shortcuts);
  if (!directory.isEmpty()) dialog.setDirectory(directory);
  dialog.resize(860, 520);
  if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  }
}

}  // namespace

QtDialogs::QtDialogs(std::function<QList<QAction*>()> shortcuts)
    : shortcuts_(std::move(shortcuts)) {}

std::optional<QString> QtDialogs::chooseFile(const QString& title) {
  BundleAwareFileDialog dialog;
  prepare(dialog, title, directory_, shortcuts_());
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(QCoreApplication::translate("Platform", "XML document, FCPXML bundle") +
                       " (*.xml *.fcpxml *.fcpxmld)");
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  QString chosen = dialog.chosenBundle;
  if (chosen.isEmpty() && !dialog.selectedFiles().isEmpty()) chosen = dialog.selectedFiles()[0];
  if (chosen.isEmpty()) return std::nullopt;
  directory_ = QFileInfo(chosen).absolutePath();
  return chosen;
}

std::optional<QString> QtDialogs::chooseTarget(const QString& title, const QString& proposedName) {
  QFileDialog dialog;
  prepare(dialog, title, directory_, shortcuts_());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // One filter per format; the one the proposed name has comes first chosen, and choosing
  // another changes the name's extension with it.
  QStringList filters;
  QStringList suffixes;
  for (const SubtitleFormat& format : subtitleFormats()) {
    const QString suffix = QString::fromUtf8(format.extension.substr(1).data(),
                                             qsizetype(format.extension.size() - 1));
    filters << QString::fromUtf8(format.label.data(), qsizetype(format.label.size())) + " (*." +
                   suffix + ")";
    suffixes << suffix;
  }
  dialog.setNameFilters(filters);
  const qsizetype chosen =
      std::max<qsizetype>(0, suffixes.indexOf(QFileInfo(proposedName).suffix()));
  dialog.selectNameFilter(filters[chosen]);
  dialog.setDefaultSuffix(suffixes[chosen]);
  dialog.selectFile(proposedName);
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
    const QString suffix = suffixes.value(filters.indexOf(filter));
    if (suffix.isEmpty()) return;
    dialog.setDefaultSuffix(suffix);
    // The name typed so far, with the chosen format's extension.
    auto* field = dialog.findChild<QLineEdit*>();
    if (field == nullptr) return;
    QString name = field->text();
    if (name.isEmpty()) return;
    for (const QString& known : suffixes) {
      if (name.endsWith("." + known, Qt::CaseInsensitive)) name.chop(known.size() + 1);
    }
    field->setText(name + "." + suffix);
  });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles()[0];
}

void QtDialogs::runAlert(const QString& title, const QString& message, const QString& button) {
  QMessageBox box;
  box.addActions(shortcuts_());
  box.setWindowTitle(QCoreApplication::applicationName());
  box.setIconPixmap(QApplication::windowIcon().pixmap(64, 64));
  box.setTextFormat(Qt::RichText);
  box.setText("<b>" + title.toHtmlEscaped() + "</b>");
  box.setInformativeText(message);
  // A path or a parser message reads as it is, never as markup, and on one or two lines rather
  // than one folder per line.
  if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
    label->setTextFormat(Qt::PlainText);
    label->setMinimumWidth(380);
  }
  QPushButton* ok = box.addButton(QString(button).replace('&', "&&"), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
}

}  // namespace caplift::platform
