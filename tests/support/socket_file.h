#pragma once

#include <QByteArray>
#include <QTest>
#include <algorithm>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// Leaves a socket file at path, as a server that ended without removing it does.
inline void makeSocketFile(const QByteArray& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    QVERIFY(std::size_t(path.size()) < sizeof address.sun_path);
    std::copy(path.begin(), path.end(), address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}
