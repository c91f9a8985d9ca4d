#pragma once
// Nested message loops (the program's main loop and modal runs), the quit
// message that ends them, and the message filter of the innermost loop.
#include <functional>

#include "oxa/core/oxa_export.h"
#include "oxa/core/window_messages.h"

class QEventLoop;

namespace OXA {

class OXA_API MessageLoop {
public:
    using Filter = std::function<int(MSG*)>;
    // Runs loop until it is exited or a quit message arrives; while it runs,
    // every input message is offered to filter first (non-zero drops it).
    // Returns true when a quit message ended the loop; *quitCode is its code.
    static bool Run(QEventLoop& loop, Filter filter, int* quitCode = nullptr);
    // Posts the quit message; safe from any thread. It ends the innermost
    // running loop, or the next one started when none runs.
    static void PostQuit(int code);
    // Offers msg to the innermost loop's filter; non-zero drops the message.
    static int FilterMessage(MSG* msg);
    // Number of loops running on the UI thread.
    static int Depth();
};

}  // namespace OXA
