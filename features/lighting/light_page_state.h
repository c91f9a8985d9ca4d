#pragma once
// What the light page remembers and the worker reads while it runs tasks 9
// and 10: the active effect, its control bits and the side-light mode. Each
// value is one atomic, written on the thread that runs the page's logic.
#include <atomic>

class LightPageState {
public:
    static constexpr int kNoEffect = -1;
    static constexpr int kDefaultSideLight = 32;

    int ActiveEffect() const { return m_activeEffect.load(); }
    int ConfigFunc() const { return m_configFunc.load(); }
    int SideLight() const { return m_sideLight.load(); }

    void SetActiveEffect(int mode) { m_activeEffect.store(mode); }
    void SetConfigFunc(int bits) { m_configFunc.store(bits); }
    void SetSideLight(int value) { m_sideLight.store(value); }

private:
    std::atomic<int> m_activeEffect{kNoEffect};
    std::atomic<int> m_configFunc{0};
    std::atomic<int> m_sideLight{kDefaultSideLight};
};
