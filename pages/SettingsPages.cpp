#include "CMouseSet.h"
#include "CPower.h"
#include "CSensorDlg.h"
#include "CSupportDlg.h"

namespace qx9 {

CSensorDlg::CSensorDlg(QWidget* parent) : QWidget(parent) {
    ui_.setupUi(this);
}

CSupportDlg::CSupportDlg(QWidget* parent) : QWidget(parent) {
    ui_.setupUi(this);
}

CMouseSet::CMouseSet(QWidget* parent) : QWidget(parent) {
    ui_.setupUi(this);
}

CPower::CPower(QWidget* parent) : QWidget(parent) {
    ui_.setupUi(this);
}

}  // namespace qx9
