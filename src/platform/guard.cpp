#include "platform/guard.h"

#include <exception>

QString errorText(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

bool runGuarded(Dialogs &dialogs, OnError mode, const std::function<void()> &body) {
    try {
        body();
        return true;
    } catch (...) {
        if (mode == OnError::Report) {
            const QString text = errorText(std::current_exception());
            try {
                dialogs.message(MessageKind::Error, text);
            } catch (...) {
            }
        }
        return false;
    }
}
