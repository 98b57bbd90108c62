// The program's only top-level window: a frameless 1020 x 700 window whose
// stack shows the home page (device grid) or the device window. It hides to
// a tray icon, quits in an ordered way, shows the offline notice, and routes
// Space (pairing, firmware repair) and Enter from both pages.
#ifndef DIALOG_MAIN_H
#define DIALOG_MAIN_H

#include <QDialog>
#include <QPoint>
#include <QString>
#include <QSystemTrayIcon>

#include <memory>

class Dialog;
class DialogChange;
class QAction;
class QMenu;

namespace Ui {
class DialogMain;
}

class DialogMain : public QDialog {
    Q_OBJECT
public:
    explicit DialogMain(QWidget* parent = nullptr);
    ~DialogMain() override;

    DialogChange* HomePage() const { return m_homePage; }
    Dialog* DeviceWindow() const { return m_deviceWindow; }
    QSystemTrayIcon* TrayIcon() const { return m_trayIcon.get(); }
    QMenu* TrayMenu() const { return m_trayMenu; }
    // The notice text for a world file that cannot be used, %1 standing for
    // what the library says of it.
    QString WorldFileErrorText() const { return m_worldFileErrorText; }

    // Whether the desktop shows tray icons (QSystemTrayIcon's own answer);
    // replaceable so that the tray's paths also run where there is none.
    static bool (*TrayAvailable)();

    // The tray: Context opens the menu at the cursor unless it is open,
    // DoubleClick and Trigger show the window again (only Trigger tells the
    // library that the driver is back). What they do runs from the event
    // loop, after the icon's own event.
    void on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason reason);
    // Closes the window; nothing in the form triggers it.
    void on_pushButton_clicked();

public slots:
    void SlotChangeLanguage(int index);
    void SlotChangeMainDialog(int index);
    void SlotChangeSize(int index);
    void SlotMouseOffLine(int index);
    void SlotUpPageLight();
    void slotActionMain();
    void slotActionExitApp();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void HideToTray();
    void Minimise(bool fromDeviceWindow);
    void RestoreFromTray(bool tellDriver);
    void Quit();
    void SpaceOnHomePage();
    void RunPairing();

    QMenu* m_trayMenu = nullptr;
    std::unique_ptr<QSystemTrayIcon> m_trayIcon;
    QAction* m_mainAction = nullptr;
    QAction* m_exitAction = nullptr;
    std::unique_ptr<Ui::DialogMain> ui;
    QPoint m_dragOffset;
    QPoint m_pressPos;
    QPoint m_windowPos;
    DialogChange* m_homePage = nullptr;
    QString m_imageFolder;
    Dialog* m_deviceWindow = nullptr;
    QString m_mainFormText;
    QString m_exitText;
    QString m_worldFileErrorText;
    bool m_trayConnected = false;
};

#endif // DIALOG_MAIN_H
