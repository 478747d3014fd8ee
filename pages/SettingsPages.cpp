#include "CMouseSet.h"
#include "CPower.h"
#include "CSupportDlg.h"

namespace qx9 {

CSupportDlg::CSupportDlg(QWidget* parent) : SettingsPage(parent) {
    ui_.setupUi(this);
}

CMouseSet::CMouseSet(QWidget* parent) : SettingsPage(parent) {
    ui_.setupUi(this);
}

CPower::CPower(QWidget* parent) : SettingsPage(parent) {
    ui_.setupUi(this);
}

}  // namespace qx9
