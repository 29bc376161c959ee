// A network between this process and a server, for the benchmarks and the tests that need one:
// listens on 127.0.0.1 (a free port), forwards every connection made to it to a Unix socket
// (the throwaway PostgreSQL server's) and holds each piece of data a fixed time in each
// direction before passing it on, so a round trip costs twice that delay. A closed side is
// passed on after the same delay. It runs on a thread of its own from construction, and stops
// by itself when destroyed or when its lifetime is over, whichever comes first; connections
// still open are then closed. A failure to listen throws std::runtime_error.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace testsupport {

class LatencyProxy {
public:
    LatencyProxy(std::string unixSocket, std::chrono::microseconds delayPerDirection,
                 std::chrono::seconds lifetime = std::chrono::minutes(30));
    ~LatencyProxy();
    LatencyProxy(const LatencyProxy&) = delete;
    LatencyProxy& operator=(const LatencyProxy&) = delete;

    int port() const { return m_port; }
    // How many connections it has accepted so far.
    int connectionsAccepted() const { return m_accepted.load(); }
    // Closes every connection it carries (both sides), as a network that fails does, and
    // returns once they are closed; new connections are accepted as before.
    void dropConnections();

private:
    void run();

    std::string m_target;
    std::chrono::microseconds m_delay;
    std::chrono::steady_clock::time_point m_deadline;
    int m_listener = -1;
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    int m_port = 0;
    std::atomic<int> m_accepted{0};
    std::mutex m_dropMutex;
    std::condition_variable m_dropped;
    int m_dropsAsked = 0;
    int m_dropsDone = 0;
    bool m_finished = false;
    std::thread m_thread;
};

} // namespace testsupport
