#pragma once
#include <QDateTime>
#include <memory>

class clsDataEngineDAO;
class clsRegSettings;
class clsIPAddy;

// The application object: owns the data engine wrapper, the settings store
// and the address model, and shows the main window.
class clsApp {
public:
    clsApp();
    virtual ~clsApp();
    clsApp(const clsApp&) = delete;
    clsApp& operator=(const clsApp&) = delete;

    std::unique_ptr<clsDataEngineDAO> DataEngine;
    std::unique_ptr<clsRegSettings> RegSettings;
    std::unique_ptr<clsIPAddy> IPAddy;

    // Records the start time and shows frmMain modelessly.
    void Start();
    void Settings_App_Save();
    void Settings_App_Load();
    // The time Start ran; a null date-time (the zero date) before.
    QDateTime StartTime() const { return startTime_; }
    // Whether the user may close the program from a window's close box.
    virtual bool AllowExit() const { return true; }

private:
    QDateTime startTime_;
};
