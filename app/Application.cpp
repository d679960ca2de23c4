#include "app/Application.h"

#include <QTranslator>

#include <exception>

namespace quorvel {

bool QuorvelApplication::notify(QObject* receiver, QEvent* event)
{
    std::string problem;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        problem = error.what();
    } catch (...) {
        problem = "unknown error";
    }
    if (errors_)
        errors_->report({problem, ErrorCaption});
    return false;
}

bool InstallJapaneseQtTranslations(QCoreApplication& application, const QString& folder)
{
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_ja"), folder) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

}  // namespace quorvel
