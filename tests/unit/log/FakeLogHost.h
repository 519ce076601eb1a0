// A host that records what the log core asks of its surroundings, in order.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "log/LogCore.h"

class FakeLogHost : public sb::log::LogHost {
public:
    std::vector<std::wstring> events;
    std::vector<std::wstring> items;  // what a list control would show
    std::vector<int> refreshPeriods;  // periods handed to the refresh thread
    bool due = false;                 // the refresh thread's mark; taken by RefreshDue
    int pumps = 0;
    std::function<void()> onPump;     // what the window does while its messages are processed
    std::wstring hint;
    std::vector<sb::log::LabelView> labels;
    sb::log::BarView lastMain, lastStep;
    int barRedraws = 0;

    void LineAppended(const sb::log::TLogLinkVer4& line) override {
        items.push_back(line.Text);
        events.push_back(L"append:" + line.Text);
    }
    void LastLineReplaced(const std::wstring& text) override {
        if (!items.empty()) items.back() = text;
        events.push_back(L"replace:" + text);
    }
    void LinesCleared() override {
        items.clear();
        events.push_back(L"clear");
    }
    bool RefreshDue(int refreshTimeMs) override {
        refreshPeriods.push_back(refreshTimeMs);
        const bool was = due;
        due = false;
        return was;
    }
    void PumpMessages() override {
        ++pumps;
        events.push_back(L"pump");
        if (onPump) onPump();
    }
    void RedrawBars(const sb::log::BarView& main, const sb::log::BarView& step) override {
        lastMain = main;
        lastStep = step;
        ++barRedraws;
        events.push_back(L"bars");
    }
    void ShowLabel(const sb::log::LabelView& label) override {
        labels.push_back(label);
        events.push_back(L"label:" + label.Text);
    }
    std::wstring HintUnderPointer() override { return hint; }
    void MainJumpDemand() override { events.push_back(L"mainjump"); }
    void LogJumpDemand() override { events.push_back(L"logjump"); }
};
