#include "designer/vn_message_box.h"

#include <utility>

namespace vantor {
namespace {
TVnMessageBoxAnswerer& Answerer() {
  static TVnMessageBoxAnswerer answerer;
  return answerer;
}
}  // namespace

QMessageBox::StandardButton VnMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                         const QString& caption, const QString& text,
                                         QMessageBox::StandardButtons buttons) {
  if (Answerer())
    return Answerer()(parent, icon, caption, text, buttons);
  QMessageBox box(icon, caption, text, buttons, parent);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

TVnMessageBoxAnswerer SetVnMessageBoxAnswerer(TVnMessageBoxAnswerer answerer) {
  return std::exchange(Answerer(), std::move(answerer));
}

}  // namespace vantor
