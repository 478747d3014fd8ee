#include "Notifier.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace qx9 {

void MessageBoxNotifier::Inform(const QString& text) {
    QMessageBox::information(nullptr, QCoreApplication::applicationName(), text);
}

}  // namespace qx9
