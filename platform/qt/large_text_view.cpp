#include "platform/qt/large_text_view.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>

namespace caplift::platform::qt {

namespace {

constexpr int kMargin = 4;

}  // namespace

LargeTextView::LargeTextView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setBackgroundRole(QPalette::Base);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  indexLines();
}

void LargeTextView::setText(std::string utf8) {
  text_ = std::move(utf8);
  anchor_ = cursor_ = {};
  indexLines();
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  viewport()->update();
}

void LargeTextView::indexLines() {
  lineStarts_.assign(1, 0);
  widestLineColumns_ = 0;
  std::size_t columns = 0;
  for (std::size_t i = 0; i < text_.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text_[i]);
    if (byte == '\n') {
      lineStarts_.push_back(i + 1);
      widestLineColumns_ = std::max(widestLineColumns_, columns);
      columns = 0;
    } else if ((byte & 0xC0) != 0x80) {
      // A character starts here; three- and four-byte ones are mostly full-width.
      columns += byte >= 0xE0 ? 2 : 1;
    }
  }
  widestLineColumns_ = std::max(widestLineColumns_, columns);
  // Text that ends with a line feed has no further line after it.
  if (lineStarts_.size() > 1 && lineStarts_.back() == text_.size()) lineStarts_.pop_back();
  updateScrollBars();
}

QString LargeTextView::lineText(std::size_t line) const {
  if (line >= lineStarts_.size()) return {};
  const std::size_t start = lineStarts_[line];
  std::size_t end = line + 1 < lineStarts_.size() ? lineStarts_[line + 1] - 1 : text_.size();
  if (end > start && text_[end - 1] == '\r') --end;
  return QString::fromUtf8(text_.data() + start, qsizetype(end - start));
}

int LargeTextView::lineHeight() const {
  return std::max(1, fontMetrics().lineSpacing());
}

void LargeTextView::updateScrollBars() {
  const int visibleLines = std::max(1, viewport()->height() / lineHeight());
  QScrollBar* vertical = verticalScrollBar();
  vertical->setRange(0, std::max(0, int(lineStarts_.size()) - visibleLines));
  vertical->setPageStep(visibleLines);
  vertical->setSingleStep(1);
  const double columnWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
  const int contentWidth = int(double(widestLineColumns_) * columnWidth) + 2 * kMargin;
  QScrollBar* horizontal = horizontalScrollBar();
  horizontal->setRange(0, std::max(0, contentWidth - viewport()->width()));
  horizontal->setPageStep(viewport()->width());
  horizontal->setSingleStep(int(columnWidth) * 2);
}

void LargeTextView::layOut(QTextLayout& layout) const {
  layout.setFont(font());
  layout.beginLayout();
  QTextLine line = layout.createLine();
  if (line.isValid()) line.setLineWidth(1e7);
  layout.endLayout();
}

void LargeTextView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.setPen(palette().color(QPalette::Text));
  const Position from = std::min(anchor_, cursor_);
  const Position to = std::max(anchor_, cursor_);
  QTextCharFormat selected;
  selected.setBackground(palette().brush(QPalette::Highlight));
  selected.setForeground(palette().brush(QPalette::HighlightedText));

  const int height = lineHeight();
  const double x = kMargin - horizontalScrollBar()->value();
  std::size_t line = std::size_t(verticalScrollBar()->value());
  for (int y = 0; y < viewport()->height() && line < lineStarts_.size(); y += height, ++line) {
    QTextLayout layout(lineText(line));
    layOut(layout);
    QList<QTextLayout::FormatRange> selections;
    if (hasSelection() && line >= from.line && line <= to.line) {
      const int start = line == from.line ? from.column : 0;
      const int end = line == to.line ? to.column : int(layout.text().size());
      QTextCharFormat format = selected;
      // A selection that runs on past this line shows its line break too.
      if (line != to.line) format.setProperty(QTextFormat::FullWidthSelection, true);
      selections.append({start, end - start, format});
    }
    layout.draw(&painter, QPointF(x, y), selections);
  }
}

LargeTextView::Position LargeTextView::positionAt(const QPoint& point) const {
  if (lineStarts_.empty()) return {};
  const long row = point.y() < 0 ? -1 : point.y() / lineHeight();
  const long line =
      std::clamp<long>(verticalScrollBar()->value() + row, 0, long(lineStarts_.size()) - 1);
  QTextLayout layout(lineText(std::size_t(line)));
  layOut(layout);
  const double x = point.x() - kMargin + horizontalScrollBar()->value();
  return {std::size_t(line), layout.lineAt(0).xToCursor(x)};
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
  result += QString::fromUtf8(text_.data() + middleStart, qsizetype(middleEnd - middleStart));
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
  // Qt's own wording, so that Qt's translations cover it.
  QAction* copyAction = menu.addAction(QCoreApplication::translate("QWidgetTextControl", "&Copy"),
                                       this, [this] { copy(); });
  copyAction->setEnabled(hasSelection());
  menu.addAction(QCoreApplication::translate("QWidgetTextControl", "Select All"), this,
                 [this] { selectAll(); });
  menu.exec(event->globalPos());
}

}  // namespace caplift::platform::qt
