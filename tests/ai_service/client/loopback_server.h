#pragma once

#include <httplib.h>

#include <stdexcept>
#include <thread>

namespace brindlemoor::testing {

// An HTTP server on 127.0.0.1 at a port the system picks, for one test. Routes are set on
// `server` before `start`; the server stops when the object goes.
class LoopbackServer {
public:
    LoopbackServer() = default;
    ~LoopbackServer()
    {
        server.stop();
        if (thread_.joinable())
            thread_.join();
    }

    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    void start()
    {
        // One request per connection, so stopping never waits for an idle kept-alive one.
        server.set_keep_alive_max_count(1);
        port_ = server.bind_to_any_port("127.0.0.1");
        if (port_ <= 0)
            throw std::runtime_error("The loopback HTTP server could not bind to 127.0.0.1.");
        thread_ = std::thread([this] { server.listen_after_bind(); });
    }

    int port() const { return port_; }

    httplib::Server server;

private:
    int port_ = 0;
    std::thread thread_;
};

} // namespace brindlemoor::testing
