// What every fuzz target needs of a running program: an application object
// (for the program folder), a home folder of its own for the per-user files,
// quiet diagnostics, and a way to hand an input over as a file.
#ifndef FUZZ_SUPPORT_H
#define FUZZ_SUPPORT_H

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace fuzz {

// Inputs are written as files on every run: a folder in memory keeps the
// disk from setting the pace.
inline QTemporaryDir& Home()
{
    static QTemporaryDir home(QDir(QStringLiteral("/dev/shm")).exists()
                                  ? QStringLiteral("/dev/shm/quorix-fuzz-XXXXXX")
                                  : QDir::tempPath() + QStringLiteral("/quorix-fuzz-XXXXXX"));
    return home;
}

// Call from LLVMFuzzerInitialize.
inline void StartProgram(int* argc, char*** argv)
{
    qputenv("HOME", QFile::encodeName(Home().path()));
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    // Never destroyed: what the application holds stays reachable at exit
    // rather than showing up as leaks of the platform plugin.
    static QCoreApplication* app = new QCoreApplication(*argc, *argv);
    Q_UNUSED(app);
}

inline QByteArray Bytes(const uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), int(size));
}

// Writes the input to a file of the home folder and returns its path.
inline QString AsFile(const uint8_t* data, std::size_t size, const QString& name = QStringLiteral("input"))
{
    const QString path = Home().filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

// QSettings hands a value written as "@Variant(...)" to Qt's decoder of
// serialised objects (pictures, lists of any length, ...). The program never
// writes one: it stores texts, and QSettings keeps a text starting with "@"
// as "@@". What Qt does with a damaged one is Qt's own, so readers of
// settings files leave such inputs out, together with backslash escapes,
// which could spell the marker in other characters.
inline bool HoldsSerialisedQtValue(const uint8_t* data, std::size_t size)
{
    const QByteArray bytes = Bytes(data, size);
    return bytes.contains("@Variant(") || bytes.contains('\\');
}

} // namespace fuzz

#endif // FUZZ_SUPPORT_H
