#include "app/Application.h"

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
        errors_->showMessage(problem, ErrorCaption);
    return false;
}

}  // namespace quorvel
