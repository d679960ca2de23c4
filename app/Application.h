#pragma once

#include "search/MessageSink.h"

#include <QApplication>

namespace quorvel {

// The application object. An error that escapes a command or any other
// event handler is shown through the error sink, and the window goes on.
class QuorvelApplication : public QApplication {
public:
    QuorvelApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    void setErrorSink(MessageSink* sink) { errors_ = sink; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    MessageSink* errors_ = nullptr;
};

// The caption of the message box that shows an escaped error.
inline const char* const ErrorCaption = "Quorvel";

}  // namespace quorvel
