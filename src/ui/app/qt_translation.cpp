#include "ui/app/qt_translation.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace kivprism::ui {

namespace {

// Qt's Russian translation, read once and kept while the application lives, so that switching the
// language back and forth does not read the file again. Installed at most once: a second install
// would need a second removal before Qt spoke English again.
struct QtTranslation {
  QPointer<QTranslator> translator;  // owned by the application
  QString folder;                    // where it was read from
  bool installed = false;
};

QtTranslation& state() {
  static QtTranslation translation;
  return translation;
}

void uninstall(QtTranslation& s) {
  if (s.translator) {
    QCoreApplication::removeTranslator(s.translator);
  }
  s.installed = false;
}

}  // namespace

QString qtTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool applyQtTranslation(lang::Language language, const QString& folder) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) {
    return false;
  }
  QtTranslation& s = state();
  if (!s.translator) {
    // The application that owned it has ended.
    s.installed = false;
  }
  if (language != lang::Language::Russian) {
    uninstall(s);
    return true;
  }
  const QString wanted = QDir(folder).absolutePath();
  if (!s.translator || s.folder != wanted) {
    uninstall(s);
    delete s.translator;
    auto* loaded = new QTranslator(app);
    if (!loaded->load(QStringLiteral("qtbase_ru"), folder)) {
      delete loaded;
      return false;
    }
    s.translator = loaded;
    s.folder = wanted;
  }
  if (!s.installed) {
    s.installed = QCoreApplication::installTranslator(s.translator);
  }
  return s.installed;
}

}  // namespace kivprism::ui
