// The demo application: the designer hosted in a window that connects to MySQL or MariaDB.

#include "demo/main_window.h"

#include "designer/vn_message_box.h"

#include <QApplication>

#include <exception>

namespace {

// Qt lets no exception cross its event loop: an error that reaches this far is shown in a
// message box, as a desktop user expects, and the program goes on.
class TDemoApplication : public QApplication {
public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
      vantor::VnMessageBox(activeWindow(), QMessageBox::Critical, applicationName(),
                           QString::fromUtf8(error.what()), QMessageBox::Ok);
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  TDemoApplication application(argc, argv);
  TfmMain window;
  window.show();
  return application.exec();
}
