#pragma once

#include "results/Messages.h"

#include <QApplication>

namespace quorvel {

// The application object. An error that escapes a command or any other
// event handler is shown through the error sink, and the window goes on.
class QuorvelApplication : public QApplication {
public:
    QuorvelApplication(int& argc, char** argv) : QApplication(argc, argv) { }

    void setErrorSink(MessageSink* sink) { errors_ = sink; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    MessageSink* errors_ = nullptr;
};

// Installs Qt's own Japanese translations from `folder`, so the file dialog
// and message-box buttons read in Japanese like the rest of the window.
// False (and nothing installed) when the translation file is not there.
bool InstallJapaneseQtTranslations(QCoreApplication& application, const QString& folder);

// The caption of the message box that shows an escaped error.
inline const char* const ErrorCaption = "Quorvel";

}  // namespace quorvel
