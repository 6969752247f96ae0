#include "platform/forms.h"
#include "testsupport.h"
#include "util/fakeform.h"
#include "util/formutils.h"

using namespace platform;

class FormClosing : public FrameworkTest {};

TEST_F(FormClosing, FormUnloadShutsDownOnlyWhenNoOtherWindowIsVisible)
{
    FakeForm main(QStringLiteral("frmMain"));
    FakeForm debug(QStringLiteral("FRMDEBUG"));
    // An extra window (the subnet table) does not hold the program open.
    FakeForm table(QStringLiteral("frmSubnets"));
    table.extra = true;
    main.visible = true;
    debug.visible = true;
    table.visible = true;
    EXPECT_NO_THROW(utFormUnload(0, QString(), false)); // the main window still shows
    EXPECT_TRUE(main.log.isEmpty());

    main.visible = false; // hidden by saving its settings
    EXPECT_THROW(utFormUnload(0, QString(), false), ProcessEnded);
    EXPECT_EQ(main.log, QStringList{QStringLiteral("Unload")}); // not saved a second time
    EXPECT_TRUE(debug.unloaded);
    EXPECT_TRUE(table.unloaded);
}

// The active dialogs go top-down, then the others, snapshot-safe when one
// closes another; the main window is saved and goes last.
TEST_F(FormClosing, UnloadAllClosesDialogsTopDownAndSavesTheMainWindowLast)
{
    QStringList order;
    FakeForm main(QStringLiteral("frmMain"));
    FakeForm about(QStringLiteral("frmAbout"));
    FakeForm box(QStringLiteral("frmTimedMsgBox"));
    FakeForm owner(QStringLiteral("frmBrowse"));
    FakeForm owned(QStringLiteral("frmClassHelp"));
    main.visible = true; // a hidden main window was saved when it was hidden
    for (FakeForm* f : {&main, &about, &box, &owned})
        f->onUnload = [&order, f] { order << f->Name(); };
    owner.onUnload = [&] { owned.Unload(); };
    main.onCall = [&order](const QString& op) {
        order << QStringLiteral("frmMain.") + op;
        return true;
    };
    // The active window is the last of these still loaded.
    Forms::setActiveProvider(
        [&]() -> Form* {
            for (FakeForm* f : {&box, &about, &main})
                if (!f->unloaded)
                    return f;
            return nullptr;
        },
        [] { return true; });
    utFormsUnloadAll();
    Forms::setActiveProvider(nullptr, nullptr);
    EXPECT_EQ(order,
              (QStringList{QStringLiteral("frmTimedMsgBox"), QStringLiteral("frmAbout"), QStringLiteral("frmClassHelp"),
                           QStringLiteral("frmMain.SaveSettings"), QStringLiteral("frmMain")}));
    EXPECT_TRUE(Forms::loaded().empty());
}

TEST_F(FormClosing, NonModalBoxesCloseByTheirOwnNumber)
{
    FakeForm first(QStringLiteral("frmTimedMsgBox"));
    FakeForm second(QStringLiteral("frmTimedMsgBox"));
    const int n1 = utNonModalBoxAdd(&first);
    const int n2 = utNonModalBoxAdd(&second);
    utNonModalBoxUnload(n2);
    EXPECT_TRUE(second.unloaded);
    EXPECT_FALSE(first.unloaded);
    utNonModalBoxUnload(n2); // already gone: ignored
    utNonModalBoxUnload(-7); // never there: ignored
    EXPECT_EQ(second.log.count(QStringLiteral("Unload")), 1);

    first.Unload(); // closed some other way first
    utNonModalBoxUnload(n1);
    EXPECT_EQ(first.log.count(QStringLiteral("Unload")), 1);
}
