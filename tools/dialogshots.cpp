// Shows one of the framework's dialogs on the real display so that
// scripts/dialog-screenshots can photograph it. Not part of the program.
//   quillmark_dialogshots timed|input|password|browse|folder|nonmodal|debug [path]
//   quillmark_dialogshots subnets ADDRESS/BITS [HOST COUNTS [rfc3021]]
//   quillmark_dialogshots practice explanation|score [ZOOM PERCENT [KINDS]]
// "subnets" runs the whole program with the subnet table open beside the
// main window, its planner line filled in when host counts are given.
// "practice" opens the practice window beside it on a set of seed 2026 and
// answers it: the first question wrongly (its explanation shown), or every
// question, one a second, every third wrongly (the score shown).
#include "app/modmain.h"
#include "errors/clserrhandler.h"
#include "model/dotted.h"
#include "platform/forms.h"
#include "platform/gui/widgetmessages.h"
#include "ui/debug/frmdebug.h"
#include "ui/dialogs/frmbrowse.h"
#include "ui/dialogs/frmtimedmsgbox.h"
#include "ui/dialogs/imagelist.h"
#include "model/practice.h"
#include "ui/main/frmmain.h"
#include "ui/practice/frmpractice.h"
#include "ui/registerwindows.h"
#include "ui/zoom.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QDir>
#include <QStyle>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::installWidgetPlatform();
    const QString scene = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("timed");
    const QString path = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QDir::currentPath();
    // The script photographs and ends us; never outlive it by much.
    QTimer::singleShot(60000, [] { std::_Exit(0); });

    ImageList icons;
    icons.Add(app.style()->standardPixmap(QStyle::SP_MessageBoxQuestion), QStringLiteral("question"));
    icons.Add(app.style()->standardPixmap(QStyle::SP_MessageBoxInformation), QStringLiteral("info"));

    if (scene == QLatin1String("timed")) {
        MsgBoxOptions o;
        o.Title = QStringLiteral("Save Settings");
        o.ButtonType = 3;
        o.ImageListControl = &icons;
        o.IconNum = QStringLiteral("question");
        utMsgbox(
            QStringLiteral("The window positions have changed.\r\n\r\nDo you want to keep them for the next start?"),
            50, o);
    } else if (scene == QLatin1String("input") || scene == QLatin1String("password")) {
        InputBoxOptions o;
        o.ImageListControl = &icons;
        o.IconNum = 2;
        if (scene == QLatin1String("input")) {
            o.Title = QStringLiteral("Open Report");
            o.AllowBrowse = true;
            o.DefaultValue = path;
            o.MinLength = 1;
            utInputBox(QStringLiteral("Which report should be opened?"), 0, o);
        } else {
            o.Title = QStringLiteral("New Password");
            o.PasswordEntry = true;
            o.PasswordConfirm = true;
            o.DefaultValue = QStringLiteral("secret");
            utInputBox(QStringLiteral("Enter the new password twice:"), 0, o);
        }
    } else if (scene == QLatin1String("browse")) {
        utBrowse(path, QStringLiteral("C++ Sources (*.cpp;*.h)|*.cpp;*.h|All Files (*.*)|*.*"));
    } else if (scene == QLatin1String("folder")) {
        utBrowse(path, browseDefaultPattern(), true);
    } else if (scene == QLatin1String("nonmodal")) {
        utMsgBoxNonModal(QStringLiteral("Copying the address list..."), 40);
        return app.exec();
    } else if (scene == QLatin1String("subnets")) {
        ui::registerWindows();
        Main();
        const QStringList network = path.split(QLatin1Char('/'));
        const auto address = dotted::Parse(network.value(0).toStdString());
        auto* main = dynamic_cast<frmMain*>(platform::Forms::find(QStringLiteral("frmMain")));
        if (!address || network.size() != 2 || !main) {
            std::fprintf(stderr, "subnets needs ADDRESS/BITS\n");
            return 2;
        }
        main->SetAddress(*address, network[1].toInt());
        platform::Forms::load(QStringLiteral("frmSubnets"))->Show(false);
        QWidget* table = QApplication::activeWindow();
        if (auto* w = dynamic_cast<QWidget*>(platform::Forms::find(QStringLiteral("frmSubnets"))))
            table = w;
        if (argc > 3)
            table->findChild<QLineEdit*>(QStringLiteral("txtPlan"))->setText(QString::fromLocal8Bit(argv[3]));
        if (argc > 4)
            table->findChild<QCheckBox*>(QStringLiteral("chkRFC3021"))->setChecked(true);
        return app.exec();
    } else if (scene == QLatin1String("practice")) {
        ui::registerWindows();
        Main();
        if (argc > 3)
            zoom::Zoom::instance().set(QString::fromLocal8Bit(argv[3]).toInt());
        // Opened from the calculator, so it stands beside it.
        if (auto* main = dynamic_cast<QWidget*>(platform::Forms::find(QStringLiteral("frmMain"))))
            QApplication::setActiveWindow(main);
        platform::Forms::load(QStringLiteral("frmPractice"))->Show(false);
        auto* window = dynamic_cast<frmPractice*>(platform::Forms::find(QStringLiteral("frmPractice")));
        if (!window)
            return 2;
        practice::Options o;
        o.seed = 2026;
        o.count = 8;
        const bool explain = path == QLatin1String("explanation");
        if (explain)
            o.kinds = practice::BitOf(practice::Kind::BroadcastAddress) | practice::BitOf(practice::Kind::LastHost);
        std::string problem;
        if (argc > 4)
            o.kinds = practice::ParseKinds(argv[4], problem).value_or(o.kinds);
        window->setOptions(o);
        window->Start();
        if (explain) {
            window->fillIn(practice::NearMiss(window->questions()[0]));
            window->Check();
            return app.exec();
        }
        auto* timer = new QTimer(window);
        QObject::connect(timer, &QTimer::timeout, window, [window, timer] {
            const int i = window->current();
            const practice::Question& q = window->questions()[size_t(i)];
            window->fillIn(i % 3 == 1 ? practice::NearMiss(q) : practice::RightAnswer(q));
            window->Check();
            window->Next();
            if (window->page() != frmPractice::Page::Question)
                timer->stop();
        });
        timer->start(1000);
        return app.exec();
    } else if (scene == QLatin1String("debug")) {
        gErrHandler().Push("Main");
        gErrHandler().Push("frmMain.UpdateForm()");
        auto* debug = new frmDebug;
        debug->SetWatch(0, QStringLiteral("IP = 192.168.1.10"));
        debug->SetWatch(1, QStringLiteral("SubnetBits = 26"));
        debug->Show(false);
        debug->RefreshForm();
        return app.exec();
    } else {
        std::fprintf(stderr, "unknown scene: %s\n", qPrintable(scene));
        return 2;
    }
    return 0;
}
