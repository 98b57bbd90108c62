// The home page (page 0 of the top-level window): every connected mouse and
// receiver of the catalogue's family as a paged grid of device buttons, three
// to a page. The library's hot-plug callback HomeUsbChanged finds and
// identifies the devices and rebuilds the grid; a click on a device opens the
// device window, or for a receiver that cannot reach its mouse leads to the
// firmware repair or to the pairing dialog.
#ifndef DIALOG_CHANGE_H
#define DIALOG_CHANGE_H

#include "device_all_info.h"

#include <QList>
#include <QString>
#include <QVector>
#include <QWidget>

#include <memory>
#include <optional>

class DialogChange;
class QLabel;
class mytoolButtonEnter;

namespace Ui {
class DialogChange;
}

// The one home page; the hot-plug callback reaches it through this.
extern DialogChange* g_dialogChange;
// Set before a pairing dialog opens so that it pairs g_repairTarget instead
// of the first listed device; the top-level window's own pairing clears it.
extern bool g_pairRepairTarget;
// The home page's text "MouseIsNewTips", shown by the top-level window.
extern QString g_mouseIsNewTipsText;

// The grid's widgets, index i belonging to entry i of g_homeDeviceList (the
// badges only exist for receivers, so their indexes do not follow the list).
// The widgets belong to their grid page.
extern QList<mytoolButtonEnter*> g_deviceButtons;
extern QList<QLabel*> g_offlineMarkers;
extern QList<QLabel*> g_onlineMarkers;
extern QList<QLabel*> g_rateBadges;

// The home page's hot-plug callback (user-interface thread): finds the
// devices again and rebuilds the grid. A call that arrives while a rebuild
// is still running (a modal notice of the rebuild runs its own event loop)
// is deferred until that rebuild has finished.
void HomeUsbChanged();

// Finds the devices of each product id (at most 5 per id), identifies them
// and appends the listed ones to g_homeDeviceList and g_foundDeviceList.
void EnumerateHomeDevices(const QString& vid, const QVector<QString>& pids);

// Identifies the device at entry.path against the catalogue (at most 10
// identity queries). True when the device is to be listed; a device that
// gives no identity or matches no model is listed as unrecognised
// (modelIndex = Option/DeviceTotal) unless the catalogue is empty.
bool IdentifyHomeDevice(DeviceAllInfo& entry);

// Refreshes the online state and receiver address of home-list entry
// `index`, in both lists (the found list by path: the grid may have thinned
// the home list). True when the address is not all zero.
bool RefreshDeviceOnline(int index);

// The firmware a receiver's repair can offer: a mouse image for the model's
// stored mouse version, and a receiver image for the entry's version (the
// 1K receiver is searched even without a model name, the others need one;
// cable connections have none). Nothing is searched, and nothing returned,
// when no mouse version is stored: the mouse can only be paired.
struct RepairImages {
    bool mouse = false;
    bool receiver = false;
};
std::optional<RepairImages> FindRepairImages(const DeviceAllInfo& entry);

class DialogChange : public QWidget {
    Q_OBJECT
public:
    explicit DialogChange(QWidget* parent = nullptr);
    ~DialogChange() override;

    // Rebuilds the grid from g_homeDeviceList.
    void BuildDeviceGrid();
    // Queries device `index` of the grid again and shows its state; indexes
    // outside the current grid are ignored. Called when the pointer enters
    // a device button.
    bool RefreshDeviceButton(int index);
    // Shows whether a firmware repair is pending (the repair button and the
    // text of label_2).
    void ShowRepairState(bool pending);

public slots:
    void WindowClosedA();
    void WindowMinA();
    void on_MinButton_clicked();
    void on_CloseButton_clicked();
    void on_RightButton_clicked();
    void on_LeftButton_clicked();
    void on_Repair_clicked();
    void on_comboBox_activated(int index);
    void SlotSameLanguageA(int index);
    void SlotUpDateButton(bool IsHide);
    void SlotEnterKey();
    void slotButtonClicked();
    void ChangeDialogLanguage(int index);
    void on_CloseButton_2_clicked();
    void on_NewHong_clicked();
    void on_NoApear_clicked(bool checked);

protected:
    void changeEvent(QEvent* event) override;

private:
    void ApplyStyleSheets();
    void ShowNoGrid();
    QString OfflineTips() const;
    // The repair route of a receiver whose mouse cannot be reached.
    void RunRepairRoute(const DeviceAllInfo& entry);
    void RunPairing(const DeviceAllInfo& entry);

    std::unique_ptr<Ui::DialogChange> ui;
    QString m_pictureFolder;
    QString m_warningFolder;
    QString m_label2Text;
    QString m_repairDeviceText;
    QString m_offlineTips1;
    QString m_offlineTips2;
};

#endif // DIALOG_CHANGE_H
