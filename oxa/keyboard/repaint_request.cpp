#include "oxa/keyboard/repaint_request.h"

#include <QCoreApplication>
#include <QThread>

#include "oxa/core/paint_manager.h"
#include "oxa/core/ui_lock.h"

namespace OXA {
namespace {

bool MayWalkTheTree()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread() || UiLock::Depth() > 0;
}

}  // namespace

void RequestRepaint(MControl* control, int redraw)
{
    if (!control)
        return;
    if (MayWalkTheTree()) {
        control->UpdateControl(redraw, 0);
        return;
    }
    if (PaintManager* manager = control->GetManager())
        manager->Invalidate();
}

}  // namespace OXA
