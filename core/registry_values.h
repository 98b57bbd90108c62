// The few values the program keeps in the registry (see native_settings.h):
// the language choice left by another program, the firmware state (a pending
// repair and the last mouse version seen per model) and start with the system.
#ifndef REGISTRY_VALUES_H
#define REGISTRY_VALUES_H

#include <QString>

// "HKEY_CURRENT_USER\Software\<app>\<app>\<app>"
QString ApplicationKeyPath();
// "HKEY_CURRENT_USER\Software\<app>\<app>\Mouse Drive Test"
QString FirmwareStateKeyPath();
// "HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run"
QString StartWithSystemKeyPath();

// Moves LanguageIndex of the application key into Macro.ini: a value other
// than 0 becomes Language/Language; the registry value is removed in any case.
void MigrateLanguageIndex();

// UpdateFailInfo: "kind,receiver class,customer id,model id" of a failed
// upgrade (kind 210 mouse, 211 receiver); "" when no repair is pending.
QString UpdateFailInfo();

// The record as its readers take it: only a text of exactly four parts
// counts; a number that does not read is 0. The class stays text, since only
// the texts "1", "2", "4" and "8" name a receiver class.
struct UpdateFailRecord {
    bool complete = false; // four parts
    int kind = 0;
    QString classText;
    int cid = 0;
    int mid = 0;
};
UpdateFailRecord ParseUpdateFailInfo(const QString& text);
inline UpdateFailRecord ReadUpdateFailInfo()
{
    return ParseUpdateFailInfo(UpdateFailInfo());
}
void SetUpdateFailInfo(int kind, int receiverClass, int cid, int mid);
void RemoveUpdateFailInfo();

// "MouseVer" + Option/CID + MID of the model's Drive group, both as texts of
// Config.ini (customer id 5, model id 2: "MouseVer52").
QString MouseVersionValueName(int modelIndex);
// The last mouse firmware version text seen for the model; "" when none.
QString StoredMouseVersion(int modelIndex);
void StoreMouseVersion(int modelIndex, const QString& versionText);
// Keeps the version a mouse reported or was flashed with, in the text the
// labels show; returns that text.
QString StoreMouseFirmwareVersion(int modelIndex, unsigned version);

// On: the Run value named after the application holds the program's path
// with backslashes; off: the value is removed.
void SetStartWithSystem(bool on);

#endif // REGISTRY_VALUES_H
