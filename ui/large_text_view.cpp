#include "ui/large_text_view.h"

#include <algorithm>
#include <cstring>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>

namespace caplift {

namespace {

constexpr int kMargin = 4;

}  // namespace

LargeTextView::LargeTextView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setBackgroundRole(QPalette::Base);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  indexLines();
}

void LargeTextView::setText(std::shared_ptr<const std::string> utf8) {
  text_ = std::move(utf8);
  anchor_ = cursor_ = {};
  indexLines();
  verticalScrollBar()->setValue(0);
  viewport()->update();
}

void LargeTextView::setPlaceholderText(const QString& placeholder) {
  placeholder_ = placeholder;
  viewport()->update();
}

void LargeTextView::indexLines() {
  lineStarts_.assign(1, 0);
  const char* data = text_->data();
  const char* end = data + text_->size();
  for (const char* at = data; (at = static_cast<const char*>(std::memchr(at, '\n', end - at)));) {
    ++at;
    lineStarts_.push_back(std::size_t(at - data));
  }
  // Text that ends with a line feed has no further line after it.
  if (lineStarts_.size() > 1 && lineStarts_.back() == text_->size()) lineStarts_.pop_back();
  updateScrollBars();
}

QString LargeTextView::lineText(std::size_t line) const {
  if (line >= lineStarts_.size()) return {};
  const std::size_t start = lineStarts_[line];
  std::size_t end = line + 1 < lineStarts_.size() ? lineStarts_[line + 1] - 1 : text_->size();
  if (end > start && (*text_)[end - 1] == '\r') --end;
  return QString::fromUtf8(text_->data() + start, qsizetype(end - start));
}

int LargeTextView::lineHeight() const {
  return std::max(1, fontMetrics().lineSpacing());
}

void LargeTextView::updateScrollBars() {
  // The last position shows the last lines filling the view; only those few are laid out.
  const double height = viewport()->height();
  std::size_t first = lineStarts_.size();
  double used = 0;
  while (first > 0) {
    QTextLayout layout(lineText(first - 1));
    used += layOut(layout);
    if (used > height) break;
    --first;
  }
  QScrollBar* vertical = verticalScrollBar();
  vertical->setRange(0, int(std::min(first, lineStarts_.size() - 1)));
  vertical->setPageStep(std::max(1, viewport()->height() / lineHeight()));
  vertical->setSingleStep(1);
}

double LargeTextView::layOut(QTextLayout& layout) const {
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.setFont(font());
  const double width = std::max(10, viewport()->width() - 2 * kMargin);
  double height = 0;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    line.setPosition(QPointF(0, height));
    height += line.height();
  }
  layout.endLayout();
  return std::max(height, double(lineHeight()));
}

void LargeTextView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  if (text_->empty()) {
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(viewport()->rect().adjusted(kMargin, kMargin, -kMargin, -kMargin),
                     Qt::AlignCenter | Qt::TextWordWrap, placeholder_);
    return;
  }
  painter.setPen(palette().color(QPalette::Text));
  const Position from = std::min(anchor_, cursor_);
  const Position to = std::max(anchor_, cursor_);
  QTextCharFormat selected;
  selected.setBackground(palette().brush(QPalette::Highlight));
  selected.setForeground(palette().brush(QPalette::HighlightedText));

  double y = 0;
  std::size_t line = std::size_t(verticalScrollBar()->value());
  for (; y < viewport()->height() && line < lineStarts_.size(); ++line) {
    QTextLayout layout(lineText(line));
    const double height = layOut(layout);
    QList<QTextLayout::FormatRange> selections;
    if (hasSelection() && line >= from.line && line <= to.line) {
      const int start = line == from.line ? from.column : 0;
      const int end = line == to.line ? to.column : int(layout.text().size());
      QTextCharFormat format = selected;
      // A selection that runs on past this line shows its line break too.
      if (line != to.line) format.setProperty(QTextFormat::FullWidthSelection, true);
      selections.append({start, end - start, format});
    }
    layout.draw(&painter, QPointF(kMargin, y), selections);
    y += height;
  }
}

LargeTextView::Position LargeTextView::positionAt(const QPoint& point) const {
  if (lineStarts_.empty()) return {};
  std::size_t line = std::size_t(verticalScrollBar()->value());
  if (point.y() < 0) return {line, 0};
  double top = 0;
  for (; line < lineStarts_.size(); ++line) {
    QTextLayout layout(lineText(line));
    const double height = layOut(layout);
    if (point.y() < top + height || line + 1 == lineStarts_.size()) {
      for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine row = layout.lineAt(i);
        if (point.y() < top + row.y() + row.height() || i + 1 == layout.lineCount()) {
          return {line, row.xToCursor(point.x() - kMargin)};
        }
      }
      return {line, 0};
    }
    top += height;
  }
  return endOfText();
}

LargeTextView::Position LargeTextView::endOfText() const {
  const std::size_t last = lineStarts_.empty() ? 0 : lineStarts_.size() - 1;
  return {last, int(lineText(last).size())};
}

void LargeTextView::select(Position from, Position to) {
  anchor_ = from;
  cursor_ = to;
  viewport()->update();
}

void LargeTextView::selectAll() {
  select({}, endOfText());
}

QString LargeTextView::selectedText() const {
  if (!hasSelection()) return {};
  const Position from = std::min(anchor_, cursor_);
  const Position to = std::max(anchor_, cursor_);
  if (from.line == to.line) return lineText(from.line).mid(from.column, to.column - from.column);
  QString result = lineText(from.line).mid(from.column);
  result += '\n';
  // The whole lines in between come straight from the UTF-8 text, line feeds included.
  const std::size_t middleStart = lineStarts_[from.line + 1];
  const std::size_t middleEnd = lineStarts_[to.line];
  result += QString::fromUtf8(text_->data() + middleStart, qsizetype(middleEnd - middleStart));
  result += lineText(to.line).left(to.column);
  return result;
}

void LargeTextView::copy() const {
  if (hasSelection()) QApplication::clipboard()->setText(selectedText());
}

void LargeTextView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
}

void LargeTextView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    updateScrollBars();
    viewport()->update();
  }
}

void LargeTextView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const Position at = positionAt(event->position().toPoint());
  if (!(event->modifiers() & Qt::ShiftModifier)) anchor_ = at;
  cursor_ = at;
  selecting_ = true;
  viewport()->update();
}

void LargeTextView::mouseMoveEvent(QMouseEvent* event) {
  if (!selecting_) return;
  const QPoint point = event->position().toPoint();
  // Dragging past the top or bottom edge scrolls on.
  if (point.y() < 0) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
  if (point.y() > viewport()->height()) {
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  }
  cursor_ = positionAt(point);
  viewport()->update();
}

void LargeTextView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !selecting_) return;
  selecting_ = false;
  QClipboard* clipboard = QApplication::clipboard();
  if (hasSelection() && clipboard->supportsSelection()) {
    clipboard->setText(selectedText(), QClipboard::Selection);
  }
}

void LargeTextView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const Position at = positionAt(event->position().toPoint());
  select({at.line, 0}, {at.line, int(lineText(at.line).size())});
}

void LargeTextView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    copy();
  } else if (event->matches(QKeySequence::SelectAll)) {
    selectAll();
  } else if (event->matches(QKeySequence::MoveToStartOfDocument)) {
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
  } else if (event->matches(QKeySequence::MoveToEndOfDocument)) {
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
  } else {
    // Arrows and page keys scroll as they do in any read-only text.
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  event->accept();
}

void LargeTextView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu;
  // Qt's own wording, so that Qt's translations cover it; not ours to list (lupdate sees no
  // literal here).
  const auto qtText = [](const char* text) {
    return QCoreApplication::translate("QWidgetTextControl", text);
  };
  QAction* copyAction = menu.addAction(qtText("&Copy"), this, [this] { copy(); });
  copyAction->setEnabled(hasSelection());
  menu.addAction(qtText("Select All"), this, [this] { selectAll(); });
  menu.exec(event->globalPos());
}

}  // namespace caplift
