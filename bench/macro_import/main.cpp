// Peak memory and time of the macro page's import of exchange files whose
// item icons are pictures: an ordinary exported macro, then files whose one
// icon declares a picture of 20000 × 20000 pixels (1.6 GB of pixels) with
// compressed rows of a few hundred kilobytes. Each import runs in a process of
// its own, so every peak starts from the same page.
//
//     bench_macro_import              all files
//     bench_macro_import <file>       one file (prints its line only)
#include "bench_common.h"

#include "macro.h"
#include "macro_exchange_file.h"
#include "macro_file.h"
#include "modal_run.h"
#include "up_date_warning.h"

#include <QApplication>
#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <zlib.h>

#include <cstdio>

namespace {

QByteArray Be32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray Chunk(const QByteArray& type, const QByteArray& data)
{
    const QByteArray typed = type + data;
    return Be32(quint32(data.size())) + typed
        + Be32(quint32(crc32(0, reinterpret_cast<const Bytef*>(typed.constData()), uInt(typed.size()))));
}

// Zero rows compressed, streamed so that this program never holds them.
QByteArray CompressedZeros(qint64 size)
{
    z_stream stream{};
    deflateInit(&stream, 9);
    static const QByteArray zeros(1 << 20, '\0');
    QByteArray out;
    char buffer[1 << 16];
    for (qint64 left = size; left >= 0; left -= zeros.size()) {
        const bool last = left <= zeros.size();
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.constData()));
        stream.avail_in = uInt(last ? left : zeros.size());
        do {
            stream.next_out = reinterpret_cast<Bytef*>(buffer);
            stream.avail_out = sizeof buffer;
            deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
            out.append(buffer, int(sizeof buffer - stream.avail_out));
        } while (stream.avail_out == 0);
        if (last)
            break;
    }
    deflateEnd(&stream);
    return out;
}

QByteArray HugePng(qint64 rowBytes)
{
    const QByteArray header = Be32(20000) + Be32(20000) + QByteArray("\x08\x06\x00\x00\x00", 5);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", CompressedZeros(rowBytes))
        + Chunk("IEND", QByteArray());
}

// The icon as Qt's pixmap engine writes it, with one picture.
QByteArray PictureIcon(const QByteArray& png)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_5_9);
    stream << QStringLiteral("QPixmapIconEngine") << qint32(1) << qint32(1);
    stream.writeRawData(png.constData(), png.size());
    stream << QString() << QSize(16, 16) << quint32(0) << quint32(0);
    return bytes;
}

QByteArray ExchangeFile(const QString& name, const QByteArray& firstIcon)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    MacroExchange macro{name, QStringLiteral("1"), {{QStringLiteral("A"), QIcon(), false}}};
    WriteMacroExchange(&buffer, macro);
    // The null icon written above is four bytes before the press marker.
    QByteArray bytes = buffer.data();
    const int iconAt = bytes.size() - 4 - 6;
    return bytes.left(iconAt) + firstIcon + bytes.mid(iconAt + 4);
}

struct Figures {
    qint64 peakRiseKiB = 0;
    double ms = 0;
    QString result;
};

// Imports the file in this process and prints one line.
int ImportOne(const QString& path)
{
    QDir(MacroFolder()).removeRecursively();
    QDir().mkpath(MacroFolder());
    Macro page;
    QString notice;
    ModalRun::SetAnswer(&UpDateWarning::staticMetaObject, [&notice](QDialog*) { notice = QStringLiteral("notice"); });
    const qint64 before = bench::PeakMemoryKiB();
    const qint64 start = bench::MonotonicNs();
    const bool imported = page.ImportMacro(path);
    const double ms = (bench::MonotonicNs() - start) / 1e6;
    const qint64 rise = bench::PeakMemoryKiB() - before;
    std::printf("%s %.1f %s\n", qPrintable(QString::number(rise)), ms,
                imported ? "imported" : qPrintable(notice.isEmpty() ? QStringLiteral("refused") : notice));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (argc > 1) {
        QApplication app(argc, argv);
        return ImportOne(QString::fromLocal8Bit(argv[1]));
    }
    QCoreApplication app(argc, argv);
    QTemporaryDir files;
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    picture.save(&png, "PNG");
    const struct {
        const char* label;
        QByteArray bytes;
    } cases[] = {
        {"ordinary 16 x 16 icon", ExchangeFile(QStringLiteral("Plain"), PictureIcon(png.data()))},
        {"20000 x 20000 icon, 10 MB of rows", ExchangeFile(QStringLiteral("Huge"), PictureIcon(HugePng(10 << 20)))},
        {"20000 x 20000 icon, 380 MB of rows", ExchangeFile(QStringLiteral("Huger"), PictureIcon(HugePng(380 << 20)))},
    };
    std::printf("Macro import, each in a process of its own (peak memory rise over the page's own)\n");
    std::printf("  %-36s %10s %12s %10s  %s\n", "file", "size (KB)", "peak (MiB)", "time (ms)", "result");
    for (const auto& c : cases) {
        const QString path = files.filePath(QString::fromLatin1(c.label).replace(QLatin1Char(' '), QLatin1Char('_')));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(c.bytes);
        file.close();
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {path});
        child.waitForFinished(-1);
        const QStringList parts = QString::fromLocal8Bit(child.readAllStandardOutput()).split(QLatin1Char(' '));
        if (parts.size() < 3) {
            std::printf("  %-36s %10.1f  failed: %s\n", c.label, c.bytes.size() / 1024.0,
                        qPrintable(QString::fromLocal8Bit(child.readAllStandardError()).left(200)));
            continue;
        }
        std::printf("  %-36s %10.1f %12.1f %10s  %s", c.label, c.bytes.size() / 1024.0, parts[0].toDouble() / 1024.0,
                    qPrintable(parts[1]), qPrintable(parts[2]));
    }
    return 0;
}
