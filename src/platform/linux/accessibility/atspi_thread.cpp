#include "platform/linux/accessibility/atspi_thread.h"

#include <atspi/atspi.h>

namespace brindlemoor {
namespace {

gboolean runBlock(gpointer data)
{
    (*static_cast<std::function<void()>*>(data))();
    return G_SOURCE_REMOVE;
}

void deleteBlock(gpointer data)
{
    delete static_cast<std::function<void()>*>(data);
}

// Calls to an application that does not answer give up after this long, so a hung
// application cannot freeze dictation.
constexpr int kCallTimeoutMilliseconds = 1500;
constexpr int kStartupTimeoutMilliseconds = 15000;

} // namespace

AtspiThread::AtspiThread() : context_(g_main_context_new()), loop_(g_main_loop_new(context_, FALSE))
{
    std::promise<bool> started;
    auto ready = started.get_future();
    worker_ = std::thread([this, &started] { run(started); });
    connected_ = ready.get();
}

AtspiThread::~AtspiThread()
{
    post([this] {
        if (connected_)
            atspi_exit();
        g_main_loop_quit(loop_);
    });
    worker_.join();
    g_main_loop_unref(loop_);
    g_main_context_unref(context_);
}

void AtspiThread::post(std::function<void()> block)
{
    g_main_context_invoke_full(context_, G_PRIORITY_DEFAULT, runBlock, new std::function<void()>(std::move(block)),
                               deleteBlock);
}

void AtspiThread::run(std::promise<bool>& started)
{
    g_main_context_push_thread_default(context_);
    bool connected = atspi_init() <= 1;
    if (connected) {
        atspi_set_main_context(context_);
        atspi_set_timeout(kCallTimeoutMilliseconds, kStartupTimeoutMilliseconds);
    }
    started.set_value(connected);
    g_main_loop_run(loop_);
    g_main_context_pop_thread_default(context_);
}

} // namespace brindlemoor
