#pragma once

// The one seam through which the designer asks the user a question or shows a message.
// Tests (and hosts) replace the answerer: SetVnMessageBoxAnswerer([](auto&&...) { return
// QMessageBox::Yes; }).

#include <QMessageBox>
#include <QString>

#include <functional>

namespace vantor {

using TVnMessageBoxAnswerer =
    std::function<QMessageBox::StandardButton(QWidget* parent, QMessageBox::Icon icon,
                                              const QString& caption, const QString& text,
                                              QMessageBox::StandardButtons buttons)>;

// Shows the box (or asks the installed answerer) and returns the button chosen.
QMessageBox::StandardButton VnMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                         const QString& caption, const QString& text,
                                         QMessageBox::StandardButtons buttons);
// Installs an answerer; an empty one restores the real message box. Returns the old one.
TVnMessageBoxAnswerer SetVnMessageBoxAnswerer(TVnMessageBoxAnswerer answerer);

}  // namespace vantor
