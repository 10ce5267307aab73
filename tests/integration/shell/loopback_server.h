#pragma once

#include <httplib.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace brindlemoor::testing {

// An HTTP server on 127.0.0.1 and a port the system picks, running while the object lives.
class LoopbackServer {
public:
    struct Received {
        std::string method;
        std::string path;
        std::string body;
        httplib::Headers headers;
    };

    LoopbackServer()
    {
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ~LoopbackServer()
    {
        server_.stop();
        thread_.join();
    }

    httplib::Server& server() { return server_; }
    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    int port() const { return port_; }

    void record(const httplib::Request& request)
    {
        std::lock_guard lock(mutex_);
        received_.push_back({request.method, request.path, request.body, request.headers});
    }
    std::vector<Received> received() const
    {
        std::lock_guard lock(mutex_);
        return received_;
    }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<Received> received_;
};

} // namespace brindlemoor::testing
