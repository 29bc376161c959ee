#include "LatencyProxy.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <deque>
#include <list>
#include <stdexcept>
#include <vector>

namespace testsupport {
namespace {

using Clock = std::chrono::steady_clock;

// What one read passes on, due at a time; an empty piece marked `end` passes on the close.
struct Piece {
    Clock::time_point due;
    std::string bytes;
    bool end = false;
};

// One direction of a connection: what was read from `from` and waits to be written to `to`.
struct Direction {
    int from = -1;
    int to = -1;
    std::deque<Piece> waiting;
    bool endRead = false;
    bool endPassed = false;
};

struct Link {
    Direction up;   // client to server
    Direction down; // server to client
    bool broken = false;

    bool finished() const { return broken || (up.endPassed && down.endPassed); }
    void close() const {
        ::close(up.from);
        ::close(up.to);
    }
};

int connectUnix(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        ::close(fd);
        return -1;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Reads what `d.from` holds and queues it, due after the delay.
void readInto(Direction& d, Clock::duration delay) {
    std::array<char, 64 * 1024> buffer{};
    const ssize_t n = ::recv(d.from, buffer.data(), buffer.size(), 0);
    Piece piece{Clock::now() + delay, {}, n <= 0};
    if (n > 0) {
        piece.bytes.assign(buffer.data(), static_cast<std::size_t>(n));
    } else {
        d.endRead = true;
    }
    d.waiting.push_back(std::move(piece));
}

// Writes every piece now due; false when the other side is gone.
bool passDue(Direction& d, Clock::time_point now) {
    while (!d.waiting.empty() && d.waiting.front().due <= now) {
        const Piece& piece = d.waiting.front();
        if (piece.end) {
            ::shutdown(d.to, SHUT_WR);
            d.endPassed = true;
        } else {
            std::size_t sent = 0;
            while (sent < piece.bytes.size()) {
                const ssize_t n = ::send(d.to, piece.bytes.data() + sent, piece.bytes.size() - sent,
                                         MSG_NOSIGNAL);
                if (n < 0 && errno == EINTR) {
                    continue;
                }
                if (n <= 0) {
                    return false;
                }
                sent += static_cast<std::size_t>(n);
            }
        }
        d.waiting.pop_front();
    }
    return true;
}

} // namespace

LatencyProxy::LatencyProxy(std::string unixSocket, std::chrono::microseconds delayPerDirection,
                           std::chrono::seconds lifetime)
    : m_target(std::move(unixSocket)), m_delay(delayPerDirection),
      m_deadline(Clock::now() + lifetime) {
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    int pipeFds[2] = {-1, -1};
    if (m_listener < 0 ||
        ::bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listener, 64) != 0 ||
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        ::pipe2(pipeFds, O_CLOEXEC) != 0) {
        const std::string why = std::strerror(errno);
        if (m_listener >= 0) {
            ::close(m_listener);
        }
        throw std::runtime_error("the latency proxy cannot listen on 127.0.0.1: " + why);
    }
    m_port = ntohs(address.sin_port);
    m_wakeRead = pipeFds[0];
    m_wakeWrite = pipeFds[1];
    m_thread = std::thread([this] { run(); });
}

namespace {
constexpr char kStop = 1;
constexpr char kDrop = 2;
} // namespace

void LatencyProxy::dropConnections() {
    std::unique_lock lock(m_dropMutex);
    const int asked = ++m_dropsAsked;
    [[maybe_unused]] const ssize_t written = ::write(m_wakeWrite, &kDrop, 1);
    m_dropped.wait(lock, [&] { return m_dropsDone >= asked || m_finished; });
}

LatencyProxy::~LatencyProxy() {
    const char stop = kStop;
    [[maybe_unused]] const ssize_t written = ::write(m_wakeWrite, &stop, 1);
    m_thread.join();
    ::close(m_wakeRead);
    ::close(m_wakeWrite);
    ::close(m_listener);
}

void LatencyProxy::run() {
    std::list<Link> links;
    std::vector<pollfd> fds;
    for (;;) {
        const Clock::time_point now = Clock::now();
        if (now >= m_deadline) {
            break;
        }
        for (auto it = links.begin(); it != links.end();) {
            if (it->finished()) {
                it->close();
                it = links.erase(it);
            } else {
                ++it;
            }
        }
        Clock::time_point wake = m_deadline;
        fds.assign({{m_wakeRead, POLLIN, 0}, {m_listener, POLLIN, 0}});
        for (const Link& link : links) {
            for (const Direction* d : {&link.up, &link.down}) {
                fds.push_back({d->endRead ? -1 : d->from, POLLIN, 0});
                if (!d->waiting.empty()) {
                    wake = std::min(wake, d->waiting.front().due);
                }
            }
        }
        const auto wait = std::chrono::duration_cast<std::chrono::nanoseconds>(
            std::max(wake - now, Clock::duration::zero()));
        const timespec timeout{static_cast<time_t>(wait.count() / 1'000'000'000),
                               static_cast<long>(wait.count() % 1'000'000'000)};
        if (::ppoll(fds.data(), fds.size(), &timeout, nullptr) < 0 && errno != EINTR) {
            break;
        }
        if (fds[0].revents != 0) {
            char request = kStop;
            if (::read(m_wakeRead, &request, 1) != 1 || request == kStop) {
                break;
            }
            for (const Link& link : links) {
                link.close();
            }
            links.clear();
            {
                const std::lock_guard lock(m_dropMutex);
                ++m_dropsDone;
            }
            m_dropped.notify_all();
            continue;
        }
        if ((fds[1].revents & POLLIN) != 0) {
            const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0) {
                const int server = connectUnix(m_target);
                if (server < 0) {
                    ::close(client);
                } else {
                    const int on = 1;
                    ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
                    Link& link = links.emplace_back();
                    link.up.from = client;
                    link.up.to = server;
                    link.down.from = server;
                    link.down.to = client;
                    ++m_accepted;
                }
            }
        }
        // The links polled this round come first in `links`, two descriptors each.
        std::size_t i = 2;
        for (Link& link : links) {
            if (i >= fds.size()) {
                break;
            }
            for (Direction* d : {&link.up, &link.down}) {
                if (fds[i].fd >= 0 && (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
                    readInto(*d, m_delay);
                }
                ++i;
            }
        }
        const Clock::time_point after = Clock::now();
        for (Link& link : links) {
            if (!passDue(link.up, after) || !passDue(link.down, after)) {
                link.broken = true;
            }
        }
    }
    for (const Link& link : links) {
        link.close();
    }
    {
        const std::lock_guard lock(m_dropMutex);
        m_finished = true;
    }
    m_dropped.notify_all();
}

} // namespace testsupport
