#pragma once
#include <QGroupBox>
#include <QStringList>
#include <vector>

class QRadioButton;

namespace app {

// A captioned box of radio buttons, one per item, stacked evenly; exactly one
// item (or none, -1) is chosen.
class TRadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent);

  int ItemIndex() const;
  void SetItemIndex(int index);
  QRadioButton* Button(int index) const { return buttons_.at(static_cast<size_t>(index)); }
  int Count() const { return static_cast<int>(buttons_.size()); }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::vector<QRadioButton*> buttons_;
};

}  // namespace app
