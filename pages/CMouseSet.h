#pragma once

#include <QMenu>
#include <array>
#include <cstddef>

#include "ButtonActions.h"
#include "ConfigStore.h"
#include "Notifier.h"
#include "SettingsPage.h"
#include "ui_CMouseSet.h"

class QLabel;
class QPushButton;

namespace qx9 {

// The Button Mapping page: an action for each button and the wheel, and
// left-handed mode. Every choice lands in EditConfig at once.
class CMouseSet : public SettingsPage {
    Q_OBJECT
  public:
    CMouseSet(ConfigStore& store, Notifier& notifier, QWidget* parent = nullptr);

    void LoadFromConfig();
    void SetControlsEnabled(bool enabled);

    bool PreviewKey(const QKeyEvent& event) override;

  signals:
    // EditConfig changed; the window re-evaluates APPLY.
    void EditConfigChanged();

  private:
    struct Row {
        QLabel* label;
        QPushButton* button;
    };

    void BuildMenu();
    void ShowFirstRowLabel(bool leftHanded);
    void OnRowButtonClicked(std::size_t row);
    void OnEntryChosen(buttons::Entry entry);
    void ChooseKeyboardKey();
    void ChooseFixedCpi();
    void AssignToOpenRow(const buttons::SlotAction& action, const QString& caption);
    void OnLeftHandedClicked(bool checked);

    Ui::CMouseSet ui_;
    ConfigStore& store_;
    Notifier& notifier_;
    std::array<Row, 6> rows_{};
    QMenu* menu_ = nullptr;
    QMenu* cpiMenu_ = nullptr;
    QAction* fixedCpiAction_ = nullptr;
    // The row whose menu was opened last, and the slot it edited then.
    std::size_t openRow_ = 0;
    std::size_t openSlot_ = slot::Right;
};

}  // namespace qx9
