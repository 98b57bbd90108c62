// Draws every registered picture into <output>/<Folder>/<Name>.png.
// Usage: picturegen <output folder (the program's Picture folder)>
#include "kit.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>
#include <QSet>
#include <QTextStream>

#include <algorithm>

namespace {

// A picture without a transparent pixel is stored without an alpha channel:
// the program then decodes it straight into the screen's format, with no
// conversion and less memory.
QImage StorableForm(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) != 255)
                return image;
        }
    }
    return argb.convertToFormat(QImage::Format_RGB32);
}

class FolderWriter : public kit::PictureSink {
public:
    FolderWriter(const QDir& dir, const QString& folder, QSet<QString>* written)
        : m_dir(dir), m_folder(folder), m_written(written)
    {
    }

    void Add(const QString& name, const QImage& image) override
    {
        const QString key = m_folder + QLatin1Char('/') + name;
        if (m_written->contains(key)) {
            Fail(QStringLiteral("%1 is drawn twice").arg(key));
            return;
        }
        m_written->insert(key);

        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (image.isNull() || !StorableForm(image).save(&buffer, "PNG")) {
            Fail(QStringLiteral("%1: cannot encode").arg(key));
            return;
        }
        // Unchanged pictures keep their files (and time stamps).
        const QString path = m_dir.filePath(name + QStringLiteral(".png"));
        QFile existing(path);
        if (existing.open(QIODevice::ReadOnly) && existing.readAll() == png)
            return;
        existing.close();
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(png) != png.size() || !file.commit())
            Fail(QStringLiteral("%1: cannot write %2").arg(key, path));
    }

    bool failed = false;

private:
    void Fail(const QString& message)
    {
        QTextStream(stderr) << "picturegen: " << message << '\n';
        failed = true;
    }

    QDir m_dir;
    QString m_folder;
    QSet<QString>* m_written;
};

} // namespace

int main(int argc, char* argv[])
{
    // Fonts need a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    if (argc != 2) {
        QTextStream(stderr) << "usage: picturegen <Picture folder>\n";
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));

    std::vector<kit::RegisteredFolder> folders = kit::RegisteredFolders();
    std::stable_sort(folders.begin(), folders.end(),
                     [](const kit::RegisteredFolder& a, const kit::RegisteredFolder& b) { return a.folder < b.folder; });

    QSet<QString> written;
    bool failed = false;
    for (const kit::RegisteredFolder& entry : folders) {
        if (!root.mkpath(entry.folder)) {
            QTextStream(stderr) << "picturegen: cannot create " << root.filePath(entry.folder) << '\n';
            return 1;
        }
        FolderWriter writer(QDir(root.filePath(entry.folder)), entry.folder, &written);
        entry.paint(writer);
        failed = failed || writer.failed;
    }
    return failed ? 1 : 0;
}
