// The per-user settings file Macro.ini (language, start with the system,
// new-firmware notice) in the per-user data folder.
#ifndef USER_SETTING_STORE_H
#define USER_SETTING_STORE_H

#include <QMutex>
#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

class UserSettingStore {
public:
    static UserSettingStore* Instance();
    // A store over another file; the program uses Instance() only.
    explicit UserSettingStore(const QString& filePath);
    ~UserSettingStore();

    QString Value(const QString& group, const QString& key) const; // "" when missing
    void SetValue(const QString& group, const QString& key, const QString& value);
    QStringList ValueList(const QString& group, const QString& key) const;
    void Remove(const QString& group, const QString& key);

    // Language/Language as an int (0 English when missing or not a number).
    int LanguageIndex() const;

    QString FilePath() const { return m_path; }

private:
    std::unique_ptr<QSettings> m_settings;
    QString m_path;
    mutable QMutex m_accessMutex;
};

#endif // USER_SETTING_STORE_H
