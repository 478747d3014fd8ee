#include "Notifier.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace qx9 {

void MessageBoxNotifier::Inform(const QString& text) {
    QMessageBox::information(Owner(), QCoreApplication::applicationName(), text);
}

}  // namespace qx9
