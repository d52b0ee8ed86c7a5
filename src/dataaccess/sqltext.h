#pragma once

#include <QString>

// A text value for the inside of a single-quoted SQL literal: quotes are doubled, so text
// from the user can never end the literal and change what the statement does.
inline QString sqlText(QString text) {
    return text.replace(QLatin1Char('\''), QLatin1String("''"));
}
