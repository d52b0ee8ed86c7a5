#pragma once

#include <QString>

// The dotted IPv4 address of host `name`, or `name` itself when it cannot be resolved.
QString hostip(const QString &name);
