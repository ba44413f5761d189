#include "app/radio_group.h"

#include <QRadioButton>

namespace app {
namespace {
constexpr int kCaptionHeight = 16;  // room for the box's caption above the items
constexpr int kInset = 8;
}  // namespace

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent) {
  for (const QString& item : items) buttons_.push_back(new QRadioButton(item, this));
}

int TRadioGroup::ItemIndex() const {
  for (size_t i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i]->isChecked()) return static_cast<int>(i);
  }
  return -1;
}

void TRadioGroup::SetItemIndex(int index) {
  if (index >= 0 && index < Count()) {
    Button(index)->setChecked(true);
    return;
  }
  for (QRadioButton* button : buttons_) {  // none chosen: lift the exclusivity for a moment
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
  }
}

void TRadioGroup::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  if (buttons_.empty()) return;
  const int rowHeight = (height() - kCaptionHeight - kInset) / Count();
  for (int i = 0; i < Count(); ++i) {
    Button(i)->setGeometry(kInset, kCaptionHeight + i * rowHeight, width() - 2 * kInset, rowHeight);
  }
}

}  // namespace app
