#pragma once

#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <set>

#include "support/MainWindowFixture.h"

namespace qx9::test {

// The configuration block of the emulated mouse that holds `config`.
inline emu::Block BlockOf(const DeviceConfig& config) {
    emu::Block block = emu::FactoryBlock();
    const ConfigImage image = PackedImage(config);
    std::copy(image.begin(), image.begin() + 0x70, block.begin());
    return block;
}

inline DeviceConfig Defaults() {
    DeviceConfig config;
    ResetConfigDefaults(config);
    return config;
}

// A settings page of the loaded main window, driven through its widgets.
class PageFixture : public MainWindowFixture {
  protected:
    // The mouse holding `config`, on its cable or through the dongle, loaded
    // into the window, with the page of tab `tab` in front.
    void StartWith(const DeviceConfig& config, emu::Endpoint endpoint = emu::Endpoint::Cable,
                   int tab = 0) {
        emulator.SetConfigBlock(BlockOf(config));
        if (endpoint == emu::Endpoint::Cable) {
            PlugMouseOnCable();
        } else {
            PlugDongle();
        }
        ASSERT_TRUE(Start());
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ClickTab(tab);
        ASSERT_EQ(Tabs()->currentIndex(), tab);
        emulator.ClearTrace();
    }

    // Replaces the field's text as a user does: focus, select all, type.
    void Type(QLineEdit* field, const QString& text) {
        field->setFocus(Qt::MouseFocusReason);
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    void Empty(QLineEdit* field) {
        field->setFocus(Qt::MouseFocusReason);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
    }
    void Choose(QComboBox* combo, int index) {
        combo->setFocus(Qt::MouseFocusReason);
        combo->setCurrentIndex(index);
        emit combo->activated(index);  // the popup's choice, as the user makes it
    }
    // Moves the slider as the keyboard does, one step at a time to `position`.
    void MoveSlider(QSlider* slider, int position) {
        slider->setFocus(Qt::MouseFocusReason);
        slider->setSliderPosition(position);
    }
    // A left click on a free spot of the page, away from its controls.
    void ClickBackground(QWidget* page) {
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(page->width() - 2, page->height() - 2));
    }
    bool ApplyEnabled() const { return Find<QPushButton>("applyButton")->isEnabled(); }
    int Sends(std::uint8_t command) const {
        int sends = 0;
        for (const auto& entry : emulator.Trace()) {
            sends += entry.direction == emu::Direction::Send && entry.bytes[1] == command;
        }
        return sends;
    }

    // Every control of the page that carries a template id also tells a
    // screen reader its role and its name; returns the ids found.
    static std::set<int> NamedControlIds(QWidget* page) {
        std::set<int> ids;
        for (QWidget* control : page->findChildren<QWidget*>()) {
            const QVariant id = control->property("templateId");
            if (!id.isValid() || control->objectName().startsWith("qt_")) {
                continue;
            }
            ids.insert(id.toInt());
            const std::string name = control->objectName().toStdString();
            EXPECT_FALSE(control->accessibleDescription().isEmpty()) << name;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            EXPECT_NE(accessible, nullptr) << name;
            if (accessible) {
                EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty())
                    << name << " has no accessible name";
            }
        }
        return ids;
    }
};

}  // namespace qx9::test
