#include "app/status_bar.h"

#include <QLabel>

namespace app {
namespace {
struct TPanelLayout {
  int width;
  Qt::Alignment alignment;
};
constexpr TPanelLayout kPanels[TStatusBar::kPanelCount] = {
    {150, Qt::AlignLeft}, {150, Qt::AlignLeft}, {100, Qt::AlignHCenter}, {50, Qt::AlignLeft}};
}  // namespace

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent) {
  int left = 0;
  for (int i = 0; i < kPanelCount; ++i) {
    panels_[i] = new QLabel(this);
    panels_[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
    panels_[i]->setAlignment(kPanels[i].alignment | Qt::AlignVCenter);
    panels_[i]->setGeometry(left, 0, kPanels[i].width, 0);
    left += kPanels[i].width;
  }
}

QString TStatusBar::PanelText(int panel) const { return panels_.at(static_cast<size_t>(panel))->text(); }

void TStatusBar::SetPanelText(int panel, const QString& text) { panels_.at(static_cast<size_t>(panel))->setText(text); }

}  // namespace app
