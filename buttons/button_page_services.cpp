#include "button_page_services.h"

#include "config_store.h"
#include "device_all_info.h"
#include "device_finder.h"

#include <devicelib.h>

#include <QFile>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <limits>

namespace {

const int kScrollStep = 15; // list pixels per item

// The scroll position of item `item`, held within int: the file may name any
// number.
int ScrollOf(int item)
{
    const qint64 position = qint64(item) * kScrollStep;
    return int(std::clamp<qint64>(position, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

const char* const kTopMenuItems[] = {"LeftKey_3", "RightKey_3", "MidKey", "BackKey_2", "ForWardKey",
                                     "DPI_2",     "DPI_3",      "DPI_6",  "DPI_8",     "DPI_5"};

struct SubMenu {
    int number;
    QVector<const char*> items;
    const char* list; // the list that scrolls to the item, nullptr none
};

const QVector<SubMenu>& SubMenus()
{
    static const QVector<SubMenu> menus = {
        {10, {"VolumeUp_2", "VolumeDown_2"}, nullptr},
        {12, {"VolumeUp_4", "VolumeUp_5", "VolumeUp_6", "VolumeUp_7"}, nullptr},
        {13, {"VolumeUp_8", "VolumeUp_9", "VolumeUp_10"}, nullptr},
        {14,
         {"Player", "StartPause_2", "BackMusic_2", "TopMusic_2", "Mute", "VolumeUp", "VolumeDown", "VolumeDown_4",
          "VolumeDown_5", "VolumeDown_6", "VolumeDown_3", "VolumeDown_8", "VolumeDown_9", "VolumeDown_7",
          "VolumeDown_10", "VolumeDown_12", "VolumeDown_13", "VolumeDown_11"},
         "scrollArea_3"},
        {15,
         {"VolumeUp_11", "VolumeUp_12", "VolumeUp_13", "VolumeUp_16", "VolumeUp_15", "VolumeUp_19", "VolumeUp_20",
          "VolumeUp_22", "VolumeUp_18", "VolumeUp_24", "VolumeUp_23", "VolumeUp_21"},
         "scrollArea_10"},
    };
    return menus;
}

} // namespace

void FindConfiguredDevices()
{
    ConfigStore* config = ConfigStore::Instance();
    const QString option = QStringLiteral("Option");
    const QString vid = config->Value(option, QStringLiteral("VID"));
    // Read as the scan always has; the numbers are not applied.
    (void)config->IntValue(option, QStringLiteral("InterfaceId"));
    (void)config->IntValue(option, QStringLiteral("DeviceId"));
    ProbeDevicesByIds(vid, ConfiguredProductIds().toVector());
}

void ProbeDevicesByIds(QString vid, QVector<QString> pids)
{
    const QByteArray vidBytes = vid.toLatin1();
    for (const QString& pid : pids) {
        int count = kFinderCapacity;
        const QByteArray pidBytes = pid.toLatin1();
        char** found = UsbFinderC_FindHidDevicesByDefaultDeviceId(vidBytes.constData(), pidBytes.constData(), &count);
        for (const QByteArray& path : CopyFoundPaths(found, count)) {
            DeviceAllInfo record = FoundDeviceRecord(path, vid, pid);
            const DeviceIdentity identity = UsbFinderC_GetDeviceInfo(path.constData());
            record.cid = identity.cid;
            record.mid = identity.mid;
            record.connectionType = identity.connectionType;
        }
    }
}

MainPageState ReadMainPageState(const QString& path)
{
    MainPageState state;
    QFile file(path);
    QString line;
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        line = QTextStream(&file).readLine();
    if (line.isEmpty())
        return state;

    const QStringList parts = line.split(QLatin1Char(','));
    if (parts.size() > 2)
        return state;
    const int first = parts.at(0).toInt();
    state.scrollsTopMenu = true;
    state.topMenuScroll = ScrollOf(first);

    if (parts.size() == 1) {
        if (first >= 0 && first < int(sizeof kTopMenuItems / sizeof *kTopMenuItems))
            state.itemName = QLatin1String(kTopMenuItems[first]);
        return state;
    }

    const int second = parts.at(1).toInt();
    for (const SubMenu& menu : SubMenus()) {
        if (menu.number != first)
            continue;
        if (second >= 0 && second < menu.items.size())
            state.itemName = QLatin1String(menu.items.at(second));
        if (menu.list) {
            state.listName = QLatin1String(menu.list);
            state.listScroll = ScrollOf(second);
        }
    }
    return state;
}
