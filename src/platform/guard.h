// Every menu, click, key, timer and tree handler runs through this guard: no exception may
// cross the Qt event loop. A reporting handler shows the error's text in a message box (the
// program's default error report); a silent one drops it.
#pragma once

#include "platform/dialogs.h"

#include <functional>

enum class OnError { Report, Silent };

// Runs `body`; returns false when it raised an error.
bool runGuarded(Dialogs &dialogs, OnError mode, const std::function<void()> &body);

// Turns any exception into its text ("Unknown error" when it carries none).
QString errorText(std::exception_ptr error);
