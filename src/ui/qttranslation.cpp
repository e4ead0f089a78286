#include "ui/qttranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace ui {

std::unique_ptr<QTranslator> loadQtTranslations(const QString &folder)
{
    auto translator = std::make_unique<QTranslator>();
    const QString from = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    // The program speaks Chinese whatever the desktop's language is.
    if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"), from))
        return nullptr;
    return translator;
}

bool installQtTranslations()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return false;
    static const QString kName = QStringLiteral("qtTranslations");
    if (app->findChild<QTranslator *>(kName, Qt::FindDirectChildrenOnly))
        return true;
    std::unique_ptr<QTranslator> translator = loadQtTranslations();
    if (!translator || !QCoreApplication::installTranslator(translator.get()))
        return false;
    translator->setObjectName(kName);
    translator.release()->setParent(app); // lives as long as the application
    return true;
}

} // namespace ui
