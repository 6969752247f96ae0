#pragma once
// A window without widgets for the placement and closing routines: it records
// what was done to it and registers as loaded like a real window.
#include "platform/forms.h"

#include <QStringList>
#include <functional>

class FakeForm : public platform::Form {
public:
    FakeForm(const QString& name, int borderStyle = platform::bsFixedSingle) : name_(name), border_(borderStyle)
    {
        platform::Forms::added(this);
    }

    QString Name() const override { return name_; }
    QString Caption() const override { return caption.isEmpty() ? name_ : caption; }
    bool Visible() const override { return visible; }
    void Show(bool modal) override
    {
        visible = true;
        log << (modal ? QStringLiteral("ShowModal") : QStringLiteral("Show"));
    }
    void Hide() override
    {
        visible = false;
        log << QStringLiteral("Hide");
    }
    int BorderStyle() const override { return border_; }
    int WindowState() const override { return state; }
    void SetWindowState(int s) override { state = s; }
    // Like a real window, a minimized or maximized one reports its state's
    // geometry rather than the restored one.
    int Top() const override { return state == platform::wsNormal ? top : -32000; }
    int Left() const override { return state == platform::wsNormal ? left : -32000; }
    int Width() const override { return state == platform::wsNormal ? width : 99990; }
    int Height() const override { return state == platform::wsNormal ? height : 99990; }
    void SetTop(int t) override { top = t; }
    void SetLeft(int l) override { left = l; }
    void SetWidth(int w) override { width = w; }
    void SetHeight(int h) override { height = h; }
    void Unload() override
    {
        log << QStringLiteral("Unload");
        if (onUnload)
            onUnload();
        unloaded = true;
        visible = false;
        platform::Forms::removed(this);
    }
    bool CallByName(const QString& operation) override
    {
        log << operation;
        if (onCall)
            return onCall(operation);
        return false;
    }
    bool Extra() const override { return extra; }

    QString caption;
    bool extra = false;
    bool visible = false;
    bool unloaded = false;
    int state = platform::wsNormal;
    int top = 1200, left = 2400, width = 8280, height = 5700;
    QStringList log;
    std::function<bool(const QString&)> onCall;
    std::function<void()> onUnload;

private:
    QString name_;
    int border_;
};
