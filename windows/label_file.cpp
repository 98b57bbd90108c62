#include "label_file.h"

#include "paths.h"

#include <QFile>
#include <QHash>
#include <QObject>
#include <QVector>
#include <QXmlStreamReader>

#include <algorithm>
#include <memory>

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

// A label file read once: the children of "Total" and their children, with
// the text each would give as an element of plain text.
struct ParsedElement {
    QString name;
    QString text;
    bool hasChildren = false;
};

struct ParsedSection {
    ParsedElement element;
    QVector<ParsedElement> children;
};

struct ParsedFile {
    bool opened = false;
    bool clean = false; // a "Total" file the reader read to its end
    QVector<ParsedSection> sections;
};

ParsedFile ParseFile(const QString& path)
{
    ParsedFile parsed;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return parsed;
    parsed.opened = true;
    QXmlStreamReader reader(&file);
    int depth = 0;
    bool labels = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            ++depth;
            if (depth == 1) {
                labels = reader.name() == QLatin1String("Total");
                if (!labels)
                    return parsed;
            } else if (depth == 2) {
                parsed.sections.append(ParsedSection{{reader.name().toString(), QString(), false}, {}});
            } else if (depth == 3) {
                parsed.sections.last().element.hasChildren = true;
                parsed.sections.last().children.append({reader.name().toString(), QString(), false});
            } else if (depth == 4) {
                parsed.sections.last().children.last().hasChildren = true;
            }
        } else if (reader.isEndElement()) {
            --depth;
        } else if (reader.isCharacters() || reader.isEntityReference()) {
            if (depth == 2)
                parsed.sections.last().element.text += reader.text();
            else if (depth == 3)
                parsed.sections.last().children.last().text += reader.text();
        }
    }
    parsed.clean = labels && !reader.hasError();
    return parsed;
}

// The error the reader gives for an element of text that holds an element.
QString ElementInTextError()
{
    QXmlStreamReader reader(QStringLiteral("<a><b/></a>"));
    reader.readNextStartElement();
    reader.readElementText();
    return reader.errorString();
}

// The same walk as the reader's: the children of the first section of that
// name, then the elements after it.
LabelFile::Result LoadParsed(const ParsedFile& parsed, const QString& section, const LabelFile::Keys& keys)
{
    LabelFile::Result result;
    result.opened = true;
    const auto found = std::find_if(parsed.sections.begin(), parsed.sections.end(),
                                    [&](const ParsedSection& s) { return s.element.name == section; });
    if (found == parsed.sections.end())
        return result;
    auto hand = [&](const ParsedElement& element) {
        const auto sink = keys.constFind(element.name);
        if (sink == keys.constEnd())
            return true;
        if (element.hasChildren) {
            result.error = ElementInTextError();
            return false;
        }
        if (*sink)
            (*sink)(element.text);
        return true;
    };
    for (const ParsedElement& child : found->children) {
        if (!hand(child))
            return result;
    }
    for (auto after = found + 1; after != parsed.sections.end(); ++after) {
        if (!hand(after->element))
            return result;
    }
    return result;
}

int s_sharedLoads = 0;
QHash<QString, std::shared_ptr<const ParsedFile>>& SharedFiles()
{
    static QHash<QString, std::shared_ptr<const ParsedFile>> files;
    return files;
}

} // namespace

LabelFile::SharedLoad::SharedLoad()
{
    ++s_sharedLoads;
}

LabelFile::SharedLoad::~SharedLoad()
{
    if (--s_sharedLoads == 0)
        SharedFiles().clear();
}

void LabelFile::SetLoadWatcher(LoadWatcher watcher)
{
    Watcher() = std::move(watcher);
}

LabelFile::Result LabelFile::Load(const QString& path, const QString& section, const Keys& keys)
{
    if (Watcher())
        Watcher()(section, keys.keys());
    if (s_sharedLoads > 0) {
        std::shared_ptr<const ParsedFile>& shared = SharedFiles()[path];
        if (!shared)
            shared = std::make_shared<const ParsedFile>(ParseFile(path));
        if (shared->clean)
            return LoadParsed(*shared, section, keys);
    }
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
