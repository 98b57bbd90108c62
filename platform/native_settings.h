// A small stand-in for the Windows registry. Values are addressed exactly as
// there, by a full key path ("HKEY_CURRENT_USER\\Software\\...") and a value
// name; they are kept as groups of one ini file in the user's configuration
// folder, so no stray files named after key paths appear.
//
// Create one object per use (like a registry handle); objects on different
// threads may be used at the same time.
#ifndef NATIVE_SETTINGS_H
#define NATIVE_SETTINGS_H

#include <QString>
#include <QVariant>

class NativeSettings {
public:
    explicit NativeSettings(const QString& keyPath);

    // The stored value, or defaultValue when there is none.
    QVariant Value(const QString& name, const QVariant& defaultValue = QVariant()) const;
    void SetValue(const QString& name, const QVariant& value);
    void Remove(const QString& name);
    bool Contains(const QString& name) const;

    QString KeyPath() const { return m_keyPath; }

    // The ini file that holds every key. It lies in the root folder, which is
    // the user's configuration folder ($XDG_CONFIG_HOME or ~/.config) unless
    // a test chose another one; an empty folder restores the default.
    static QString FilePath();
    static void SetRootFolder(const QString& folder);

private:
    QString SettingsKey(const QString& name) const;

    QString m_keyPath;
};

#endif // NATIVE_SETTINGS_H
