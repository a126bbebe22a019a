#include "ui/app/qt_translation.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace kivprism::ui {

namespace {

// One translator for the application's lifetime: installing it twice would need two removals.
QPointer<QTranslator>& russianTranslator() {
  static QPointer<QTranslator> translator;
  return translator;
}

}  // namespace

QString qtTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool applyQtTranslation(lang::Language language, const QString& folder) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) {
    return false;
  }
  QPointer<QTranslator>& translator = russianTranslator();
  if (language != lang::Language::Russian) {
    if (translator) {
      QCoreApplication::removeTranslator(translator);
      delete translator;
    }
    return true;
  }
  if (translator &&
      QFileInfo(translator->filePath()).absolutePath() == QDir(folder).absolutePath()) {
    return true;
  }
  if (translator) {
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
  // Owned by the application, so a later application starts without a stale one.
  auto* loaded = new QTranslator(app);
  if (!loaded->load(QStringLiteral("qtbase_ru"), folder)) {
    delete loaded;
    return false;
  }
  QCoreApplication::installTranslator(loaded);
  translator = loaded;
  return true;
}

}  // namespace kivprism::ui
