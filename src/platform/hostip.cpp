#include "platform/hostip.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

QString hostip(const QString &name) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *result = nullptr;
    if (name.isEmpty() || getaddrinfo(name.toUtf8().constData(), nullptr, &hints, &result) != 0 ||
        !result)
        return name;
    char text[INET_ADDRSTRLEN] = {};
    const auto *address = reinterpret_cast<const sockaddr_in *>(result->ai_addr);
    const bool ok = inet_ntop(AF_INET, &address->sin_addr, text, sizeof text) != nullptr;
    freeaddrinfo(result);
    return ok ? QString::fromLatin1(text) : name;
}
