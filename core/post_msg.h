// The program-wide signal hub. Windows, pages, the worker and the device
// library's callbacks talk to each other only through these signals; receivers
// connect in their constructors. The hub lives on the user-interface thread.
//
// Delivery rules: automatic connections emitted from another thread carry only
// int, bool or QString. Signals that carry an image, a device record or the
// receiver light record are connected with Qt::BlockingQueuedConnection (the
// emitting thread waits until the slot has run, so no meta-type is needed) or
// are emitted on the user-interface thread only.
#ifndef POST_MSG_H
#define POST_MSG_H

#include "device_all_info.h"
#include "flash_data_map.h"

#include <QObject>
#include <QString>

class PostMsg : public QObject {
    Q_OBJECT
public:
    // Created without parent on first use, never destroyed. The first call
    // happens on the user-interface thread before other threads exist.
    static PostMsg* GetInstance();
    // Forgets the instance without deleting it; nothing calls it.
    static void ReleaseInstance();
    ~PostMsg() override;

signals:
    void SigChangeMainDialog(int index);                                   // 0
    void SigChangeSize(int index);                                         // 1
    void SigUpDataConfigUI(int ToTalItem, int SelectIndex, bool ItemEnable); // 2
    void SigUpDataLightUIButton(FlashDataMap DataMap);                     // 3
    void SigUpDataLightLight(FlashDataMap DataMap);                        // 4
    void SigUpDataLightSensor(FlashDataMap DataMap);                       // 5
    void SigUpDataLightUIA(FlashDataMap DataMap);                          // 6
    void SigUpDataSensorUIB(FlashDataMap DataMap);                         // 7
    void SigUpDataButtonUIC(FlashDataMap DataMap);                         // 8
    void SigButtonToMacro(FlashDataMap DataMap, int KeyNumer);             // 9
    void SigSelectMouseInfo(DeviceAllInfo SelectInfo);                     // 10
    void SigMouseOffLineo(int index);                                      // 11
    void SigMainPageChange();                                              // 12
    void SigSecondPageChange();                                            // 13
    void SigUpPageLight();                                                 // 14
    void SigAddMacroButton();                                              // 15
    void SigDeleteMacroButton(QString MacroName);                          // 16
    void SigMacroDownLoadData(QString MacroName, int index);               // 17
    void SigUpDataMacro(QString MacroName, int index);                     // 18
    void SigUpDataParam(int index);                                        // 19
    void SigUpDataReportRate(int index);                                   // 20
    void SigUpDataDPI(int index);                                          // 21
    void SigUpDataDPILed(FlashDataMap DataMap);                            // 22
    void SigTimerStop();                                                   // 23
    void SigButtonEnable(int index);                                       // 24
    void SigLabelText(int index, QString Text);                            // 25
    void SigLabelTextB(QString TextA, QString Text);                       // 26
    void SigCloseUpdate();                                                 // 27
    void SigProgress(int index, int value);                                // 28
    void SigBattery(bool IsCharg, int Number, bool IsText);                // 29
    void SigAutoRepair(int index);                                         // 30
    void SigAutoRepairProgress(int index);                                 // 31
    void SigChangeLanguage(int index);                                     // 32
    void SigLanguageSameA(int index);                                      // 33
    void SigLanguageSameB(int index);                                      // 34
    void SigCloseOffOnline();                                              // 35
    void SigSetMacroPage();                                                // 36
    void SigStartRecord(int index);                                        // 37
    void SigUpDateButton(bool IsHide);                                     // 38
    void SigMacroRename(QString Rename, QString Name);                     // 39
    void SigSetver(int index);                                             // 40
    void SigCloseProgress();                                               // 41
    void SigRGBValue(DongleRGB* Rgb);                                      // 42
    void SigLongRangeMode(bool Select);                                    // 43
    void SigForm();                                                        // 44
    void SigFormB();                                                       // 45
    void SigEnterKey();                                                    // 46
    void SigFormReset();                                                   // 47
    void SigHideModel(int index);                                          // 48
    void SigContinue(int index);                                           // 49
    void SigMouseIndex(int index);                                         // 50
    void SigUpdateStart();                                                 // 51
    void SigCheckUpdate();                                                 // 52
    void SigRepairCheckUpdate();                                           // 53
    void SigSetNewVer();                                                   // 54
    void SigLightToFrom(int index);                                        // 55

private:
    PostMsg() = default;
};

#endif // POST_MSG_H
