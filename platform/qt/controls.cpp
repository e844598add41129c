#include "platform/qt/controls.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "platform/qt/fonts.h"

namespace caplift::platform::qt {

namespace {

QString qstr(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

// Draws an image into its rectangle with one of the scaling rules, centred.
class ImageWidget final : public QWidget {
 public:
  void setImage(QImage image) {
    image_ = std::move(image);
    update();
  }
  void setScaling(ImageScaling scaling) {
    scaling_ = scaling;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (image_.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize available = size();
    // The image's size in device-independent pixels, so a 2x image is not drawn twice as big.
    QSize natural = image_.deviceIndependentSize().toSize();
    QSize target = natural;
    switch (scaling_) {
      case ImageScaling::kAxesIndependently:
        target = available;
        break;
      case ImageScaling::kProportionallyUpOrDown:
        target = natural.scaled(available, Qt::KeepAspectRatio);
        break;
      case ImageScaling::kProportionallyDown:
        if (natural.width() > available.width() || natural.height() > available.height()) {
          target = natural.scaled(available, Qt::KeepAspectRatio);
        }
        break;
      case ImageScaling::kNone:
        break;
    }
    const QRect where((available.width() - target.width()) / 2,
                      (available.height() - target.height()) / 2, target.width(), target.height());
    painter.drawImage(where, image_);
  }

 private:
  QImage image_;
  ImageScaling scaling_ = ImageScaling::kProportionallyDown;
};

}  // namespace

QtButton::QtButton(const std::string& title, std::function<void()> action)
    : QtViewOf<Button>(new QPushButton) {
  setTitle(title);
  // Shared with the connection, so that an action which releases this button (and so the
  // QtButton) still finishes on an intact function object.
  auto shared = std::make_shared<std::function<void()>>(std::move(action));
  QObject::connect(pushButton(), &QPushButton::clicked, pushButton(), [shared] {
    const auto keepAlive = shared;
    if (*keepAlive) (*keepAlive)();
  });
  pushButton()->setAutoDefault(false);
  pushButton()->setDefault(false);
}

void QtButton::setTitle(const std::string& title) {
  title_ = title;
  // '&' would otherwise mark a mnemonic and vanish from the title.
  if (pushButton()) pushButton()->setText(qstr(title).replace('&', "&&"));
}

QPushButton* QtButton::pushButton() const {
  return static_cast<QPushButton*>(widget());
}

QtTextField::QtTextField(const std::string& text, bool isLabel) : QtViewOf<TextField>(new QLabel) {
  label()->setTextFormat(Qt::PlainText);
  label()->setWordWrap(false);
  label()->setAlignment(qtAlignment(TextAlignment::kNatural));
  if (!isLabel) {
    editable_ = true;
    selectable_ = true;
    setBezeled(true);
    setDrawsBackground(true);
  }
  setStringValue(text);
  label()->resize(label()->sizeHint());
}

QLabel* QtTextField::label() const {
  return static_cast<QLabel*>(widget());
}

void QtTextField::setStringValue(const std::string& utf8) {
  text_ = utf8;
  isLink_ = false;
  if (!label()) return;
  label()->setOpenExternalLinks(false);
  label()->setTextFormat(Qt::PlainText);
  label()->setText(qstr(utf8));
  applyInteraction();
}

void QtTextField::setLinkValue(const std::string& text, const std::string& url) {
  text_ = text;
  isLink_ = true;
  if (!label()) return;
  label()->setTextFormat(Qt::RichText);
  label()->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                       .arg(qstr(url).toHtmlEscaped(), qstr(text).toHtmlEscaped()));
  label()->setOpenExternalLinks(true);
  applyInteraction();
}

void QtTextField::setAlignment(TextAlignment alignment) {
  if (label()) label()->setAlignment(qtAlignment(alignment));
}

void QtTextField::setFont(const Font& font) {
  if (label()) label()->setFont(qtFont(font));
}

void QtTextField::setEditable(bool editable) {
  editable_ = editable;
  applyInteraction();
}

void QtTextField::setSelectable(bool selectable) {
  selectable_ = selectable;
  applyInteraction();
}

void QtTextField::setBezeled(bool bezeled) {
  if (!label()) return;
  label()->setFrameShape(bezeled ? QFrame::StyledPanel : QFrame::NoFrame);
  label()->setFrameShadow(QFrame::Sunken);
}

void QtTextField::setDrawsBackground(bool draws) {
  if (!label()) return;
  label()->setBackgroundRole(QPalette::Base);
  label()->setAutoFillBackground(draws);
}

void QtTextField::applyInteraction() {
  if (!label()) return;
  Qt::TextInteractionFlags flags = Qt::NoTextInteraction;
  if (selectable_ || editable_) flags |= Qt::TextSelectableByMouse;
  // Keyboard selection would put a blinking caret into a field that cannot be edited.
  if (editable_) flags |= Qt::TextSelectableByKeyboard | Qt::TextEditable;
  if (isLink_) flags |= Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard;
  label()->setTextInteractionFlags(flags);
}

QtImageView::QtImageView(const Rect& frame) : QtViewOf<ImageView>(new ImageWidget) {
  setFrame(frame);
}

void QtImageView::setImage(std::shared_ptr<Image> image) {
  auto* qtImage = dynamic_cast<QtImage*>(image.get());
  if (widget())
    static_cast<ImageWidget*>(widget())->setImage(qtImage ? qtImage->image() : QImage());
}

void QtImageView::setImageScaling(ImageScaling scaling) {
  if (widget()) static_cast<ImageWidget*>(widget())->setScaling(scaling);
}

std::shared_ptr<Image> loadQtImage(const std::string& path) {
  QImage image(qstr(path));
  if (image.isNull()) return nullptr;
  return std::make_shared<QtImage>(std::move(image));
}

}  // namespace caplift::platform::qt
