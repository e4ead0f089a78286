#pragma once

#include <QString>
#include <QTranslator>

#include <memory>

namespace ui {

// Qt's own Chinese translations (qtbase_zh_CN.qm) read from folder, by default Qt's
// translations folder; nullptr when the file is not there or cannot be read.
std::unique_ptr<QTranslator> loadQtTranslations(const QString &folder = QString());

// Puts Qt's own Chinese translations into use, once per application, so that Qt's standard
// dialogs (the colour dialog, the input boxes' buttons) speak Chinese like the rest of the
// program. Without the file Qt's own English stays, quietly: returns false.
bool installQtTranslations();

} // namespace ui
