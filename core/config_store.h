// Read-only access to the device catalogue and colour scheme
// (<program folder>/usersetting/Config.ini). Identity keys are stored
// Base64-encoded and come back decoded, without line feeds and blanks.
// Safe to use from any thread: every access is serialised.
#ifndef CONFIG_STORE_H
#define CONFIG_STORE_H

#include <QMutex>
#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

class ConfigStore {
public:
    static ConfigStore* Instance();
    // A store over another file; the program uses Instance() only.
    explicit ConfigStore(const QString& filePath);
    ~ConfigStore();

    QString Value(const QString& group, const QString& key) const;         // "" when missing
    QStringList ValueList(const QString& group, const QString& key) const; // empty when missing
    int IntValue(const QString& group, const QString& key) const;          // Value(...).toInt()

    // Operations the program does not use; kept for completeness.
    void RemoveKey(const QString& group, const QString& key);
    void SetValue(const QString& group, const QString& key, const QString& value);
    static QString DecodeBase64(const QString& text);

    // "r,g,b" from the first three items of an Option colour key; a list with
    // fewer than three items gives the fallback.
    QString ColorText(const QString& key, const QString& fallback = QStringLiteral("255,255,255")) const;

    QString FilePath() const { return m_path; }

    // The catalogue group of a model: "Drive" + (modelIndex + 1).
    static QString ModelGroup(int modelIndex);

private:
    static bool IsIdentityKey(const QString& key);
    static QString DecodeIdentity(const QString& stored);

    std::unique_ptr<QSettings> m_settings;
    QString m_path;
    int m_decodeIdentityKeys = 1;
    mutable QMutex m_accessMutex;
};

#endif // CONFIG_STORE_H
