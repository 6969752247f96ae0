#pragma once
// A window under test beside a real main window: its factory registered for
// the test, both windows and the application gone after it.
#include "app/clsapp.h"
#include "platform/forms.h"
#include "testsupport.h"
#include "ui/main/frmmain.h"
#include "ui/zoom.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

template <typename Form> class BesideMainWindow : public FrameworkTest {
protected:
    explicit BesideMainWindow(const char* name) : name_(QLatin1String(name)) {}
    void SetUp() override
    {
        FrameworkTest::SetUp();
        previous_ = platform::Forms::registerFactory(name_, [] { return new Form; });
        gApp = std::make_unique<clsApp>();
        main = new frmMain;
        main->show();
        QApplication::setActiveWindow(main);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
    }
    void TearDown() override
    {
        delete window.data();
        delete main.data();
        gApp.reset();
        zoom::Zoom::instance().reset();
        platform::Forms::registerFactory(name_, previous_);
        FrameworkTest::TearDown();
    }
    // The window once shown, made active.
    void opened()
    {
        window = dynamic_cast<Form*>(platform::Forms::find(name_));
        ASSERT_TRUE(window);
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    template <typename W = QWidget> W* ctl(const QString& name) const
    {
        W* w = window->template findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }

    QPointer<frmMain> main;
    QPointer<Form> window;

private:
    QString name_;
    platform::Forms::Factory previous_;
};
