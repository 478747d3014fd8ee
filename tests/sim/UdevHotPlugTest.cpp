#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QStringList>
#include <algorithm>

#include "DeviceContract.h"
#include "SimulatedDeviceTree.h"
#include "UdevHotPlugSource.h"

namespace qx9 {
namespace {

// How the window tells the devices apart: the ids anywhere but at the start.
bool Names(const QString& name, HexText productIdText) {
    const auto matches = [&](HexText text) {
        return name.indexOf(QString::fromLatin1(text.view().data(), 4)) > 0;
    };
    return matches(VendorIdText) && matches(productIdText);
}

class UdevHotPlugTest : public ::testing::Test {
  protected:
    // The names of the nodes that appeared since `before`.
    QStringList NewNodeNames(const std::vector<std::string>& before) const {
        QStringList names;
        for (const std::string& node : tree.Nodes()) {
            if (std::find(before.begin(), before.end(), node) == before.end()) {
                names << QString::fromStdString(tree.SyspathOf(node));
            }
        }
        return names;
    }
    static QStringList Received(QSignalSpy& spy, int count) {
        for (int i = 0; i < 50 && spy.count() < count; ++i) {
            spy.wait(100);
        }
        QStringList names;
        for (const QList<QVariant>& arguments : spy) {
            names << arguments.at(0).toString();
        }
        names.sort();
        return names;
    }

    VirtualClock clock;
    emu::Qx9Emulator emulator{clock};
    sim::SimulatedDeviceTree tree{emulator};
    UdevHotPlugSource source;
};

TEST_F(UdevHotPlugTest, ReportsEachNodeOfTheDongleArrivingAndLeavingByItsName) {
    ASSERT_TRUE(source.Start());
    QSignalSpy arrivals(&source, &HotPlugSource::DeviceArrived);
    QSignalSpy removals(&source, &HotPlugSource::DeviceRemoved);
    const std::vector<std::string> before = tree.Nodes();

    tree.PlugDongle(true);
    QStringList expected = NewNodeNames(before);
    expected.sort();
    ASSERT_GT(expected.size(), 1) << "the dongle shows several interfaces";
    EXPECT_EQ(Received(arrivals, static_cast<int>(expected.size())), expected);

    tree.PlugDongle(false);
    EXPECT_EQ(Received(removals, static_cast<int>(expected.size())), expected);

    for (const QString& name : expected) {
        EXPECT_TRUE(Names(name, DongleProductIdText)) << name.toStdString();
        EXPECT_FALSE(Names(name, WiredProductIdText)) << name.toStdString();
    }
}

TEST_F(UdevHotPlugTest, PullingTheCableReportsItsNodesOnlyAndNamesThemAsTheCable) {
    ASSERT_TRUE(source.Start());
    QSignalSpy arrivals(&source, &HotPlugSource::DeviceArrived);
    QSignalSpy removals(&source, &HotPlugSource::DeviceRemoved);
    std::vector<std::string> before = tree.Nodes();
    tree.PlugCable(true);
    QStringList cable = NewNodeNames(before);
    cable.sort();
    // As a running tool does, the events are read as they come.
    Received(arrivals, static_cast<int>(cable.size()));
    before = tree.Nodes();
    tree.PlugDongle(true);
    Received(arrivals, static_cast<int>(cable.size() + NewNodeNames(before).size()));

    tree.PlugCable(false);

    EXPECT_EQ(Received(removals, static_cast<int>(cable.size())), cable);
    for (const QString& name : cable) {
        EXPECT_TRUE(Names(name, WiredProductIdText)) << name.toStdString();
        EXPECT_FALSE(Names(name, DongleProductIdText)) << name.toStdString();
    }
}

}  // namespace
}  // namespace qx9
