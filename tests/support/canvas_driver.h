// A GUI-free canvas on a 690 x 530 client area (scale 2, LCD at 25, 25),
// with a host that records what the canvas asked for and a clock the test
// moves by hand; gestures are given in LCD dots.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/canvas/canvas_core.h"
#include "editor/tree/code_page.h"

struct RecordingHost : CVylCanvasHost {
    void Redraw() override { ++redraws; }
    void RefreshStatus() override { ++statusRefreshes; }
    void RefreshPanels() override { ++panelRefreshes; }
    void RequestLcdUpdate() override { ++lcdRequests; }
    void RefreshHexPane() override { ++hexRefreshes; }
    void ObjectCreated(int32_t kind) override { createdKinds.push_back(kind); }
    void PopupMenuRequested() override { ++popups; }
    void MouseMoved() override { ++mouseMoves; }
    void SetCursorShape(VyCanvasCursor shape) override { cursor = shape; }
    void ShowNotice(std::string_view text) override { notices.push_back(Cp949ToUtf8(text)); }

    int redraws = 0;
    int statusRefreshes = 0;
    int panelRefreshes = 0;
    int lcdRequests = 0;
    int hexRefreshes = 0;
    int popups = 0;
    int mouseMoves = 0;
    std::vector<int32_t> createdKinds;
    std::vector<std::string> notices;
    VyCanvasCursor cursor = VyCanvasCursor::kArrow;
};

// Dots to virtual units.
inline constexpr int32_t D(double dots) {
    return static_cast<int32_t>(dots * 10000);
}

class CanvasDriver {
  public:
    CanvasDriver() {
        core.SetHost(&host);
        core.SetClock([this] { return nowMs; });
        core.RecalcCanvasFit(690, 530);
    }

    static VyPoint Screen(double x, double y) {
        return {static_cast<int32_t>(25 + 2 * x), static_cast<int32_t>(25 + 2 * y)};
    }
    void Press(double x, double y, VyModifiers m = {}) { core.OnLButtonDown(Screen(x, y), m); }
    void MoveTo(double x, double y, VyModifiers m = {}) { core.OnMouseMove(Screen(x, y), m); }
    void Release(double x, double y, VyModifiers m = {}) { core.OnLButtonUp(Screen(x, y), m); }
    // Press, move in a few steps, release: what a hand does.
    void Drag(double x0, double y0, double x1, double y1, VyModifiers m = {}) {
        MoveTo(x0, y0, m);
        Press(x0, y0, m);
        for (int step = 1; step <= 4; ++step) {
            MoveTo(x0 + (x1 - x0) * step / 4, y0 + (y1 - y0) * step / 4, m);
        }
        Release(x1, y1, m);
    }
    void Click(double x, double y, VyModifiers m = {}) {
        MoveTo(x, y, m);
        Press(x, y, m);
        Release(x, y, m);
    }
    // Nothing selected, as after a click on an empty place.
    void Deselect() {
        core.Selection().RemoveAll();
        core.SetMouseState(kMouseIdle);
    }
    // Draws with a tool from an idle canvas and returns the new object's uid.
    int32_t Draw(int32_t tool, double l, double t, double r, double b, VyModifiers m = {}) {
        Deselect();
        core.SetTool(tool);
        const int32_t uid = core.History().GetObjectCounter();
        Drag(l, t, r, b, m);
        core.SetTool(kToolSelect);
        return uid;
    }
    bool Key(VyKey key, VyModifiers m = {}) { return core.ProcessKeys(key, m, true); }
    VyRect Region(int32_t uid) const { return core.Group().GetRegion(uid); }
    std::string Dump() const { return core.History().GetEditActionGroupExp(true); }
    std::string LastAction() const {
        const std::string dump = Dump();
        const size_t cut = dump.rfind("\r\n");
        return cut == std::string::npos ? dump : dump.substr(cut + 2);
    }
    size_t Actions() const { return core.History().GetCount(); }

    int64_t nowMs = 100000;
    RecordingHost host;
    CVylCanvasCore core;
};
