#pragma once
#include <QDateTime>
#include <memory>

class clsIPAddy;

// The application object: owns the address model (and, with them, the
// settings store and the data engine).
class clsApp {
public:
    clsApp();
    ~clsApp();
    clsApp(const clsApp&) = delete;
    clsApp& operator=(const clsApp&) = delete;

    std::unique_ptr<clsIPAddy> IPAddy;

    void Start();
    void Settings_App_Save();
    void Settings_App_Load();
    QDateTime StartTime() const { return startTime_; }
    bool AllowExit() const { return true; }

private:
    QDateTime startTime_;
};
