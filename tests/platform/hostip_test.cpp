#include "platform/hostip.h"

#include <gtest/gtest.h>

namespace {

TEST(HostIpTest, ANameBecomesItsDottedIpv4AddressOrStaysAsItIs) {
    struct Case {
        QString name;
        QString expected;
    } cases[] = {
        {QStringLiteral("localhost"), QStringLiteral("127.0.0.1")},
        {QStringLiteral("127.0.0.1"), QStringLiteral("127.0.0.1")},
        {QStringLiteral("10.1.2.3"), QStringLiteral("10.1.2.3")},
        // Not resolvable: the name itself goes to the connection.
        {QStringLiteral("no-such-host.invalid"), QStringLiteral("no-such-host.invalid")},
        {QStringLiteral("::1"), QStringLiteral("::1")}, // IPv6 only: no IPv4 address
        {QString(), QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(hostip(c.name), c.expected);
    }
}

} // namespace
