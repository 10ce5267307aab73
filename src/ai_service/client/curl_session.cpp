#include "ai_service/client/curl_session.h"

#include "ai_service/client/url_error.h"

#include <curl/curl.h>
#include <pthread.h>

#include <cmath>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

namespace brindlemoor {

namespace {

struct Transfer {
    URLRequest request;
    DataTaskCompletion completion;
    std::shared_ptr<URLSessionDataDelegate> delegate;
    std::string received;
    curl_slist* headers = nullptr;
    CURL* easy = nullptr;
    char errorText[CURL_ERROR_SIZE] = {};

    ~Transfer()
    {
        if (easy)
            curl_easy_cleanup(easy);
        curl_slist_free_all(headers);
    }
};

URLError::Code codeFor(CURLcode result)
{
    switch (result) {
    case CURLE_OPERATION_TIMEDOUT:
        return URLError::Code::timedOut;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return URLError::Code::cannotFindHost;
    case CURLE_COULDNT_CONNECT:
        return URLError::Code::cannotConnectToHost;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
        return URLError::Code::secureConnectionFailed;
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_PARTIAL_FILE:
        return URLError::Code::networkConnectionLost;
    case CURLE_URL_MALFORMAT:
    case CURLE_UNSUPPORTED_PROTOCOL:
        return URLError::Code::badURL;
    default:
        return URLError::Code::unknown;
    }
}

size_t receive(char* bytes, size_t size, size_t count, void* context)
{
    auto* transfer = static_cast<Transfer*>(context);
    const size_t length = size * count;
    if (transfer->delegate)
        transfer->delegate->didReceiveData(std::string(bytes, length));
    else
        transfer->received.append(bytes, length);
    return length;
}

void globalInitialise()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

} // namespace

class CurlSession::Engine : public std::enable_shared_from_this<Engine> {
public:
    Engine()
    {
        globalInitialise();
        multi_ = curl_multi_init();
    }

    ~Engine() { curl_multi_cleanup(multi_); }

    void submit(std::unique_ptr<Transfer> transfer)
    {
        {
            std::lock_guard lock(mutex_);
            if (!stopping_) {
                pending_.push_back(std::move(transfer));
                if (!worker_.joinable())
                    worker_ = std::thread([self = shared_from_this()] { self->work(); });
            }
        }
        if (transfer) {
            finishCancelled(*transfer);
            return;
        }
        arrived_.notify_all();
        curl_multi_wakeup(multi_);
    }

    void stop()
    {
        std::thread worker;
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
            worker = std::move(worker_);
        }
        arrived_.notify_all();
        curl_multi_wakeup(multi_);
        if (!worker.joinable())
            return;
        if (worker.get_id() == std::this_thread::get_id())
            worker.detach();
        else
            worker.join();
    }

private:
    void work()
    {
        pthread_setname_np(pthread_self(), "curl-session");
        for (;;) {
            std::deque<std::unique_ptr<Transfer>> arrived;
            bool stopping = false;
            {
                std::unique_lock lock(mutex_);
                // Idle, the thread sleeps until a request or the end comes, instead of polling.
                if (running_.empty())
                    arrived_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
                arrived.swap(pending_);
                stopping = stopping_;
            }
            if (stopping) {
                for (auto& transfer : arrived)
                    finishCancelled(*transfer);
                cancelRunning();
                return;
            }
            for (auto& transfer : arrived)
                start(std::move(transfer));
            int running = 0;
            curl_multi_perform(multi_, &running);
            collectFinished();
            curl_multi_poll(multi_, nullptr, 0, 1000, nullptr);
        }
    }

    void start(std::unique_ptr<Transfer> transfer)
    {
        CURL* easy = curl_easy_init();
        transfer->easy = easy;
        const URLRequest& request = transfer->request;
        curl_easy_setopt(easy, CURLOPT_URL, request.url.c_str());
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.httpMethod.c_str());
        if (request.httpBody) {
            curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.httpBody->size()));
            curl_easy_setopt(easy, CURLOPT_POSTFIELDS, request.httpBody->data());
        } else if (request.httpMethod == "GET") {
            curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
        }
        for (const auto& [name, value] : request.headers)
            transfer->headers = curl_slist_append(transfer->headers, (name + ": " + value).c_str());
        // Without these, libcurl would add a form content type and wait for a 100 reply.
        if (!request.value("Content-Type"))
            transfer->headers = curl_slist_append(transfer->headers, "Content-Type:");
        transfer->headers = curl_slist_append(transfer->headers, "Expect:");
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, transfer->headers);
        const double timeout = std::max(request.timeoutInterval, 0.001);
        curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(std::ceil(timeout * 1000)));
        curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, static_cast<long>(std::ceil(timeout)));
        curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, receive);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, transfer.get());
        curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, transfer->errorText);
        curl_easy_setopt(easy, CURLOPT_PRIVATE, transfer.get());
        curl_multi_add_handle(multi_, easy);
        running_.emplace(easy, std::move(transfer));
    }

    void collectFinished()
    {
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
            if (message->msg != CURLMSG_DONE)
                continue;
            CURL* easy = message->easy_handle;
            const CURLcode result = message->data.result;
            curl_multi_remove_handle(multi_, easy);
            auto found = running_.find(easy);
            if (found == running_.end())
                continue;
            std::unique_ptr<Transfer> transfer = std::move(found->second);
            running_.erase(found);
            finish(*transfer, result);
        }
    }

    static void finish(Transfer& transfer, CURLcode result)
    {
        std::exception_ptr error;
        if (result != CURLE_OK)
            error = std::make_exception_ptr(URLError(codeFor(result), transfer.errorText));
        if (transfer.delegate) {
            transfer.delegate->didCompleteWithError(error);
            return;
        }
        HTTPURLResponse response{transfer.request.url, 0};
        curl_easy_getinfo(transfer.easy, CURLINFO_RESPONSE_CODE, &response.statusCode);
        if (error)
            transfer.completion(std::nullopt, response.statusCode ? std::optional(response) : std::nullopt, error);
        else
            transfer.completion(std::move(transfer.received), response, nullptr);
    }

    static void finishCancelled(Transfer& transfer)
    {
        auto error = std::make_exception_ptr(URLError(URLError::Code::cancelled, ""));
        if (transfer.delegate)
            transfer.delegate->didCompleteWithError(error);
        else
            transfer.completion(std::nullopt, std::nullopt, error);
    }

    void cancelRunning()
    {
        auto running = std::move(running_);
        for (auto& [easy, transfer] : running) {
            curl_multi_remove_handle(multi_, easy);
            finishCancelled(*transfer);
        }
    }

    CURLM* multi_ = nullptr;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<std::unique_ptr<Transfer>> pending_;
    bool stopping_ = false;
    std::thread worker_;
    std::map<CURL*, std::unique_ptr<Transfer>> running_;
};

namespace {

class CurlDataTask final : public URLSessionDataTaskProtocol {
public:
    CurlDataTask(std::weak_ptr<CurlSession::Engine> engine, std::unique_ptr<Transfer> transfer)
        : engine_(std::move(engine)), transfer_(std::move(transfer))
    {
    }

    void resume() override
    {
        std::unique_ptr<Transfer> transfer;
        {
            std::lock_guard lock(mutex_);
            transfer = std::move(transfer_);
        }
        if (!transfer)
            return;
        if (auto engine = engine_.lock())
            engine->submit(std::move(transfer));
        else if (transfer->delegate)
            transfer->delegate->didCompleteWithError(
                std::make_exception_ptr(URLError(URLError::Code::cancelled, "")));
        else
            transfer->completion(std::nullopt, std::nullopt,
                                 std::make_exception_ptr(URLError(URLError::Code::cancelled, "")));
    }

private:
    std::mutex mutex_;
    std::weak_ptr<CurlSession::Engine> engine_;
    std::unique_ptr<Transfer> transfer_;
};

} // namespace

CurlSession::CurlSession() : engine_(std::make_shared<Engine>()) {}

CurlSession::~CurlSession() { engine_->stop(); }

std::shared_ptr<CurlSession> CurlSession::shared()
{
    static const std::shared_ptr<CurlSession> session = std::make_shared<CurlSession>();
    return session;
}

std::shared_ptr<URLSessionDataTaskProtocol> CurlSession::dataTask(URLRequest request, DataTaskCompletion completion)
{
    auto transfer = std::make_unique<Transfer>();
    transfer->request = std::move(request);
    transfer->completion = std::move(completion);
    return std::make_shared<CurlDataTask>(engine_, std::move(transfer));
}

std::shared_ptr<URLSessionDataTaskProtocol> CurlSession::dataTask(URLRequest request,
                                                                  std::shared_ptr<URLSessionDataDelegate> delegate)
{
    auto transfer = std::make_unique<Transfer>();
    transfer->request = std::move(request);
    transfer->delegate = std::move(delegate);
    return std::make_shared<CurlDataTask>(engine_, std::move(transfer));
}

} // namespace brindlemoor
