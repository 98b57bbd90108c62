// The button page (stack page 0 of the device window): one key button per
// mouse button showing its function, the two-level function menu, the macro
// list, the profile selector, reset, import and export.
//
// The class's code is split by area:
//   buttoninterface.cpp           construction, page state, events, hub wiring
//   buttoninterface_keytexts.cpp  key texts from the device image, language
//   buttoninterface_menus.cpp     function menus and their items
//   buttoninterface_macros.cpp    macro list, binding, following the macro page
//   buttoninterface_profiles.cpp  profiles, reset, import/export, further services
//
// The page creates the program's one Worker (g_worker) and ends it when it
// goes, so the connection lives exactly as long as the page.
#ifndef BUTTONINTERFACE_H
#define BUTTONINTERFACE_H

#include "flash_data_map.h"
#include "key_function.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QDialog;
class QToolButton;
class QVBoxLayout;

namespace Ui {
class Buttoninterface;
}
namespace MouseProfile {
struct Target;
}

class Buttoninterface : public QWidget {
    Q_OBJECT
public:
    // Key buttons in the order the page visits them when it looks for the
    // selected key or handles all keys in turn: keys 0, 1, 2, 4, 3, 5.
    static constexpr int kKeyVisitOrder[6] = {0, 1, 2, 4, 3, 5};
    static constexpr int kKeyCount = 6;

    explicit Buttoninterface(QWidget* parent = nullptr);
    // Stops g_worker without hanging (a pass blocked in an emit to this page
    // is released first), then stops hot-plug reporting.
    ~Buttoninterface() override;

    // The key button of device key 0-5 (FireKey, RightKey, BackKey,
    // TopMusic, StartPause, BackMusic); nullptr outside 0-5.
    QToolButton* KeyButton(int key) const;
    // The device key whose key button is checked, -1 when none is.
    int SelectedKey() const;

    // Reads the page's define table from a driver_sensor.h file (appends).
    static void ReadDefineTable(const QString& path, QVector<QString>* names, QVector<int>* values);

protected:
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private slots:
    // --- hub (buttoninterface.cpp) ---------------------------------------
    void SlotMouseIndex(int index);
    void SlotFormResetButton();

    // --- hub: key texts and language (buttoninterface_keytexts.cpp) ---------
    void SlotUpDataButtonUIButton(FlashDataMap DataMap);
    void SlotUpDataButtonUIB(FlashDataMap DataMap);
    void SlotChangeLanguage(int index);

    // --- hub: profiles (buttoninterface_profiles.cpp) ------------------------
    void SlotUpDataConfigUI(int ToTalItem, int SelectIndex, bool ItemEnable);

    // --- hub: macros (buttoninterface_macros.cpp) -----------------------------
    void SlotAddMacroButton();
    void SlotDeleteMacroButton(QString MacroName);
    void SlotUpDataMacro(QString MacroName, int index);
    void SlotMacroRename(QString MacroName, QString NewName);
    void slotButtonClicked(bool checked);

    // --- key buttons and markers (buttoninterface_menus.cpp) -----------------
    void on_FireKey_clicked();
    void on_RightKey_clicked();
    void on_BackKey_clicked();
    void on_TopMusic_clicked();
    void on_StartPause_clicked();
    void on_BackMusic_clicked();
    void on_Number1_clicked();
    void on_Number2_clicked();
    void on_Number3_clicked();
    void on_Number4_clicked();
    void on_Number5_clicked();
    void on_Number6_clicked();

    // --- top-menu items (buttoninterface_menus.cpp) ---------------------------
    void on_LeftKey_3_clicked(bool checked);
    void on_RightKey_3_clicked(bool checked);
    void on_MidKey_clicked(bool checked);
    void on_BackKey_2_clicked(bool checked);
    void on_ForWardKey_clicked(bool checked);
    void on_DPI_2_clicked(bool checked);
    void on_DPI_3_clicked(bool checked);
    void on_DPI_5_clicked(bool checked);
    void on_DPI_13_clicked();
    void on_DPI_11_clicked();
    // Both run on one click, in this order.
    void on_DPI_4_clicked();
    void on_DPI_4_clicked(bool checked);
    void on_DPI_9_clicked();
    void on_DPI_7_clicked();
    void on_DPI_12_clicked();
    void on_DPI_10_clicked();
    // Both run on one press or double-click, in this order.
    void on_DPI_6_clicked(bool checked);
    void on_DPI_6_clicked();
    void on_DPI_8_clicked();

    // --- multimedia items (buttoninterface_menus.cpp) --------------------------
    void on_Player_clicked(bool checked);
    void on_StartPause_2_clicked(bool checked);
    void on_BackMusic_2_clicked(bool checked);
    void on_TopMusic_2_clicked(bool checked);
    void on_Mute_clicked(bool checked);
    void on_VolumeUp_clicked(bool checked);
    void on_VolumeDown_clicked(bool checked);
    void on_VolumeDown_4_clicked(bool checked);
    void on_VolumeDown_5_clicked(bool checked);
    void on_VolumeDown_6_clicked(bool checked);
    void on_VolumeDown_3_clicked(bool checked);
    void on_VolumeDown_8_clicked(bool checked);
    void on_VolumeDown_9_clicked(bool checked);
    void on_VolumeDown_7_clicked(bool checked);
    void on_VolumeDown_10_clicked(bool checked);
    void on_VolumeDown_12_clicked(bool checked);
    void on_VolumeDown_13_clicked(bool checked);
    void on_VolumeDown_11_clicked(bool checked);

    // --- sub-menu items (buttoninterface_menus.cpp) -----------------------------
    void on_VolumeUp_4_clicked(bool checked);
    void on_VolumeUp_5_clicked(bool checked);
    void on_VolumeUp_6_clicked(bool checked);
    void on_VolumeUp_7_clicked(bool checked);
    void on_VolumeUp_11_clicked(bool checked);
    void on_VolumeUp_12_clicked(bool checked);
    void on_VolumeUp_13_clicked(bool checked);
    void on_VolumeUp_16_clicked(bool checked);
    void on_VolumeUp_15_clicked(bool checked);
    void on_VolumeUp_19_clicked(bool checked);
    void on_VolumeUp_20_clicked(bool checked);
    void on_VolumeUp_22_clicked(bool checked);
    void on_VolumeUp_18_clicked(bool checked);
    void on_VolumeUp_24_clicked(bool checked);
    void on_VolumeUp_23_clicked(bool checked);
    void on_VolumeUp_21_clicked(bool checked);
    void on_VolumeUp_2_clicked(bool checked);
    void on_VolumeDown_2_clicked(bool checked);
    void on_VolumeUp_8_clicked(bool checked);
    void on_VolumeUp_9_clicked(bool checked);
    void on_VolumeUp_10_clicked(bool checked);
    void on_VolumeUp_14_clicked(bool checked);
    void on_VolumeDown_14_clicked(bool checked);

    // --- stacks (buttoninterface.cpp) ---------------------------------------------
    void on_stackedWidget_currentChanged(int index);
    void on_stackedWidget_2_currentChanged(int index);

    // --- profiles, reset, import, export (buttoninterface_profiles.cpp) -----------
    void on_Reset_clicked();
    void on_ImportData_clicked();
    void on_OutputData_clicked();
    void on_ProjectChoose_activated(int index);
    void on_ProjectChoose_currentIndexChanged(int index);

private:
    friend class ButtoninterfaceProbe; // tests look at the page's state

    // Handlers named after objects the form does not have. They are plain
    // members, not slots, so the by-name connection has nothing to warn about;
    // nothing calls them (buttoninterface_menus.cpp).
    void on_MultiMedia_clicked();
    void on_RightKey_2_clicked();
    void on_LeftKey_clicked();
    void on_Advance_clicked();
    void on_Back_clicked();
    void on_DPI_clicked();
    void on_checkBox_clicked();
    void on_pushButton_clicked();

    // --- construction and page state (buttoninterface.cpp) ---
    void InitButtonGroup();
    void ApplyStyleSheets();
    void ApplyPictureTemplate();
    // stackedWidget on page, key-area scroll bar 10 px, stackedWidget_2 on page_9.
    void CloseMenus();
    // Unchecks the six key buttons, then closes the menus.
    void ReleaseKeys();
    void UncheckMarkers();
    // The key texts and the profile list as the page shows them before any
    // device's image, in the current language.
    void ShowNoDevice();
    void DropBlockingConnections();
    // The page's dialogs stand centred on it, 50 px left and 70 px up.
    void RunOnPage(QDialog& dialog);

    // --- function records (buttoninterface_keytexts.cpp) ---
    void StoreKeyFunction(int button, int type, int param1, int param2);
    KeyEventRecord MakeKeyRecord(int button, const QString& text);
    KeyEventRecord KeyNameToEvents(const QString& name, int button, int index, int count, KeyEventRecord record);
    int DpiToSensorCode(int dpi) const;
    int SensorCodeToDpi(int code) const;
    void ClearMenuChecks();

    // --- key texts and language (buttoninterface_keytexts.cpp) ---
    void RenderKeyTexts(const FlashDataMap& image);
    void ShowKeyFunction(int key, int type, int p1, int p2, FlashDataMap image);
    QString DeviceCodeToKeyName(int code, int kind) const;
    // The multimedia item of a consumer usage's low byte; nullptr for others.
    QToolButton* MediaItem(int lowByte) const;
    // The menu item of a function that names its item by its first parameter
    // (mouse button, DPI switch, tilt, lights, wheel); nullptr for others.
    QAbstractButton* ParamItem(int type, int p1) const;
    void InitLanguage(int mode, int language);
    void LoadLanguage(int mode, int language, int topMenuPointSize);
    void RebuildProfileList();

    // --- function menus (buttoninterface_menus.cpp) ---
    void OpenKeyMenu(int key, const QString& keyAreaStyle);
    void AssignKeyFunction(QAbstractButton* item, bool checked, int type, int param1);
    void AssignMediaKey(int button, int code);
    void AssignKeyboardKey(int button, const QString& text);
    // Rapid fire with fireInterval and fireCount for `key` (none when < 0),
    // then the menus close; decidedFor as the setters take it.
    void AssignFireKey(int key, const MouseProfile::Target* decidedFor);
    // A multimedia item of the list (row 0-17) chosen with `checked`.
    void AssignMediaItem(int row, bool checked);
    // Writes the consumer usage as the key's record; true when the mouse took it.
    bool WriteMediaKey(int button, int usage, QAbstractButton* item);

    // --- macro list (buttoninterface_macros.cpp) ---
    void CreateMacroButtons();
    // Builds the buttons (and hidden fillers) of the macro folder's macros.
    void FillMacroList();
    // The 592-byte block of a macro file; ok false when sending is off, the
    // name or file is unusable, or the file holds more events than a block
    // (then tooManyEvents, when given, is set).
    QByteArray MacroFileToBlock(const QString& macroName, int key, bool* ok, bool* tooManyEvents = nullptr);
    // Whether the key plays the macro: its stored type is a macro and its
    // text the macro prefix and the name.
    bool KeyCarriesMacro(int key, const QString& macroName) const;
    // Repeat code of a macro file (its first line); built with the key texts.
    QString ReadMacroRepeatCode(const QString& macroName);

    // --- profiles and further services (buttoninterface_profiles.cpp) ---
    void WriteConfigFile(const QString& path, FlashDataMap image);
    // Sets `key`'s text and the menu lists' scroll positions from a state
    // file of MainPageDir.
    void ApplyMainPageFile(const QString& fileName, QToolButton* key);
    void ReadMainPageFile2();
    void ReadMainPageFile3();
    void ReadMainPageFile4();
    void ReadMainPageFile5();
    void ReadMainPageFile6();
    KeyEventRecord MakeConsumerKeyRecord(int ignored, int codeHigh, int codeLow);
    void WaitTime(int milliseconds);
    void UnusedMember();

    Ui::Buttoninterface* ui = nullptr;
    QVBoxLayout* MacroListLayout = nullptr;
    QList<QToolButton*> MacroButtons;
    QButtonGroup* KeyButtonGroup = nullptr;
    QButtonGroup* TopItemGroup = nullptr;
    QButtonGroup* SubItemGroup = nullptr;
    QButtonGroup* MarkerGroup = nullptr;
    QString MainPageDir;
    KeyFunctionStore keyStore;
    QString SensorName;
    QVector<QString> DefineNames;
    QVector<int> DefineValues;
    int fireInterval = 10;
    int fireCount = 3;
    QStringList ButtonColorList;
    QString ButtonColorText;
    QWidget* MacroListContainer = nullptr;
    QString PictureDir;
    QString MacroPrefix;
    QString ProfilePrefix;
    bool imageShown = false; // a device image has filled the key texts
    // The key texts of the language section, shown without an image.
    QString unfilledKeyTexts[kKeyCount];
    bool profileListEnabledAsMade = true;
    QString shownDevicePath; // device whose functions and profiles the page shows
};

#endif // BUTTONINTERFACE_H
