#include "net_profile.h"

#include "paths.h"

#include <QCoreApplication>
#include <QXmlStreamReader>

namespace {

bool ChineseLinks(int language)
{
    return language == 1 || language == 2;
}

bool EnglishLinks(int language)
{
    return language == 0 || language == 3 || language == 4;
}

// The whole text of the current element, its children's text included;
// leaves the reader past its end. Counts the depth instead of recursing: a
// file nested deeply enough would otherwise exhaust the stack.
QString ElementText(QXmlStreamReader& reader)
{
    QString text;
    int depth = 1;
    while (depth > 0) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::Characters:
        case QXmlStreamReader::EntityReference:
            text += reader.text();
            break;
        case QXmlStreamReader::Invalid:
            return text; // the caller sees the reader's error
        default:
            break;
        }
    }
    return text;
}

} // namespace

QString NetProfile::Path()
{
    return AppFolder() + QStringLiteral("/Language/Net.xml");
}

NetProfile::Texts NetProfile::Read(QIODevice* device, int language)
{
    Texts texts;
    QXmlStreamReader reader(device);
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement())
            continue;
        if (reader.name() == QLatin1String("Profile"))
            ReadProfile(reader, language, texts);
        else
            reader.raiseError(QCoreApplication::translate("NetProfile", "Not a labels file"));
    }
    if (reader.hasError())
        texts.error = reader.errorString();
    return texts;
}

void NetProfile::ReadProfile(QXmlStreamReader& reader, int language, Texts& texts)
{
    const QString chosen = ChineseLinks(language) ? QStringLiteral("Chinese") : QStringLiteral("English");
    while (reader.readNextStartElement()) {
        if (reader.name() == chosen || reader.name() == QLatin1String("Web"))
            ReadEntry(reader, language, texts);
        else
            reader.skipCurrentElement();
    }
}

void NetProfile::ReadEntry(QXmlStreamReader& reader, int language, Texts& texts)
{
    // A text counts only when its element ended: a file cut inside one
    // gives no half link.
    auto take = [&reader](QString& target, bool& given) {
        const QString text = ElementText(reader);
        if (reader.hasError())
            return;
        target = text;
        given = true;
    };
    while (reader.readNextStartElement()) {
        const QStringRef name = reader.name();
        if (name == QLatin1String("CompanyName"))
            take(texts.company, texts.hasCompany);
        else if (name == QLatin1String("CompanyWebcn") && ChineseLinks(language))
            take(texts.link, texts.hasLink);
        else if (name == QLatin1String("CompanyWeben") && EnglishLinks(language))
            take(texts.link, texts.hasLink);
        else
            reader.skipCurrentElement();
    }
}
