// Language label files: one XML file per language in <program>/Language,
// root element "Total", one section per window or dialog, one element per
// text inside a section (named after the widget or a message key).
//
// Every window loads its own section the same way:
//
//     LabelFile::Load(LabelFile::PathFor(index), "MouseOffLine", {
//         {"label",   [this](const QString& t) { ui->label->setText(t); }},
//         {"NewHong", [this](const QString& t) { ui->NewHong->setText(t); }},
//     });
//
// Texts are handed over as they are read, so a file that breaks off part way
// keeps what was read before the break. Keys missing from the file leave the
// widget's text alone; a file that cannot be opened or whose root is not
// "Total" changes nothing. Nothing is shown to the user on failure.
#ifndef LABEL_FILE_H
#define LABEL_FILE_H

#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

class QXmlStreamReader;

class LabelFile {
public:
    // How a loader maps the language index to a file. Most windows use
    // Standard; a few older loaders map index 4 (or everything past 2)
    // differently, and stored indexes must keep meaning what they meant.
    enum class Mapping {
        Standard,      // 0 English, 1 Russian, 2 Traditional Chinese, 3 Korean, 5 Japanese, else English
        RussianAtFour, // as Standard, and 4 Russian too
        FirstThree,    // only 0, 1 and 2 are known, everything else English
    };

    using TextSink = std::function<void(const QString& text)>;
    using Keys = QMap<QString, TextSink>;

    struct Result {
        bool opened = false; // false: the file could not be opened, nothing was read
        QString error;       // the reader's error text, empty when the file was read to its end
    };

    // File name inside the Language folder, e.g. "0-English.xml".
    static QString FileName(int index, Mapping mapping = Mapping::Standard);
    // AppFolder() + "/Language/" + FileName(index, mapping).
    static QString PathFor(int index, Mapping mapping = Mapping::Standard);

    // Reads section `section` of the file at `path`, handing the text of each
    // element named in `keys` to its sink.
    static Result Load(const QString& path, const QString& section, const Keys& keys);

    // Called at the start of every load with the section and the keys asked
    // for, so a test can hold every text the windows read against each
    // language file. None by default.
    using LoadWatcher = std::function<void(const QString& section, const QStringList& keys)>;
    static void SetLoadWatcher(LoadWatcher watcher);

    // While one lives, each file is parsed once and the loads of every
    // window read the parsed copy: for a whole language load (the program's
    // windows being built, or a language change). A file the reader cannot
    // read to its end is still read the plain way by every load.
    class SharedLoad {
    public:
        SharedLoad();
        ~SharedLoad();
        SharedLoad(const SharedLoad&) = delete;
        SharedLoad& operator=(const SharedLoad&) = delete;
    };

private:
    static void ReadRoot(QXmlStreamReader& reader, const QString& section, const Keys& keys);
    static void ReadSection(QXmlStreamReader& reader, const Keys& keys);
    static void SkipElement(QXmlStreamReader& reader);
};

#endif // LABEL_FILE_H
