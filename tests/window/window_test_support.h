#pragma once
// The real main window on the simulated keyboard, in a private home: its
// settings file, data folder and (when a test needs one) a program folder
// of its own that links to the built one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>

#include "app/device_link_side.h"
#include "app/shell/feature_tasks.h"
#include "app/shell/language_texts.h"
#include "app/shell/shell_options.h"
#include "app/shell/task_queue.h"
#include "app/window/keyboard_dlg.h"
#include "oxa/core/manager.h"
#include "oxa/core/native_window.h"
#include "platform/settings_file.h"

namespace wintest {

// QApplication (the notification-area icon and its menu need it), offscreen
// unless the environment names another platform.
class QtWidgetsEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_window";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
        m_app->setQuitOnLastWindowClosed(false);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QApplication> m_app;
};

// Runs the event loop until `done` holds or `ms` passed.
inline bool WaitFor(const std::function<bool()>& done, int ms = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

// A top-level window with this title that is shown; null when none.
inline QWindow* ShownWindow(const QString& title)
{
    for (QWindow* w : QGuiApplication::topLevelWindows())
        if (w->isVisible() && w->title() == title) return w;
    return nullptr;
}

// A click as the window system delivers it: move, press, release.
inline void ClickWindow(QWindow* window, QPoint pt)
{
    const QPointF local(pt), global(window->mapToGlobal(pt));
    QMouseEvent move(QEvent::MouseMove, local, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &move);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &release);
}

// Clicks `pt` in the window titled `title` as soon as it is shown (from
// inside the modal run that shows it). `clicked` tells whether it was.
class ClickWhenShown {
public:
    ClickWhenShown(const QString& title, QPoint pt) : m_title(title), m_pt(pt)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWindow* w = ShownWindow(m_title)) {
                m_timer.stop();
                m_clicked = true;
                ClickWindow(w, m_pt);
            }
        });
        m_timer.start(20);
    }
    bool Clicked() const { return m_clicked; }

private:
    QString m_title;
    QPoint m_pt;
    QTimer m_timer;
    bool m_clicked = false;
};

// The window, its device side on the simulated keyboard and its home.
class MainWindowFixture : public ::testing::Test {
protected:
    static QString BinFolder() { return QString::fromUtf8(VARNET_BIN_DIR); }

    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        SetProgramSettingsPath(m_home.path() + u"/Varnet.ini"_qs);
        m_programFolder = BinFolder();
        SetTextFolder(m_programFolder);
        SetLanguageCatalogue({2052, 1033, 1028}, 1033);
        SetCurrentLanguage(1033);
        OXA::Manager::SetProgramFolder(m_programFolder + u'/');
    }

    void TearDown() override
    {
        m_window.reset();
        m_side.reset();
    }

    // A program folder of the test's own: everything of the built one, and
    // the files the test adds.
    QString OwnProgramFolder()
    {
        const QString folder = m_home.path() + u"/program"_qs;
        QDir().mkpath(folder);
        for (const QString& entry : QDir(BinFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
            QFile::link(BinFolder() + u'/' + entry, folder + u'/' + entry);
        m_programFolder = folder;
        SetTextFolder(folder);
        OXA::Manager::SetProgramFolder(folder + u'/');
        return folder;
    }

    // Builds the device side on the simulated keyboard MODEL:MODES.
    void StartSide(const QString& simulate)
    {
        ShellOptions options;
        options.simulate = true;
        options.simulateSpec = simulate;
        CString error;
        m_side = DeviceLinkSide::Create(options, m_programFolder, m_home.path() + u"/data/"_qs, m_queue, error);
        ASSERT_TRUE(m_side) << qPrintable(error);
    }

    // Creates the window, which starts the worker and its first refresh.
    // `features` replaces the worker's feature operations; `addPages` adds
    // pages before the window is created.
    void OpenWindow(FeatureTasks* features = nullptr, const std::function<void(KeyboardDlg&)>& addPages = {})
    {
        m_window = std::make_unique<KeyboardDlg>(m_queue, *m_side, features ? *features : m_features, u"Varnet"_qs,
                                                 m_programFolder);
        if (addPages) addPages(*m_window);
        m_window->SetViewHook([this](bool connected) {
            ++m_views;
            m_lastViewConnected = connected;
        });
        ASSERT_TRUE(m_window->CreateMainWindow());
        m_window->ShowWindow(OXA::SW_SHOW);
    }

    bool WaitForView(bool connected, int ms = 10000)
    {
        const int before = m_views;
        return WaitFor([&] { return m_views > before && m_lastViewConnected == connected; }, ms);
    }

    // The window's own surface, for clicks.
    QWindow* Native() const { return m_window->GetSafeHwnd(); }
    void Click(int x, int y) { ClickWindow(Native(), QPoint(x, y)); }

    SimBackend& Sim() const { return *m_side->Simulation(); }
    int SimKeyboard() const { return Sim().FindKeyboard(m_side->SimulatedDeviceType()); }

    bool Visible(unsigned id) const
    {
        OXA::MControl* c = m_window->FindControl(id);
        return c && c->IsVisible();
    }

    QTemporaryDir m_home;
    QString m_programFolder;
    TaskQueue m_queue;
    NoFeatureTasks m_features;
    std::unique_ptr<DeviceLinkSide> m_side;
    std::unique_ptr<KeyboardDlg> m_window;
    int m_views = 0;
    bool m_lastViewConnected = false;
};

}  // namespace wintest
