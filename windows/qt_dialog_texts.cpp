#include "qt_dialog_texts.h"

#include "post_msg.h"
#include "user_setting_store.h"

#include <QApplication>
#include <QColorDialog>
#include <QEvent>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QReadWriteLock>
#include <QTranslator>
#include <QWidget>

#include <memory>

namespace QtDialogTexts {

namespace {

// Installed once; its catalogue is exchanged behind it. Installing or
// loading an installed translator sends every window a language-change
// event, and several pages answer that by putting their form's default
// texts back; exchanging the catalogue here sends nothing.
class SwitchingTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* source, const char* disambiguation, int n) const override
    {
        const QReadLocker locker(&m_lock);
        return m_catalogue ? m_catalogue->translate(context, source, disambiguation, n) : QString();
    }

    bool isEmpty() const override
    {
        const QReadLocker locker(&m_lock);
        return !m_catalogue || m_catalogue->isEmpty();
    }

    void SetCatalogue(std::unique_ptr<QTranslator> catalogue)
    {
        const QWriteLocker locker(&m_lock);
        m_catalogue = std::move(catalogue);
    }

private:
    mutable QReadWriteLock m_lock;
    std::unique_ptr<QTranslator> m_catalogue;
};

SwitchingTranslator& Translator()
{
    static SwitchingTranslator* translator = [] {
        auto* made = new SwitchingTranslator(QCoreApplication::instance());
        QCoreApplication::installTranslator(made);
        return made;
    }();
    return *translator;
}

// The title Qt gives a colour dialog, in the language of the catalogue in use.
QString ColourDialogTitle()
{
    return QColorDialog::tr("Select Color");
}

// Qt's dialogs that already exist (the DPI editors keep their colour
// dialogs) take the new texts. A colour dialog retranslates its labels and
// buttons but gets its title only when it is built: one that still shows
// Qt's title in the language left (`oldColourTitle`) gets the new one.
void RetranslateQtDialogs(const QString& oldColourTitle)
{
    const QString colourTitle = ColourDialogTitle();
    for (QWidget* widget : QApplication::allWidgets()) {
        auto* colourDialog = qobject_cast<QColorDialog*>(widget);
        if (colourDialog || qobject_cast<QFileDialog*>(widget)) {
            QEvent change(QEvent::LanguageChange);
            QCoreApplication::sendEvent(widget, &change);
        }
        if (colourDialog && colourDialog->windowTitle() == oldColourTitle)
            colourDialog->setWindowTitle(colourTitle);
    }
}

} // namespace

QString LocaleName(int languageIndex)
{
    switch (languageIndex) {
    case 1:
        return QStringLiteral("ru");
    case 2:
        return QStringLiteral("zh_TW");
    case 3:
        return QStringLiteral("ko");
    case 5:
        return QStringLiteral("ja");
    default:
        return QString();
    }
}

void Install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    SetLanguage(UserSettingStore::Instance()->LanguageIndex());
    QObject::connect(PostMsg::GetInstance(), &PostMsg::SigChangeLanguage, &Translator(),
                     [](int index) { SetLanguage(index); });
}

bool SetLanguage(int languageIndex, const QString& folder)
{
    const QString locale = LocaleName(languageIndex);
    std::unique_ptr<QTranslator> catalogue;
    if (!locale.isEmpty()) {
        catalogue = std::make_unique<QTranslator>();
        const QString from = folder.isEmpty() ? QLibraryInfo::location(QLibraryInfo::TranslationsPath) : folder;
        if (!catalogue->load(QStringLiteral("qtbase_") + locale, from))
            catalogue.reset();
    }
    const bool loaded = catalogue != nullptr;
    const QString oldColourTitle = ColourDialogTitle();
    Translator().SetCatalogue(std::move(catalogue));
    RetranslateQtDialogs(oldColourTitle);
    return loaded;
}

} // namespace QtDialogTexts
