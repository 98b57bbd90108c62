// Services of the button page that no flow of the program uses: a device
// scan driven by the catalogue's product ids, and the reader of the per-key
// state files in the page's MainPage folder. Nothing here knows a widget.
#ifndef BUTTON_PAGE_SERVICES_H
#define BUTTON_PAGE_SERVICES_H

#include <QString>
#include <QVector>

// Probes the catalogue's vendor id with every configured product id.
void FindConfiguredDevices();

// Asks the device library for up to 5 devices per product id and builds each
// one's record (version, identity); the records are dropped: the scan changes
// no device list, flag or page.
void ProbeDevicesByIds(QString vid, QVector<QString> pids);

// What the first line of a per-key state file restores: the text of one menu
// item for the key button, and scroll positions of the menu lists.
struct MainPageState {
    QString itemName;           // object name of the item; "" keeps the key's text
    bool scrollsTopMenu = false; // scrollArea_4
    int topMenuScroll = 0;
    QString listName;           // a sub-menu list scrolled as well; "" none
    int listScroll = 0;
};

// Reads the state file at path: "v" names top-menu item v, "t,s" item s of
// sub-menu t. A missing file, an empty first line or three or more parts
// restore nothing.
MainPageState ReadMainPageState(const QString& path);

#endif // BUTTON_PAGE_SERVICES_H
