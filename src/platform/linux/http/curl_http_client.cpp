#include "platform/linux/http/curl_http_client.h"

#include <curl/curl.h>

#include <memory>

namespace brindlemoor {
namespace {

struct CurlGlobal {
    CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
    ~CurlGlobal() { curl_global_cleanup(); }
};

void ensureCurlGlobal()
{
    static CurlGlobal global;
}

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

size_t appendBody(char* data, size_t size, size_t count, void* user)
{
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

} // namespace

CurlHttpClient::CurlHttpClient()
{
    ensureCurlGlobal();
    worker_ = std::thread([this] { work(); });
}

CurlHttpClient::~CurlHttpClient()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void CurlHttpClient::send(HttpRequest request, Completion completion)
{
    {
        std::lock_guard lock(mutex_);
        pending_.push_back({std::move(request), std::move(completion)});
    }
    wake_.notify_all();
}

void CurlHttpClient::work()
{
    for (;;) {
        Pending next;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
            if (pending_.empty())
                return;
            next = std::move(pending_.front());
            pending_.pop_front();
        }
        HttpResult result = perform(next.request);
        if (next.completion)
            next.completion(std::move(result));
    }
}

HttpResult CurlHttpClient::perform(const HttpRequest& request)
{
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if (!easy)
        return PlatformError{"HttpClient", CURLE_FAILED_INIT, "The network library could not be initialised."};

    curl_slist* headerList = nullptr;
    for (const auto& [name, value] : request.headers) {
        std::string line = name + ": " + value;
        if (curl_slist* extended = curl_slist_append(headerList, line.c_str()))
            headerList = extended;
    }
    std::unique_ptr<curl_slist, ListDeleter> headers(headerList);

    std::string body;
    char errorText[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(easy.get(), CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(easy.get(), CURLOPT_CUSTOMREQUEST, request.method.c_str());
    if (request.method != "GET" && request.method != "HEAD") {
        curl_easy_setopt(easy.get(), CURLOPT_POSTFIELDS, request.body.data());
        curl_easy_setopt(easy.get(), CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
    }
    curl_easy_setopt(easy.get(), CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(easy.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy.get(), CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(easy.get(), CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy.get(), CURLOPT_REDIR_PROTOCOLS_STR, "https");
    curl_easy_setopt(easy.get(), CURLOPT_TIMEOUT_MS, static_cast<long>(request.timeout.count()));
    curl_easy_setopt(easy.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy.get(), CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(easy.get(), CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(easy.get(), CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(easy.get(), CURLOPT_USERAGENT, "Brindlemoor");

    CURLcode code = curl_easy_perform(easy.get());
    if (code != CURLE_OK) {
        std::string description = errorText[0] != '\0' ? errorText : curl_easy_strerror(code);
        return PlatformError{"HttpClient", static_cast<int>(code), description};
    }
    long status = 0;
    curl_easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &status);
    return HttpResponse{status, std::move(body)};
}

} // namespace brindlemoor
