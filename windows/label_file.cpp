#include "label_file.h"

#include "paths.h"

#include <QFile>
#include <QObject>
#include <QXmlStreamReader>

QString LabelFile::FileName(int index, Mapping mapping)
{
    static const QString english = QStringLiteral("0-English.xml");
    static const QString russian = QStringLiteral("4-Russia.xml");

    if (mapping == Mapping::FirstThree && index > 2)
        return english;
    switch (index) {
    case 0: return english;
    case 1: return russian;
    case 2: return QStringLiteral("2-") + QString::fromUtf8("繁体中文") + QStringLiteral(".xml");
    case 3: return QStringLiteral("3-Korea.xml");
    case 4: return mapping == Mapping::RussianAtFour ? russian : english;
    case 5: return QStringLiteral("5-Japanese.xml");
    default: return english;
    }
}

QString LabelFile::PathFor(int index, Mapping mapping)
{
    return AppFolder() + QStringLiteral("/Language/") + FileName(index, mapping);
}

namespace {

LabelFile::LoadWatcher& Watcher()
{
    static LabelFile::LoadWatcher watcher;
    return watcher;
}

} // namespace

void LabelFile::SetLoadWatcher(LoadWatcher watcher)
{
    Watcher() = std::move(watcher);
}

LabelFile::Result LabelFile::Load(const QString& path, const QString& section, const Keys& keys)
{
    if (Watcher())
        Watcher()(section, keys.keys());
    Result result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return result;
    result.opened = true;

    // The reader takes the encoding from the XML declaration (UTF-8 without one).
    QXmlStreamReader reader(&file);
    reader.readNext();
    while (!reader.atEnd()) {
        if (!reader.isStartElement()) {
            reader.readNext();
            continue;
        }
        if (reader.name() == QLatin1String("Total"))
            ReadRoot(reader, section, keys);
        else
            reader.raiseError(QObject::tr("Not a labels file"));
    }
    if (reader.hasError())
        result.error = reader.errorString();
    return result;
}

// Walks the children of "Total" until the wanted section; every other
// section is skipped with all it holds.
void LabelFile::ReadRoot(QXmlStreamReader& reader, const QString& section, const Keys& keys)
{
    reader.readNext();
    while (!reader.atEnd()) {
        if (reader.isEndElement()) {
            reader.readNext();
            if (reader.atEnd()) // reading past the end would be a premature-end error
                break;
        }
        if (reader.isStartElement()) {
            if (reader.name() == section)
                ReadSection(reader, keys);
            else
                SkipElement(reader);
        } else {
            reader.readNext();
        }
    }
}

// Reads keys until the end of the document. Elements after the section are
// looked at as keys too; sections of other windows carry no key names and
// are skipped whole, so only the first matching section counts.
void LabelFile::ReadSection(QXmlStreamReader& reader, const Keys& keys)
{
    reader.readNext();
    while (!reader.atEnd()) {
        if (reader.isEndElement()) {
            reader.readNext();
            if (reader.atEnd())
                break;
        }
        if (!reader.isStartElement()) {
            reader.readNext();
            continue;
        }
        const auto sink = keys.constFind(reader.name().toString());
        if (sink == keys.constEnd()) {
            SkipElement(reader);
            continue;
        }
        // Fails with a reader error (ending the load) when the element has children.
        const QString text = reader.readElementText();
        if (reader.hasError())
            return;
        if (*sink)
            (*sink)(text);
        if (reader.isEndElement())
            reader.readNext();
    }
}

// Counts the depth instead of recursing: a file nested deeply enough would
// otherwise exhaust the stack before the reader noticed anything wrong.
void LabelFile::SkipElement(QXmlStreamReader& reader)
{
    int depth = 1;
    reader.readNext();
    while (!reader.atEnd()) {
        if (reader.isEndElement()) {
            reader.readNext();
            if (--depth == 0)
                return;
        } else {
            if (reader.isStartElement())
                ++depth;
            reader.readNext();
        }
    }
}
