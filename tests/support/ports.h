// A port on 127.0.0.1 that refuses connections for as long as this object lives: the socket
// is bound but never listens, so no other process (a parallel test's server, say) can take
// the port meanwhile.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

class ClosedPort {
  public:
    ClosedPort() {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (fd_ >= 0 && bind(fd_, reinterpret_cast<sockaddr *>(&address), size) == 0 &&
            getsockname(fd_, reinterpret_cast<sockaddr *>(&address), &size) == 0)
            port_ = ntohs(address.sin_port);
    }
    ClosedPort(const ClosedPort &) = delete;
    ClosedPort &operator=(const ClosedPort &) = delete;
    ~ClosedPort() {
        if (fd_ >= 0) close(fd_);
    }
    int port() const { return port_; } // 0 if no port could be reserved

  private:
    int fd_ = -1;
    int port_ = 0;
};
