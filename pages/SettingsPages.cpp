#include "CMouseSet.h"

namespace qx9 {

CMouseSet::CMouseSet(QWidget* parent) : SettingsPage(parent) {
    ui_.setupUi(this);
}

}  // namespace qx9
