#include "oxa/core/message_loop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QObject>
#include <atomic>
#include <vector>

#include "oxa/core/race_annotations.h"
#include "oxa/core/ui_lock.h"

namespace OXA {
namespace {

struct RunningLoop {
    QEventLoop* loop = nullptr;
    MessageLoop::Filter filter;
    bool quit = false;
    int code = 0;
};

std::vector<RunningLoop*>& Loops()
{
    static std::vector<RunningLoop*> loops;
    return loops;
}

bool g_pendingQuit = false;
int g_pendingCode = 0;

const QEvent::Type kQuitEvent = QEvent::Type(QEvent::registerEventType());

class QuitEvent : public QEvent {
public:
    explicit QuitEvent(int code) : QEvent(kQuitEvent), m_code(code) {}
    int m_code;
};

// Receives quit messages on the UI thread.
class LoopController : public QObject {
public:
    bool event(QEvent* e) override
    {
        RaceAcquire(e);
        if (e->type() != kQuitEvent)
            return QObject::event(e);
        const int code = static_cast<QuitEvent*>(e)->m_code;
        if (Loops().empty()) {
            g_pendingQuit = true;
            g_pendingCode = code;
        } else {
            RunningLoop* top = Loops().back();
            top->quit = true;
            top->code = code;
            top->loop->exit(0);
        }
        return true;
    }
};

LoopController* Controller()
{
    static LoopController* controller = [] {
        auto* c = new LoopController;
        if (QCoreApplication::instance())
            c->moveToThread(QCoreApplication::instance()->thread());
        return c;
    }();
    return controller;
}

}  // namespace

bool MessageLoop::Run(QEventLoop& loop, Filter filter, int* quitCode)
{
    Controller();
    if (g_pendingQuit) {
        g_pendingQuit = false;
        if (quitCode)
            *quitCode = g_pendingCode;
        return true;
    }
    RunningLoop running;
    running.loop = &loop;
    running.filter = std::move(filter);
    Loops().push_back(&running);
    {
        UiUnlockScope unlocked;  // ticks run while the loop waits
        loop.exec();
    }
    Loops().pop_back();
    if (running.quit && quitCode)
        *quitCode = running.code;
    return running.quit;
}

void MessageLoop::PostQuit(int code)
{
    auto* event = new QuitEvent(code);
    RaceRelease(event);
    QCoreApplication::postEvent(Controller(), event);
}

int MessageLoop::FilterMessage(MSG* msg)
{
    if (Loops().empty())
        return 0;
    RunningLoop* top = Loops().back();
    return top->filter ? top->filter(msg) : 0;
}

int MessageLoop::Depth() { return int(Loops().size()); }

}  // namespace OXA
