#include "app/up_down.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>
#include <algorithm>

namespace app {

TUpDown::TUpDown(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* button : {up_, down_}) {
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
  }
  connect(up_, &QToolButton::clicked, this, [this] { Click(+1); });
  connect(down_, &QToolButton::clicked, this, [this] { Click(-1); });
}

void TUpDown::SetAssociate(QLineEdit* box) {
  box_ = box;
  box_->installEventFilter(this);
  // While the box is edited it keeps what was typed; once editing ends it
  // shows the value in use, so that no value is shown that is not used.
  connect(box_, &QLineEdit::editingFinished, this, [this] {
    const int position = Position();
    if (box_->text() != FormatNumber(position)) SetPosition(position);
  });
}

void TUpDown::SetRange(int min, int max) {
  min_ = min;
  max_ = max;
  position_ = std::clamp(position_, min_, max_);
}

int TUpDown::Position() {
  if (box_) {
    const std::optional<int> typed = ParseNumber(box_->text());
    if (typed && *typed >= min_ && *typed <= max_) position_ = *typed;
  }
  return position_;
}

void TUpDown::SetPosition(int value) {
  position_ = std::clamp(value, min_, max_);
  if (box_) box_->setText(FormatNumber(position_));
}

void TUpDown::Click(int direction) {
  const int current = Position();
  const int next = std::clamp(current + direction * increment_, min_, max_);
  if (next != current) SetPosition(next);
}

QString TUpDown::FormatNumber(int value) {
  QLocale locale;
  locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
  return locale.toString(value);
}

std::optional<int> TUpDown::ParseNumber(const QString& text) {
  QString digits = text.trimmed();
  digits.remove(QLocale().groupSeparator());
  if (digits.isEmpty()) return std::nullopt;
  bool ok = false;
  const int value = digits.toInt(&ok, 10);
  if (!ok) return std::nullopt;
  return value;
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
  if (watched == box_ && event->type() == QEvent::KeyPress && isEnabled()) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      Click(key == Qt::Key_Up ? +1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TUpDown::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace app
